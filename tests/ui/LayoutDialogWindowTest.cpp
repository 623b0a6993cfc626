#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "core/files/ConfigFile.h"
#include "core/files/FieldLengthDialog.h"
#include "core/files/LayoutDialog.h"
#include "support/FakePlatform.h"
#include "ui/FieldLengthDialogWindow.h"
#include "ui/LayoutDialogWindow.h"
#include "ui/Text.h"

namespace tabulyst::ui {
namespace {

QPushButton* buttonNamed(QWidget* w, const QString& caption) {
    for (auto* b : w->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

QRadioButton* radioNamed(QWidget* w, const QString& caption) {
    for (auto* b : w->findChildren<QRadioButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

// The settings file lies where nothing else looks; the dialog only reads it at creation.
class LayoutDialogWindowTest : public ::testing::Test {
protected:
    testing::FakePlatform fake;
    ConfigFile config{"/nonexistent-tabulyst-folder/tabulyst.CFG"};
    FieldLengthDialog form5{fake.dialogs};
    LayoutDialog form2{config, form5, fake.dialogs};
};

TEST_F(LayoutDialogWindowTest, ControlsShowTheCoreStateAndHandChangesBack) {
    form2.checkedSeparator = LayoutDialog::Separator::Free2;
    form2.edtSeperatorFree2 = "#124";
    form2.rbxClientBottomClientClientSeperatorOrLengthClick(0);
    LayoutDialogWindow window(form2, nullptr);
    bool sawState = false;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ(window.windowTitle(), fromUtf8("Trennzeichen ändern"));
        EXPECT_TRUE(radioNamed(&window, fromUtf8("Freies Trennzeichen #2"))->isChecked());
        auto* adjust = buttonNamed(&window, fromUtf8("Feldlänge festlegen"));
        EXPECT_FALSE(adjust->isEnabled());
        auto edits = window.findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 2);
        EXPECT_EQ(edits[1]->text(), QStringLiteral("#124"));
        EXPECT_TRUE(edits[0]->toolTip().startsWith(QStringLiteral("Reminder : You can enter any string")));
        sawState = true;

        radioNamed(&window, QStringLiteral("Freies Trennzeichen #1"))->click();
        edits[0]->selectAll();
        QTest::keyClicks(edits[0], QStringLiteral("|"));
        radioNamed(&window, QStringLiteral("Feste Feldlänge"))->click();
        EXPECT_TRUE(adjust->isEnabled());
        buttonNamed(&window, QStringLiteral("OK"))->click();
    });
    EXPECT_TRUE(window.run());
    EXPECT_TRUE(sawState);
    EXPECT_EQ(form2.checkedSeparator, LayoutDialog::Separator::Free1);
    EXPECT_EQ(form2.edtSeperatorFree1, "|");
    EXPECT_EQ(form2.ChosenDelimiter, "|");  // the core's OK handler ran
    EXPECT_FALSE(form2.chosenDelimitedMode());
}

TEST_F(LayoutDialogWindowTest, CancelClosesWithoutTheOkHandler) {
    LayoutDialogWindow window(form2, nullptr);
    form2.ChosenDelimiter = "unchanged";
    QTimer::singleShot(0, &window, [&] { buttonNamed(&window, QStringLiteral("Cancel"))->click(); });
    EXPECT_FALSE(window.run());
    EXPECT_EQ(form2.ChosenDelimiter, "unchanged");
}

TEST(FieldLengthDialogWindowTest, EditedCellsReachTheCoreAndTheTotalFollows) {
    testing::FakePlatform fake;
    FieldLengthDialog form5{fake.dialogs};
    FieldLengthDialogWindow window(form5, nullptr);
    QTimer::singleShot(0, &window, [&] {
        auto* grid = window.findChild<QTableWidget*>();
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->columnCount(), 255);
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("# 1"));
        EXPECT_EQ(grid->verticalHeaderItem(0)->text(), QStringLiteral("Fieldlength : "));
        EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("32"));
        EXPECT_EQ(window.findChild<QLineEdit*>("edtEdit")->text(), QStringLiteral("0"));
        grid->item(0, 0)->setText(QStringLiteral("10"));
        EXPECT_EQ(window.findChild<QLineEdit*>("edtEdit")->text(), QStringLiteral("106"));
        buttonNamed(&window, QStringLiteral("Ok"))->click();
    });
    EXPECT_TRUE(window.run());
    EXPECT_EQ(form5.cell(1, 1), "10");
    EXPECT_EQ(form5.edtEdit, "106");
}

}  // namespace
}  // namespace tabulyst::ui
