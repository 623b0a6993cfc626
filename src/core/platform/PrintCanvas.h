#pragma once
// The printer as the core draws on it: page metrics in printer pixels, a
// canvas with font size, brush, pen, fills, text and lines, and the document's
// pages. The ui draws through Qt's printer; tests record every call.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tabulyst {

struct PrintColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PrintColor&, const PrintColor&) = default;
};

// In printer pixels; right and bottom are the first pixels outside.
struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

struct PrintPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PrintPoint&, const PrintPoint&) = default;
};

// Cell texts are Windows-1252 bytes; the window caption is UTF-8.
enum class TextCoding { Ansi, Utf8 };

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;

    // The printable area and the device's pixels per inch.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int pixelsPerInchX() const = 0;
    virtual int pixelsPerInchY() const = 0;

    // The job's name in the printer queue.
    virtual void setJobTitle(const std::string& title) = 0;
    // The grid's font at this size in points.
    virtual void setFontSize(int points) = 0;
    virtual void setBrushColor(PrintColor color) = 0;
    virtual void setPenColor(PrintColor color) = 0;
    // Fills the rectangle with the brush colour.
    virtual void fillRect(const PrintRect& rect) = 0;
    // One line, left-aligned and vertically centred, clipped to the
    // rectangle, on the brush colour; no wrapping, no ellipsis.
    virtual void drawText(const PrintRect& rect, std::string_view text, TextCoding coding) = 0;
    // Connected lines through the points in the pen colour, one pixel wide.
    virtual void polyline(std::span<const PrintPoint> points) = 0;
    virtual int textWidth(std::string_view text, TextCoding coding) = 0;
    virtual int textHeight(std::string_view text, TextCoding coding) = 0;

    // Errors of the printer are thrown as std::runtime_error with the platform's text.
    virtual void beginDoc() = 0;
    virtual void newPage() = 0;
    virtual void endDoc() = 0;
};

// A window showing which page a running job prints, with a cancel button.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    // Shows or updates the window; false once the user has cancelled.
    virtual bool showPage(const std::string& caption, const std::string& text) = 0;
    // Closes the window.
    virtual void close() = 0;
};

// The system's printer: its dialog, its canvas, the progress window of a job.
class Printer {
public:
    virtual ~Printer() = default;
    // The print dialog; true when the user confirmed a printer.
    virtual bool showPrintDialog() = 0;
    virtual PrintCanvas& canvas() = 0;
    virtual PrintProgress& progress() = 0;
};

}  // namespace tabulyst
