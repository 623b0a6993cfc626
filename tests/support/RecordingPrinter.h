#pragma once
// A printer for core tests: an A4 page at 600 dots per inch whose canvas
// records every fill, text and line with the page it lands on, a progress
// window that can cancel at a chosen page, and a scripted print dialog.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/platform/PrintCanvas.h"

namespace tabulyst::testing {

class RecordingCanvas : public PrintCanvas {
public:
    struct Text {
        int page;
        PrintRect rect;
        std::string text;
        PrintColor background;
        PrintColor pen;
        TextCoding coding;
    };
    struct Fill {
        int page;
        PrintRect rect;
        PrintColor color;
    };
    struct Line {
        int page;
        std::vector<PrintPoint> points;
        PrintColor pen;
    };

    int width = 4960;
    int height = 7016;
    int dpiX = 600;
    int dpiY = 600;
    int charWidth = 25;  // every character, in printer pixels
    int lineHeight = 50;

    std::string jobTitle;
    int fontSize = 0;
    int begun = 0;
    int ended = 0;
    int page = -1;  // index of the page being drawn, -1 outside a document
    std::vector<Text> texts;
    std::vector<Fill> fills;
    std::vector<Line> lines;
    // The newPage call (counted from 1) that fails, as a printer error would; 0: none.
    int failingNewPage = 0;
    int newPages = 0;
    // A cell text whose drawing fails; empty: none.
    std::string failingText;
    int pages = 0;  // pages the document has so far

    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    int pixelsPerInchX() const override { return dpiX; }
    int pixelsPerInchY() const override { return dpiY; }
    void setJobTitle(const std::string& title) override { jobTitle = title; }
    void setFontSize(int points) override { fontSize = points; }
    void setBrushColor(PrintColor color) override { brush_ = color; }
    void setPenColor(PrintColor color) override { pen_ = color; }
    void fillRect(const PrintRect& rect) override { fills.push_back({drawingPage(), rect, brush_}); }
    void drawText(const PrintRect& rect, std::string_view text, TextCoding coding) override {
        if (!failingText.empty() && text == failingText) throw std::runtime_error("Druckerfehler");
        texts.push_back({drawingPage(), rect, std::string(text), brush_, pen_, coding});
    }
    void polyline(std::span<const PrintPoint> points) override {
        lines.push_back({drawingPage(), {points.begin(), points.end()}, pen_});
    }
    int textWidth(std::string_view text, TextCoding) override { return static_cast<int>(text.size()) * charWidth; }
    int textHeight(std::string_view, TextCoding) override { return lineHeight; }
    void beginDoc() override {
        ++begun;
        page = 0;
        pages = 1;
    }
    void newPage() override {
        if (++newPages == failingNewPage) throw std::runtime_error("Drucker nicht bereit");
        // A job that never ends fails the test instead of hanging it.
        if (newPages > 10000) throw std::logic_error("endless pages");
        ++page;
        ++pages;
    }
    void endDoc() override {
        ++ended;
        page = -1;
    }

    // The texts drawn at the top of a page (title and page number), in order.
    std::vector<Text> pageHeaders() const;
    // The cell texts of one page, in the order printed.
    std::vector<Text> cellTexts(int pageIndex) const;

private:
    int drawingPage() const {
        if (page < 0) throw std::logic_error("drawing outside a document");
        return page;
    }
    PrintColor brush_{255, 255, 255};
    PrintColor pen_{0, 0, 0};
};

class ScriptedProgress : public PrintProgress {
public:
    std::vector<std::string> shown;  // the page texts, in order
    std::string caption;
    int cancelAtShowing = 0;  // the showing (counted from 1) at which the user cancels; 0: never
    int closed = 0;
    // Runs at each showing, as events processed by the window would.
    std::function<void()> duringShowing;

    bool showPage(const std::string& c, const std::string& text) override {
        caption = c;
        shown.push_back(text);
        if (duringShowing) duringShowing();
        return static_cast<int>(shown.size()) != cancelAtShowing;
    }
    void close() override { ++closed; }
};

class RecordingPrinter : public Printer {
public:
    bool confirmDialog = true;
    int dialogsShown = 0;
    RecordingCanvas recording;
    ScriptedProgress scriptedProgress;

    bool showPrintDialog() override {
        ++dialogsShown;
        return confirmDialog;
    }
    PrintCanvas& canvas() override { return recording; }
    PrintProgress& progress() override { return scriptedProgress; }
};

}  // namespace tabulyst::testing
