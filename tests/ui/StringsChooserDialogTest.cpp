#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/platform/Locale.h"
#include "core/table/StringsChooser.h"
#include "ui/QtDialogs.h"
#include "ui/StringsChooserDialog.h"
#include "ui/Text.h"

namespace tabulyst::ui {
namespace {

class StringsChooserDialogTest : public ::testing::Test {
protected:
    QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(QString::fromLatin1(name)); }

    QtDialogs dialogs;
    Locale locale;
    StringsChooser chooser{dialogs, locale};
};

TEST_F(StringsChooserDialogTest, ShowsCaptionsItemsAndMarks) {
    chooser.ChooserAddItem("\xC4" "pfel");  // Windows-1252 "Äpfel"
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

}  // namespace
}  // namespace tabulyst::ui
