#pragma once
// The system's printer on Qt: the print dialog (the CUPS printers and printing
// to a PDF file), the canvas drawing on the chosen printer, and the progress
// window of a running job.
#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <memory>

#include "core/platform/PrintCanvas.h"
#include "ui/QtPrintCanvas.h"

namespace tabulyst::ui {

// Shows itself only when a job takes a while, so short jobs do not flash a window.
class QtPrintProgress : public PrintProgress {
public:
    static constexpr int kShowAfterMs = 400;
    void setParent(QWidget* parent) { parent_ = parent; }
    bool showPage(const std::string& caption, const std::string& text) override;
    void close() override;
    QProgressDialog* window() const { return window_.get(); }

private:
    QPointer<QWidget> parent_;
    std::unique_ptr<QProgressDialog> window_;
    QElapsedTimer clock_;
};

class QtPrinter : public Printer {
public:
    // Text is drawn in the grid's font, at the size each job chooses.
    explicit QtPrinter(const QFont& gridFont);
    void setParent(QWidget* parent);

    bool showPrintDialog() override;
    PrintCanvas& canvas() override;
    PrintProgress& progress() override { return progress_; }
    // Made when first asked for: it asks the print system for its printers,
    // which would hold up every start.
    QPrinter& printer();

private:
    QPointer<QWidget> parent_;
    QFont gridFont_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrintCanvas> canvas_;
    QtPrintProgress progress_;
};

}  // namespace tabulyst::ui
