#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include "core/app/MainForm.h"
#include "core/platform/Locale.h"
#include "core/table/StringsChooser.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/QtDialogs.h"
#include "ui/StringsChooserDialog.h"
#include "ui/Text.h"

namespace tabulyst::ui {
namespace {

// Where the style draws an item's check box, as the list's delegate finds it for a click.
QPoint checkBoxCentre(QListWidget* list, int row) {
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(list->item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = list->item(row)->text();
    return list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list).center();
}

StringsChooserDialog* shownChooser() {
    return qobject_cast<StringsChooserDialog*>(QApplication::activeModalWidget());
}

class StringsChooserDialogTest : public ::testing::Test {
protected:
    QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }

    QtDialogs dialogs;
    Locale locale;
    StringsChooser chooser{dialogs, locale};
};

TEST_F(StringsChooserDialogTest, ShowsCaptionsItemsAndMarks) {
    chooser.ChooserAddItem("Äpfel");
    chooser.ChooserAddItem("b");
    chooser.ChooserSetChecked(1, true);
    chooser.caption = "Welche Spalten zeigen";
    StringsChooserDialog dialog(chooser, nullptr);
    dialog.showState();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Welche Spalten zeigen"));
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), fromUtf8("Äpfel"));
    EXPECT_EQ(dialog.list()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(dialog.list()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(button(&dialog, "pnlClientRightAll")->text(), fromUtf8("Alle wählen"));
    EXPECT_EQ(button(&dialog, "pnlClientRightNone")->text(), QStringLiteral("Keine "));
    EXPECT_EQ(button(&dialog, "pnlClientRightInvert")->text(), QStringLiteral("Invertieren"));
    EXPECT_EQ(button(&dialog, "btnRightCancel")->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(button(&dialog, "btnBottomOK")->isDefault());
}

TEST_F(StringsChooserDialogTest, UserChecksGoThroughTheSingleChoiceRules) {
    for (const char* t : {"a", "b", "c"}) chooser.ChooserAddItem(t);
    chooser.ChooserSetChecked(0, true);
    bool ran = false;
    bool panelVisible = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<StringsChooserDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        panelVisible = dialog->rightPanel()->isVisible();
        auto* list = dialog->list();
        list->item(2)->setCheckState(Qt::Checked);  // as a click on the box does
        EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
        list->item(2)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);  // the only mark comes back
        EXPECT_EQ(list->currentRow(), 2);
        ran = true;
        button(dialog, "btnBottomOK")->click();
    });
    EXPECT_TRUE(chooser.ChooserExecute({}, "Select time to reload", false, false, true));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(panelVisible);
    EXPECT_TRUE(chooser.ChooserIsChecked("C"));
    EXPECT_FALSE(chooser.ChooserIsChecked("a"));
}

TEST_F(StringsChooserDialogTest, ClickingAnItemWithNoneCheckedChecksIt) {
    for (const char* t : {"a", "b", "c"}) chooser.ChooserAddItem(t);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<StringsChooserDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->list();
        QRect r = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 4, r.center().y()));
        EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
        EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
        dialog->accept();
    });
    EXPECT_TRUE(chooser.ChooserExecute({}, "Select", false, false, true));
    EXPECT_EQ(chooser.itemIndex, 1);
    EXPECT_TRUE(chooser.ChooserIsChecked("b"));
}

TEST_F(StringsChooserDialogTest, EveryItemHasItsBoxAndTheUserChecksUncheckedOnesByMouseAndSpace) {
    for (const char* t : {"1", "2", "3", "4", "5"}) chooser.ChooserAddItem(t);
    for (int i : {0, 1, 3}) chooser.ChooserSetChecked(i, true);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        StringsChooserDialog* dialog = shownChooser();
        ASSERT_NE(dialog, nullptr);
        QListWidget* list = dialog->list();
        for (int i = 0; i < list->count(); ++i)
            EXPECT_TRUE(list->item(i)->data(Qt::CheckStateRole).isValid()) << "item " << i << " has no box";
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxCentre(list, 2));
        EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        ASSERT_EQ(list->currentRow(), 4);
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_EQ(list->item(4)->checkState(), Qt::Checked);
        QTest::keyClick(list, Qt::Key_Space);  // and Space takes it off again
        EXPECT_EQ(list->item(4)->checkState(), Qt::Unchecked);
        QTest::keyClick(list, Qt::Key_Space);
        ran = true;
        button(dialog, "btnBottomOK")->click();
    });
    EXPECT_TRUE(chooser.ChooserExecute({}, "Welche Spalten zeigen", false, false, false));
    EXPECT_TRUE(ran);
    for (const char* t : {"1", "2", "3", "4", "5"}) EXPECT_TRUE(chooser.ChooserIsChecked(t)) << t;
}

TEST_F(StringsChooserDialogTest, SpaceOnAnotherIntervalMakesItTheOnlyChoice) {
    for (const char* t : {"Every second", "Every 5 seconds", "Every 50 seconds"}) chooser.ChooserAddItem(t);
    chooser.ChooserSetChecked(2, true);
    QTimer::singleShot(0, [&] {
        StringsChooserDialog* dialog = shownChooser();
        ASSERT_NE(dialog, nullptr);
        QListWidget* list = dialog->list();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        ASSERT_EQ(list->currentRow(), 0);
        QTest::keyClick(list, Qt::Key_Space);
        dialog->accept();
    });
    EXPECT_TRUE(chooser.ChooserExecute({}, "Select time to reload", false, false, true));
    EXPECT_TRUE(chooser.ChooserIsChecked("Every second"));
    EXPECT_FALSE(chooser.ChooserIsChecked("Every 50 seconds"));
}

// The whole road: a hidden column comes back by a click on its box in the column chooser.
TEST(HiddenColumnChooser, ClickingTheBoxOfAHiddenColumnShowsItAgain) {
    testing::FakePlatform fake;
    testing::TempFolder settingsFolder;
    QtDialogs dialogs;
    Platform platform = fake.platform();
    platform.dialogs = &dialogs;
    MainForm form(platform, settingsFolder.file("tabulyst"));
    form.FormCreate();
    form.document.StrGrid.setColCount(6);
    for (int x = 1; x < 6; ++x) form.document.StrGrid.setCell(x, 0, std::to_string(x));
    form.document.StrGrid.setColWidth(3, -1);
    bool listedAllButThree = false;
    QTimer::singleShot(0, [&] {
        StringsChooserDialog* dialog = shownChooser();
        ASSERT_NE(dialog, nullptr);
        QListWidget* list = dialog->list();
        ASSERT_EQ(list->count(), 5);
        listedAllButThree = true;
        for (int i = 0; i < 5; ++i)
            listedAllButThree &= list->item(i)->checkState() == (i == 2 ? Qt::Unchecked : Qt::Checked);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, checkBoxCentre(list, 2));
        dialog->accept();
    });
    form.commands.trigger("mnuMainViewHideCols");
    EXPECT_TRUE(listedAllButThree);
    for (int x = 1; x < 6; ++x) EXPECT_FALSE(form.document.StrGrid.isHidden(x)) << "column " << x;
    EXPECT_FALSE(form.commands.enabled("mnuMainShowAllCols"));
}

}  // namespace
}  // namespace tabulyst::ui
