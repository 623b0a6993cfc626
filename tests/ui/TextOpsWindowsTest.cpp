#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/app/AboutWindow.h"
#include "core/app/MainForm.h"
#include "core/textops/ValueDialog.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/AboutDialog.h"
#include "ui/CellEditor.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "ui/QtOpener.h"
#include "ui/QtWindowGeometry.h"
#include "ui/Text.h"
#include "ui/ValueDialogWindow.h"

namespace tabulyst::ui {
namespace {

template <class W>
W* activeModal() {
    return qobject_cast<W*>(QApplication::activeModalWidget());
}

TEST(ValueDialogWindowTest, TypingKeepsToFourDigitsAndOkHandsTheTextOver) {
    QtDialogs dialogs;
    ValueDialog dialog(dialogs);
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* window = activeModal<ValueDialogWindow>();
        ASSERT_NE(window, nullptr);
        shown = window->edit()->text();
        // The offered value is selected: the first digit replaces it.
        QTest::keyClicks(window->edit(), QStringLiteral("7a-x8 90123"));
        EXPECT_EQ(window->edit()->text(), QStringLiteral("7890"));
        QTest::keyClick(window->edit(), Qt::Key_Backspace);
        EXPECT_EQ(window->edit()->text(), QStringLiteral("789"));
        window->findChild<QPushButton*>(QStringLiteral("btnBottomOK"))->click();
    });
    ASSERT_TRUE(dialog.AskValue("50", "Neue, feste Zellenlänge eingeben", "Feste Zellenlänge", 4, "0123456789\b"));
    EXPECT_EQ(shown, QStringLiteral("50"));
    EXPECT_EQ(dialog.GetValue(), "789");

    QTimer::singleShot(0, [&] {
        auto* window = activeModal<ValueDialogWindow>();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), fromUtf8("Neue, maximale Zellenlänge eingeben"));
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblString"))->text(), fromUtf8("Maximale Zellenlänge"));
        EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("btnBottomCancel"))->text(), QStringLiteral("Abbruch"));
        QTest::keyClicks(window->edit(), QStringLiteral("12"));
        QTest::keyClick(window->edit(), Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.AskValue("789", "Neue, maximale Zellenlänge eingeben", "Maximale Zellenlänge", 4, "0123456789\b"));
    EXPECT_EQ(dialog.GetValue(), "789");
}

TEST(AboutDialogTest, ShowsTheTextsAndOpensTheLinksOnALeftClick) {
    testing::FakeOpener opener;
    QtDialogs dialogs;
    Commands commands;
    AboutWindow about(commands, dialogs, &opener);
    about.FormCreate("");
    AboutDialog window(about, nullptr);
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("About Tabulyst"));
        EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("lblCredit"))->text().endsWith(QStringLiteral("; V<>")));
        auto* memo = window.findChild<QPlainTextEdit*>();
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("Vielen Dank an :\n\n")));
        auto* mail = window.findChild<QLabel*>(QStringLiteral("lblMailTo"));
        EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(mail, Qt::RightButton);
        QTest::mouseClick(mail, Qt::LeftButton);
        QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("lblWWW")), Qt::LeftButton);
        window.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    });
    window.run();
    EXPECT_EQ(opener.targets, (std::vector<std::string>{about.mailLink(), about.webLink()}));
}

