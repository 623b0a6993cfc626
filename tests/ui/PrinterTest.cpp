#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <array>

#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/PdfPrinter.h"
#include "support/TempFolder.h"
#include "ui/QtPrintCanvas.h"

namespace tabulyst::ui {
namespace {

using testing::PdfPrinter;

int pdfPageCount(const QString& file) {
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {file});
        info.waitForFinished();
        auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAll()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(QString::fromLatin1(pdf.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

TEST(PrinterTest, PrintsTheGridToAPdfFileWithThePagesItCounted) {
    testing::TempFolder folder;
    const QString pdf = QString::fromStdString(folder.file("grid.pdf"));
    PdfPrinter printer(QApplication::font(), pdf);
    testing::FakePlatform fake;
    Platform platform = fake.platform();
    platform.printer = &printer;
    MainForm form(platform, folder.file("tabulyst"));
    form.FormCreate();
    form.document.StrGrid.setColCount(4);
    form.document.StrGrid.setRowCount(300);
    for (int r = 1; r < 300; ++r)
        for (int c = 1; c < 4; ++c) form.document.StrGrid.setCell(c, r, "Zelle " + std::to_string(r));
    form.document.setPath("/tmp/Tabelle.csv");

    ASSERT_TRUE(form.commands.trigger("mnuPrint"));
    ASSERT_TRUE(fake.dialogs.messages.empty()) << fake.dialogs.messages.front();
    EXPECT_GE(form.printing.lastPageCount(), 2);
    EXPECT_EQ(pdfPageCount(pdf), form.printing.lastPageCount());
    EXPECT_EQ(printer.printer().docName(), QStringLiteral("Printing a grid..."));
}

TEST(PrinterTest, UnwritableFileIsReportedAndNothingStaysBusy) {
    PdfPrinter printer(QApplication::font(), QStringLiteral("/nonexistent-folder/grid.pdf"));
    testing::FakePlatform fake;
    testing::TempFolder folder;
    Platform platform = fake.platform();
    platform.printer = &printer;
    MainForm form(platform, folder.file("tabulyst"));
    form.FormCreate();
    form.commands.trigger("mnuPrint");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_NE(fake.dialogs.messages[0].find("/nonexistent-folder/grid.pdf"), std::string::npos);
    EXPECT_FALSE(fake.desktop.isBusy);
}

TEST(PrinterTest, CanvasClipsTextToItsRectangleOnTheBrushColour) {
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(23622);  // 600 dots per inch
    image.setDotsPerMeterY(23622);
    QtPrintCanvas canvas(image, QApplication::font());
    canvas.setFontSize(6);
    canvas.beginDoc();
    const PrintRect frame{20, 20, 220, 120};
    const PrintRect text{frame.left + 4, frame.top, frame.right - 10, frame.bottom};
    canvas.setBrushColor({255, 255, 0});
    canvas.fillRect(frame);
    canvas.setPenColor({0, 0, 0});
    canvas.drawText(text, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", TextCoding::Ansi);
    const std::array<PrintPoint, 5> points{PrintPoint{frame.left, frame.top}, PrintPoint{frame.right, frame.top},
                                           PrintPoint{frame.right, frame.bottom}, PrintPoint{frame.left, frame.bottom},
                                           PrintPoint{frame.left, frame.top}};
    canvas.polyline(points);
    canvas.endDoc();

    auto dark = [](QRgb p) { return qGray(p) < 100; };
    int inkInside = 0;
    for (int y = frame.top + 2; y < frame.bottom - 2; ++y) {
        for (int x = text.left; x < text.right; ++x) inkInside += dark(image.pixel(x, y));
        for (int x = text.right; x < frame.right; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 0)) << "text beyond its rectangle at " << x << "," << y;
    }
    EXPECT_GT(inkInside, 100);
    EXPECT_TRUE(dark(image.pixel(frame.right, (frame.top + frame.bottom) / 2))) << "the frame";
    EXPECT_EQ(image.pixel(frame.left + 2, frame.top + 2), qRgb(255, 255, 0)) << "the fill";
    EXPECT_EQ(image.pixel(frame.right + 5, frame.top + 5), qRgb(255, 255, 255)) << "nothing outside";
}

}  // namespace
}  // namespace tabulyst::ui
