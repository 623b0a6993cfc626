#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <map>

#include "core/app/MainForm.h"
#include "core/table/ColsAndRowsDialog.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/ColsAndRowsDialogWindow.h"
#include "ui/CellEditor.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"

namespace tabulyst::ui {
namespace {

class CellPaintingTest : public ::testing::Test {
protected:
    CellPaintingTest() : form(fake.platform(), settingsFolder.file("tabulyst")) {
        form.FormCreate();
        window = std::make_unique<MainWindow>(form);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        form.document.StrGrid.setColCount(6);
        form.document.StrGrid.setRowCount(8);
        for (int c = 1; c < 6; ++c) form.document.StrGrid.setCell(c, 0, std::to_string(c));
        QApplication::processEvents();
    }
    GridView* view() { return window->gridView(); }
    // The colour inside a cell, right of where its text would begin.
    QColor colourIn(int col, int row) {
        const QImage image = view()->viewport()->grab().toImage();
        const QRect r = view()->cellRect(col, row);
        EXPECT_FALSE(r.isEmpty()) << col << "," << row;
        return image.pixelColor(r.right() - 2, r.center().y());
    }
    void toggleBookmark(int col, int row) {
        form.document.StrGrid.setCurrent(col, row);
        window->action("mnuMainToggleBookMark")->trigger();
    }

    testing::FakePlatform fake;
    testing::TempFolder settingsFolder;
    MainForm form;
    std::unique_ptr<MainWindow> window;
};

TEST_F(CellPaintingTest, BookmarkedFrozenAndSortedHeaderCellsShowTheirColours) {
    toggleBookmark(4, 6);
    toggleBookmark(2, 1);  // about to be frozen
    form.document.StrGrid.setCurrent(3, 3);
    window->action("mnuMainSetHeader")->trigger();  // rows 1 and 2 frozen
    form.document.sort.SortIndicatorColumn = 2;
    form.document.sort.SortKeyColumns = {2, -1, -1, -1, -1};
    form.document.sort.SortKeyCount = 1;

    EXPECT_EQ(colourIn(4, 6), QColor(0, 255, 255));
    EXPECT_EQ(colourIn(2, 1), QColor(255, 255, 0));  // frozen beats bookmarked
    EXPECT_EQ(colourIn(5, 2), QColor(255, 255, 0));
    EXPECT_EQ(colourIn(2, 0), QColor(255, 0, 0));
    EXPECT_EQ(colourIn(3, 0), view()->palette().color(QPalette::Button));
    EXPECT_EQ(colourIn(0, 4), view()->palette().color(QPalette::Button));
    EXPECT_EQ(colourIn(5, 5), view()->palette().color(QPalette::Base));

    form.document.sort.MultiKeySort = true;
    form.document.sort.SortKeyColumns = {4, 2, -1, -1, -1};
    EXPECT_EQ(colourIn(2, 0), QColor(192, 64, 0));
    EXPECT_EQ(colourIn(4, 0), QColor(255, 0, 0));
}

TEST_F(CellPaintingTest, ASelectedBookmarkedCellShowsWhetherTheGridHasTheFocus) {
    toggleBookmark(3, 4);
    view()->setFocus();
    ASSERT_TRUE(view()->hasFocus());
    EXPECT_EQ(colourIn(3, 4), QColor(0, 111, 111));
    form.document.StrGrid.setCurrent(2, 4);
    EXPECT_EQ(colourIn(2, 4), view()->palette().color(QPalette::Highlight));
    form.document.StrGrid.setCurrent(3, 4);
    view()->clearFocus();
    EXPECT_EQ(colourIn(3, 4), QColor(64, 64, 240));
}

// Every key combination belongs to one action only: Qt treats a press that
// matches two shortcuts as ambiguous and runs neither.
TEST_F(CellPaintingTest, EachShortcutBelongsToExactlyOneAction) {
    std::map<QString, QString> owner;
    for (QAction* a : window->findChildren<QAction*>()) {
        EXPECT_LE(a->shortcuts().size(), 1) << a->objectName().toStdString();
        for (const QKeySequence& k : a->shortcuts()) {
            auto [it, fresh] = owner.emplace(k.toString(), a->objectName());
            EXPECT_TRUE(fresh) << k.toString().toStdString() << ": " << it->second.toStdString() << " and "
                               << a->objectName().toStdString();
        }
    }
}

TEST_F(CellPaintingTest, CtrlLessJumpsBackAndCtrlGreaterJumpsForward) {
    GridView* v = view();
    v->setFocus();
    form.document.StrGrid.setCurrent(2, 4);
    QTest::keyClick(v, Qt::Key_A);
    form.document.StrGrid.setCurrent(4, 6);
    QTest::keyClick(v->editor(), Qt::Key_B);
    form.document.StrGrid.setCurrent(5, 7);
    QTest::keyClick(v, Qt::Key_Less, Qt::ControlModifier);
    EXPECT_EQ(QPoint(form.document.StrGrid.col(), form.document.StrGrid.row()), QPoint(4, 6));
    QTest::keyClick(v, Qt::Key_Less, Qt::ControlModifier);
    EXPECT_EQ(QPoint(form.document.StrGrid.col(), form.document.StrGrid.row()), QPoint(2, 4));
    // Shift with the key beside the left Shift key gives ">" on a German layout.
    QTest::keyClick(v, Qt::Key_Greater, Qt::ControlModifier);
    EXPECT_EQ(QPoint(form.document.StrGrid.col(), form.document.StrGrid.row()), QPoint(4, 6));
    EXPECT_FALSE(window->action("ToolButton16")->isEnabled());
}

TEST(ColsAndRowsDialogWindow, ARefusedOkKeepsTheDialogOpenOnTheWrongField) {
    testing::FakeDialogs dialogs;
    ColsAndRowsDialog core(dialogs);
    ColsAndRowsDialogWindow window(core, nullptr);
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    ASSERT_NE(ok, nullptr);
    bool checked = false;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ(window.colsField()->text(), QStringLiteral("4"));
        EXPECT_EQ(window.rowsField()->text(), QStringLiteral("2"));
        window.colsField()->clear();
        QTest::keyClicks(window.colsField(), QStringLiteral("abc"));
        window.rowsField()->clear();
        QTest::keyClicks(window.rowsField(), QStringLiteral("0"));
        window.colsField()->setFocus();
        ok->click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(dialogs.messages.size(), 2u);
        EXPECT_EQ(window.focusWidget(), window.rowsField());
        window.colsField()->clear();
        QTest::keyClicks(window.colsField(), QStringLiteral("12"));
        window.rowsField()->clear();
        QTest::keyClicks(window.rowsField(), QStringLiteral("30"));
        checked = true;
        ok->click();
    });
    EXPECT_TRUE(window.run());
    EXPECT_TRUE(checked);
    EXPECT_EQ(core.columnCount(), 13);
    EXPECT_EQ(core.rowCount(), 31);
    // Shown again, it offers the last values; Escape cancels.
    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ(window.colsField()->text(), QStringLiteral("12"));
        EXPECT_EQ(window.rowsField()->text(), QStringLiteral("30"));
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_FALSE(window.run());
}

}  // namespace
}  // namespace tabulyst::ui
