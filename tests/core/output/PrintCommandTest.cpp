#include <gtest/gtest.h>

#include "support/FormFixture.h"
#include "support/RecordingPrinter.h"

namespace tabulyst::testing {
namespace {

// The main form with a printer in its platform.
class PrintCommandTest : public FormFixture {
protected:
    PrintCommandTest() {
        Platform p = fake.platform();
        p.printer = &printer;
        form = std::make_unique<MainForm>(p, settingsFolder.file("tabulyst"));
        form->FormCreate();
        fill(4, 30);
    }
    RecordingCanvas& canvas() { return printer.recording; }

    RecordingPrinter printer;
};

TEST_F(PrintCommandTest, MenuAndToolbarShowThePrintDialogAndCancelPrintsNothing) {
    printer.confirmDialog = false;
    EXPECT_TRUE(commands().trigger("mnuPrint"));
    EXPECT_TRUE(commands().trigger("ToolButton14"));
    EXPECT_EQ(printer.dialogsShown, 2);
    EXPECT_EQ(canvas().begun, 0);
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(PrintCommandTest, ConfirmedDialogPrintsTheWholeGridHeadedByTheWindowCaption) {
    form->document.setPath("/tmp/Kunden.csv");
    commands().trigger("ToolButton14");
    EXPECT_EQ(canvas().begun, 1);
    EXPECT_EQ(canvas().ended, 1);
    EXPECT_EQ(form->printing.lastPageCount(), canvas().pages);
    auto headers = canvas().pageHeaders();
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0].text, "/tmp/Kunden.csv");
    EXPECT_EQ(headers[1].text, "Page 1");
    EXPECT_EQ(canvas().texts.size(), 4u * 30u + 2u) << "every cell, fixed ones included";
    EXPECT_GE(canvas().fontSize, 6);
}

// A UTF-8 table's cells printed as Windows-1252 would come out garbled.
TEST_F(PrintCommandTest, CellsArePrintedInTheTablesEncoding) {
    for (const bool utf8 : {false, true}) {
        form->document.setEncoding({.byteOrderMark = false, .utf8 = utf8});
        canvas().texts.clear();
        commands().trigger("mnuPrint");
        const auto headers = canvas().pageHeaders().size();
        ASSERT_EQ(canvas().texts.size(), 4u * 30u + headers);
        for (const auto& t : canvas().texts) {
            if (t.rect.top == 10) continue;  // a page header
            ASSERT_EQ(t.coding, utf8 ? TextCoding::Utf8 : TextCoding::Ansi) << t.text;
        }
    }
}

TEST_F(PrintCommandTest, GridWithEveryColumnHiddenIsRefusedBeforeTheDialog) {
    for (int c = 0; c < grid().colCount(); ++c) grid().setColWidth(c, StringGrid::kHiddenWidth);
    commands().trigger("mnuPrint");
    EXPECT_EQ(printer.dialogsShown, 0);
    EXPECT_EQ(canvas().begun, 0);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_NE(fake.dialogs.messages[0].find("ausgeblendet"), std::string::npos);
}

TEST_F(PrintCommandTest, PrinterErrorIsReportedAfterTheJobIsEnded) {
    fill(80, 300);
    canvas().failingNewPage = 1;
    commands().trigger("mnuPrint");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0], "Drucker nicht bereit");
    EXPECT_EQ(canvas().ended, 1);
    EXPECT_FALSE(fake.desktop.isBusy);
}

TEST_F(PrintCommandTest, CyclicReloadWaitsWhileAJobRuns) {
    fill(80, 300);
    form->timReload.setEnabled(true);
    std::vector<bool> reloadDuringJob;
    printer.scriptedProgress.duringShowing = [&] { reloadDuringJob.push_back(form->timReload.enabled()); };
    commands().trigger("mnuPrint");
    ASSERT_GE(reloadDuringJob.size(), 2u);
    for (bool on : reloadDuringJob) EXPECT_FALSE(on);
    EXPECT_TRUE(form->timReload.enabled());
}

}  // namespace
}  // namespace tabulyst::testing
