#include "ui/QtPrintCanvas.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPolygon>
#include <QPrinter>
#include <stdexcept>

#include "ui/Text.h"

namespace tabulyst::ui {

namespace {
QString decode(std::string_view text, TextCoding coding) {
    return coding == TextCoding::Utf8 ? fromUtf8(text) : fromAnsi(text);
}

QString outputNote(QPaintDevice& device) {
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (!printer || printer->outputFileName().isEmpty()) return {};
    return QStringLiteral(" (") + printer->outputFileName() + QStringLiteral(")");
}
}  // namespace

void QtPrintCanvas::setJobTitle(const std::string& title) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device_)) printer->setDocName(fromUtf8(title));
}

void QtPrintCanvas::setFontSize(int points) {
    font_.setPointSize(std::max(points, 1));
    if (painter_.isActive()) painter_.setFont(font_);
}

void QtPrintCanvas::setPenColor(PrintColor color) {
    pen_ = toQColor(color);
    if (painter_.isActive()) painter_.setPen(QPen(pen_, 1));
}

void QtPrintCanvas::fillRect(const PrintRect& rect) { painter_.fillRect(toQRect(rect), brush_); }

void QtPrintCanvas::drawText(const PrintRect& rect, std::string_view text, TextCoding coding) {
    const QRect r = toQRect(rect);
    if (r.width() <= 0 || r.height() <= 0 || text.empty()) return;
    // The opaque background mode puts the brush colour behind the text; Qt
    // clips the text to the rectangle unless told otherwise.
    painter_.setBackground(brush_);
    painter_.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, decode(text, coding));
}

void QtPrintCanvas::polyline(std::span<const PrintPoint> points) {
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& p : points) polygon << QPoint(p.x, p.y);
    painter_.drawPolyline(polygon);
}

int QtPrintCanvas::textWidth(std::string_view text, TextCoding coding) {
    return QFontMetrics(font_, &device_).horizontalAdvance(decode(text, coding));
}

int QtPrintCanvas::textHeight(std::string_view, TextCoding) { return QFontMetrics(font_, &device_).height(); }

void QtPrintCanvas::beginDoc() {
    if (!painter_.begin(&device_))
        throw std::runtime_error(("Der Druckauftrag konnte nicht beginnen." + outputNote(device_)).toStdString());
    painter_.setFont(font_);
    painter_.setPen(QPen(pen_, 1));
    painter_.setBackgroundMode(Qt::OpaqueMode);
}

void QtPrintCanvas::newPage() {
    auto* paged = dynamic_cast<QPagedPaintDevice*>(&device_);
    if (paged && !paged->newPage())
        throw std::runtime_error(("Der Drucker konnte keine neue Seite beginnen." + outputNote(device_)).toStdString());
}

void QtPrintCanvas::endDoc() {
    if (!painter_.isActive()) return;
    if (!painter_.end())
        throw std::runtime_error(("Der Druckauftrag konnte nicht abgeschlossen werden." + outputNote(device_)).toStdString());
}

}  // namespace tabulyst::ui