// The opener program is started directly: its one argument holds the text as it is.
TEST(QtOpenerTest, TheTextIsOneArgumentAndNoShellSeesIt) {
    testing::TempFolder folder;
    folder.write("opener", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"$(dirname \"$0\")/args\"\nexit 3\n");
    std::filesystem::permissions(folder.path() / "opener", std::filesystem::perms::owner_all);
    QtOpener opener(QString::fromStdString(folder.file("opener")));
    const std::string target = "x-y: a  b ; touch " + folder.file("pwned") + " $(touch " + folder.file("pwned2") + ")";
    QEventLoop loop;
    OpenerExit outcome;
    opener.open(target, [&](OpenerExit exit) {
        outcome = exit;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(folder.read("args"), "1|" + target + "|");
    EXPECT_FALSE(folder.exists("pwned"));
    EXPECT_FALSE(folder.exists("pwned2"));

    QtOpener missing(QString::fromStdString(folder.file("no such opener")));
    bool answered = false;
    missing.open("https://example.org", [&](OpenerExit exit) {
        answered = true;
        EXPECT_FALSE(exit.started);
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!answered) loop.exec();
    EXPECT_TRUE(answered);
}

class OnTheMainWindowTest : public ::testing::Test {
protected:
    OnTheMainWindowTest() {
        Platform p = fake.platform();
        p.geometry = &geometry;
        form = std::make_unique<MainForm>(p, settingsFolder.file("tabulyst"));
        form->FormCreate();
        StringGrid& g = form->document.StrGrid;
        g.setColCount(5);
        g.setRowCount(6);
        for (int c = 0; c < 5; ++c) g.setCell(c, 0, std::to_string(c));
        window = std::make_unique<MainWindow>(*form);
        geometry.setWindow(window.get());
        window->show();
        QApplication::processEvents();
    }
    // The list closed from its own event goes at the next turn of the event loop.
    QListWidget* list() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window->findChild<QListWidget*>(QStringLiteral("ColumnPickerList"));
    }
    bool menusEnabled() {
        for (QAction* a : window->menuBar()->actions())
            if (!a->isEnabled()) return false;
        return true;
    }
    void open() {
        window->action("mnuMainCellSelection")->trigger();
        QApplication::processEvents();
    }

    testing::FakePlatform fake;
    testing::TempFolder settingsFolder;
    QtWindowGeometry geometry;
    std::unique_ptr<MainForm> form;
    std::unique_ptr<MainWindow> window;
};

TEST_F(OnTheMainWindowTest, AYellowListOverTheCurrentCellWhileGridAndMenusRest) {
    form->document.StrGrid.setCurrent(2, 3);
    open();
    QListWidget* l = list();
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->isVisible());
    EXPECT_EQ(l->count(), 4);
    EXPECT_EQ(l->currentRow(), 1);
    EXPECT_EQ(l->palette().color(QPalette::Base), QColor(255, 255, 160));
    EXPECT_EQ(l->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(l->height(), 54);
    GridView* grid = window->gridView();
    const QPoint cell = grid->viewport()->mapTo(window.get(), grid->cellRect(2, 3).topLeft());
    EXPECT_EQ(l->pos(), cell);
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(menusEnabled());
    EXPECT_TRUE(l->hasFocus() || QApplication::focusWidget() == l);

    QTest::keyClick(l, Qt::Key_Down);
    QTest::keyClick(l, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(list(), nullptr);
    EXPECT_EQ(form->document.StrGrid.col(), 3);
    EXPECT_EQ(form->document.StrGrid.row(), 3);
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_TRUE(menusEnabled());
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(OnTheMainWindowTest, RightClicksDoNotPickLeftClicksDoAndEscapeLeaves) {
    form->document.StrGrid.setCurrent(1, 1);
    open();
    QListWidget* l = list();
    ASSERT_NE(l, nullptr);
    const QPoint third = l->visualItemRect(l->item(2)).center();
    QTest::mouseClick(l->viewport(), Qt::RightButton, {}, third);
    QApplication::processEvents();
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(form->document.StrGrid.col(), 1);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, third);
    QApplication::processEvents();
    EXPECT_EQ(list(), nullptr);
    EXPECT_EQ(form->document.StrGrid.col(), 3);

    open();
    ASSERT_NE(list(), nullptr);
    QTest::keyClick(list(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(list(), nullptr);
    EXPECT_EQ(form->document.StrGrid.col(), 3);
    EXPECT_TRUE(menusEnabled());
}

TEST_F(OnTheMainWindowTest, MenuShortcutsRestWhileTheListIsOpen) {
    form->document.StrGrid.setCell(1, 1, "klein");
    form->document.StrGrid.setCurrent(1, 1);
    open();
    ASSERT_NE(list(), nullptr);
    QTest::keyClick(list(), Qt::Key_U, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(form->document.StrGrid.cell(1, 1), "klein");
    QTest::keyClick(list(), Qt::Key_Escape);
    // Closed again, the same key reaches its command.
    QTest::keyClick(window->gridView(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(form->document.StrGrid.cell(1, 1), "KLEIN");
}

TEST_F(OnTheMainWindowTest, AnOpenCellEditorShowsWhatACaseCommandWrote) {
    form->document.StrGrid.setCell(1, 2, "klein");
    form->document.StrGrid.setCurrent(1, 2);
    GridView* grid = window->gridView();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_TRUE(grid->editor()->isVisible());
    QTest::keyClicks(grid->editor(), QStringLiteral("er"));
    QTest::keyClick(grid->editor(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(grid->editor()->text(), QStringLiteral("KLEINER"));
    QTest::keyClicks(grid->editor(), QStringLiteral("x"));
    EXPECT_EQ(form->document.StrGrid.cell(1, 2), "KLEINERx");
}

}  // namespace
}  // namespace tabulyst::ui
