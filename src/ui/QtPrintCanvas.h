#pragma once
// The core's print canvas on a Qt paint device: a printer, or an image in tests.
#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPainter>

#include "core/platform/PrintCanvas.h"

namespace tabulyst::ui {

class QtPrintCanvas : public PrintCanvas {
public:
    // font: the grid's font; the core sets its size for each job.
    QtPrintCanvas(QPaintDevice& device, QFont font) : device_(device), font_(std::move(font)) {}

    int pageWidth() const override { return device_.width(); }
    int pageHeight() const override { return device_.height(); }
    int pixelsPerInchX() const override { return device_.logicalDpiX(); }
    int pixelsPerInchY() const override { return device_.logicalDpiY(); }
    void setJobTitle(const std::string& title) override;
    void setFontSize(int points) override;
    void setBrushColor(PrintColor color) override { brush_ = toQColor(color); }
    void setPenColor(PrintColor color) override;
    void fillRect(const PrintRect& rect) override;
    void drawText(const PrintRect& rect, std::string_view text, TextCoding coding) override;
    void polyline(std::span<const PrintPoint> points) override;
    int textWidth(std::string_view text, TextCoding coding) override;
    int textHeight(std::string_view text, TextCoding coding) override;
    void beginDoc() override;
    void newPage() override;
    void endDoc() override;

private:
    static QColor toQColor(PrintColor c) { return QColor(c.red, c.green, c.blue); }
    static QRect toQRect(const PrintRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

    QPaintDevice& device_;
    QFont font_;
    QPainter painter_;
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
};

}  // namespace tabulyst::ui
