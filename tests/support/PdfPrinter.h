#pragma once
// The Qt printer with its print dialog answered: every job goes to one PDF file.
#include <QString>

#include "ui/QtPrinter.h"

namespace tabulyst::testing {

class PdfPrinter : public ui::QtPrinter {
public:
    PdfPrinter(const QFont& font, const QString& file) : QtPrinter(font), file_(file) {}
    bool showPrintDialog() override {
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(file_);
        return true;
    }

private:
    QString file_;
};

}  // namespace tabulyst::testing
