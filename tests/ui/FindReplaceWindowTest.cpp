#include "ui/FindReplaceWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/GridView.h"
#include "ui/KeyMap.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"
#include "ui/QtDialogs.h"
#include "ui/QtKeyboard.h"

namespace tabulyst::ui {
namespace {

// Types text as key presses carrying the characters (umlauts included).
void typeInto(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

// The main window with the real find and replace windows, on a table of
// three columns and three rows, "M\xFCller" in column 2 of row 3.
class FindReplaceWindowTest : public ::testing::Test {
protected:
    FindReplaceWindowTest() : form(platform(), settingsFolder.file("tabulyst")) {
        form.FormCreate();
        form.locale = Locale::german();
        StringGrid& g = form.document.StrGrid;
        g.setColCount(4);
        g.setRowCount(4);
        for (int r = 1; r < 4; ++r)
            for (int c = 1; c < 4; ++c) g.setCell(c, r, "Zelle");
        g.setCell(2, 3, "M\xFCller");
        for (int c = 0; c < 4; ++c) g.setCell(c, 0, std::to_string(c));
        form.document.journal.ClearJournal();
        window = std::make_unique<MainWindow>(form);
        dialogs.setParent(window.get());
        window->show();
        QApplication::processEvents();
    }
    Platform platform() {
        Platform p = fake.platform();
        p.dialogs = &dialogs;
        p.events = &desktop;
        p.keyboard = &keyboard;
        return p;
    }
    // A key as a played macro injects it, without the events it lets run after each half.
    void tap(std::uint16_t key) {
        keyboard.injectKey(key, false);
        keyboard.injectKey(key, true);
    }
    testing::FakePlatform fake;
    QtDialogs dialogs;
    QtDesktop desktop;
    QtKeyboard keyboard;
    testing::TempFolder settingsFolder;
    MainForm form;
    std::unique_ptr<MainWindow> window;
};

TEST_F(FindReplaceWindowTest, TypingAndEnterInTheFindDialogMovesTheCurrentCell) {
    window->action("mnuFind")->trigger();
    FindReplaceWindow* find = dialogs.findWindow();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(find->isModal());
    EXPECT_EQ(find->windowTitle(), QStringLiteral("Suchen"));
    EXPECT_EQ(form.StatusBar.text(), " Suchen");

    typeInto(find->findEdit(), QString::fromUtf8("müller"));
    QTest::keyClick(find->findEdit(), Qt::Key_Return);
    EXPECT_EQ(form.document.StrGrid.col(), 2);
    EXPECT_EQ(form.document.StrGrid.row(), 3);
    EXPECT_TRUE(find->isVisible());  // it stays open beside the window

    // Escape closes it; opened again it keeps its text.
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_FALSE(form.StatusBar.visible());
    EXPECT_EQ(form.findReplace.ReplaceCounter, 0);
    window->action("mnuFindInCurrentCol")->trigger();
    EXPECT_EQ(dialogs.findWindow(), find);
    EXPECT_EQ(find->findEdit()->text(), QString::fromUtf8("müller"));
}

// On a desktop the window system activates a newly shown window some time
// later, while a played macro injects its next key at once: injecting right
// after the command, before any event ran, is that moment.
TEST_F(FindReplaceWindowTest, KeysOfAPlayedMacroReachTheFindDialogAndAfterItsCloseTheGrid) {
    form.document.StrGrid.setCurrent(1, 1);
    window->action("mnuFind")->trigger();
    FindReplaceWindow* find = dialogs.findWindow();
    ASSERT_NE(find, nullptr);
    tap('M');
    tap(vk::Oem1);
    QApplication::processEvents();
    EXPECT_EQ(find->findEdit()->text(), QString::fromUtf8("mü"));
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "Zelle");
    EXPECT_FALSE(form.document.StrGrid.editorOpen());
    tap(vk::Return);
    QApplication::processEvents();
    EXPECT_EQ(form.document.StrGrid.col(), 2);
    EXPECT_EQ(form.document.StrGrid.row(), 3);

    tap(vk::Escape);
    QApplication::processEvents();
    tap('Z');
    QApplication::processEvents();
    EXPECT_FALSE(find->isVisible());
    EXPECT_EQ(find->findEdit()->text(), QString::fromUtf8("mü"));
    EXPECT_EQ(form.document.StrGrid.cell(2, 3), "z");
}

TEST_F(FindReplaceWindowTest, TheReplaceDialogReplacesEveryMatchAndReportsTheCount) {
    window->action("mnuReplace")->trigger();
    FindReplaceWindow* replace = dialogs.replaceWindow();
    ASSERT_NE(replace, nullptr);
    EXPECT_EQ(replace->windowTitle(), QStringLiteral("Ersetzen"));
    QTest::keyClicks(replace->findEdit(), QStringLiteral("Zelle"));
    typeInto(replace->replaceEdit(), QString::fromUtf8("Stück"));
    QPushButton* all = nullptr;
    for (auto* b : replace->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Alle ersetzen")) all = b;
    ASSERT_NE(all, nullptr);
    QTest::mouseClick(all, Qt::LeftButton);
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "St\xFC" "ck");
    EXPECT_EQ(form.document.StrGrid.cell(2, 3), "M\xFCller");
    replace->close();
    EXPECT_EQ(form.StatusBar.text(), " Ersetzen - 8 Ersetzungen getätigt");
}

TEST_F(FindReplaceWindowTest, AClickOnAColumnHeaderSortsByIt) {
    GridView* view = window->gridView();
    form.document.StrGrid.setCell(1, 1, "c");
    form.document.StrGrid.setCell(1, 2, "a");
    form.document.StrGrid.setCell(1, 3, "b");
    QApplication::processEvents();
    const QRect header = view->cellRect(1, 0);
    ASSERT_FALSE(header.isEmpty());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, header.center());
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "a");
    EXPECT_EQ(form.document.StrGrid.cell(1, 3), "c");
    // A click on the column's border grip does not sort, also where a narrow
    // column's middle eight tenths reach the grip.
    ASSERT_LT(header.width(), 20);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header.left() + header.width() - 2, header.center().y()));
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "a");
}

}  // namespace
}  // namespace tabulyst::ui
