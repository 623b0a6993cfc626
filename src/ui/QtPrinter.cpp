#include "ui/QtPrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPushButton>

#include "ui/Text.h"

namespace tabulyst::ui {

namespace {
// Cells come out 18 x s printer pixels high with text of 1.5 x s points; at
// 600 dots per inch the text takes about two thirds of the row.
constexpr int kResolution = 600;
}  // namespace

bool QtPrintProgress::showPage(const std::string& caption, const std::string& text) {
    if (!window_) {
        window_ = std::make_unique<QProgressDialog>(parent_);
        window_->setWindowModality(Qt::WindowModal);
        window_->setAutoClose(false);
        window_->setAutoReset(false);
        window_->setRange(0, 0);
        window_->setMinimumWidth(320);  // room for the job title in the caption
        window_->setMinimumDuration(0);
        window_->setCancelButtonText(QStringLiteral("Abbrechen"));
        window_->hide();
        clock_.start();
    }
    window_->setWindowTitle(fromUtf8(caption));
    window_->setLabelText(fromUtf8(text));
    if (!window_->isVisible() && clock_.elapsed() >= kShowAfterMs) window_->show();
    // Events run only while the window blocks the main window's input.
    if (window_->isVisible()) QApplication::processEvents();
    return !window_->wasCanceled();
}

void QtPrintProgress::close() { window_.reset(); }

QtPrinter::QtPrinter(const QFont& gridFont) : gridFont_(gridFont) {}

QPrinter& QtPrinter::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setResolution(kResolution);
        // A file has no unprintable border; the printout brings its own margins.
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
    return *printer_;
}

PrintCanvas& QtPrinter::canvas() {
    if (!canvas_) canvas_ = std::make_unique<QtPrintCanvas>(printer(), gridFont_);
    return *canvas_;
}

void QtPrinter::setParent(QWidget* parent) {
    parent_ = parent;
    progress_.setParent(parent);
}

bool QtPrinter::showPrintDialog() {
    QPrintDialog dialog(&printer(), parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    printer_->setResolution(kResolution);
    return true;
}

}  // namespace tabulyst::ui
