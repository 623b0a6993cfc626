#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWindow>
#include <QTest>
#include <QToolBar>

#include "core/window/CommandTable.h"
#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/CellEditor.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"
#include "ui/Text.h"

namespace tabulyst::ui {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : form(fake.platform(), settingsFolder.file("tabulyst")) {
        form.FormCreate();
        window = std::make_unique<MainWindow>(form);
        window->show();
        QApplication::processEvents();
    }
    testing::FakePlatform fake;
    testing::TempFolder settingsFolder;  // settings files of its own, never the user's
    MainForm form;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, MenusFollowTheCommandTableInOrder) {
    QList<QAction*> top = window->menuBar()->actions();
    const auto& menus = mainMenuSpec();
    ASSERT_EQ(top.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t i = 0; i < menus.size(); ++i) {
        EXPECT_EQ(top[static_cast<qsizetype>(i)]->text(), fromUtf8(menus[i].caption));
        if (menus[i].items.empty()) continue;
        QMenu* m = window->menu(std::string(menus[i].name));
        ASSERT_NE(m, nullptr);
        QList<QAction*> items = m->actions();
        for (std::size_t k = 0; k < menus[i].items.size(); ++k) {
            const auto& item = menus[i].items[k];
            QAction* a = items[static_cast<qsizetype>(k)];
            EXPECT_EQ(a->isSeparator(), item.isSeparator()) << item.name;
            if (item.isSeparator()) continue;
            EXPECT_EQ(a->text(), fromUtf8(item.caption)) << item.name;
            EXPECT_EQ(a->isEnabled(), item.enabled) << item.name;
            if (item.shortcut.empty()) EXPECT_TRUE(a->shortcut().isEmpty()) << item.name;
            else EXPECT_FALSE(a->shortcut().isEmpty()) << item.name;
        }
    }
}

TEST_F(MainWindowTest, EditMenuEndsWithTheSixteenContextMenuEntries) {
    QList<QAction*> edit = window->menu("mnuMainEdit")->actions();
    QList<QAction*> popup = window->popupMenu()->actions();
    ASSERT_EQ(popup.size(), 16);
    ASSERT_GE(edit.size(), 16);
    for (int i = 0; i < 16; ++i) {
        QAction* e = edit[edit.size() - 16 + i];
        EXPECT_EQ(e->isSeparator(), popup[i]->isSeparator());
        if (!e->isSeparator()) {
            EXPECT_EQ(e, popup[i]);  // one action: one live shortcut
        }
    }
    EXPECT_EQ(window->action("mnuFind")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    EXPECT_EQ(window->action("mnuMainJumpBackLastChangedCell")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Less));
}

TEST_F(MainWindowTest, ToolbarButtonsCarryIconsHintsAndMirroredStates) {
    auto* bar = window->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(bar, nullptr);
    for (const auto& b : toolBarSpec()) {
        if (b.isSeparator()) continue;
        QAction* a = window->action(std::string(b.name));
        ASSERT_NE(a, nullptr) << b.name;
        EXPECT_EQ(a->toolTip(), fromUtf8(b.hint)) << b.name;
        EXPECT_FALSE(a->icon().isNull()) << b.name;
        EXPECT_EQ(a->isEnabled(), b.enabled) << b.name;
    }
}

TEST_F(MainWindowTest, TypingIntoACellEnablesSaveAndUndoAndReachesTheCore) {
    GridView* view = window->gridView();
    view->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"));
    QApplication::sendEvent(view, &press);
    QApplication::processEvents();
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "\xE4");  // a new table is Windows-1252
    EXPECT_TRUE(window->action("mnuMainSave")->isEnabled());
    EXPECT_TRUE(window->action("ToolButtonSave")->isEnabled());
    EXPECT_TRUE(window->action("btnUndo")->isEnabled());
    window->action("mnuMainUndo")->trigger();
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "");
    EXPECT_TRUE(window->action("btnReUndo")->isEnabled());
}

TEST_F(MainWindowTest, BackspaceAndComposedCharactersStartEditingTheCell) {
    form.document.StrGrid.setCell(1, 1, "old");
    GridView* view = window->gridView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Backspace, Qt::NoModifier);
    ASSERT_TRUE(form.document.StrGrid.editorOpen());
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "");
    EXPECT_TRUE(form.document.journal.Modified);
    form.document.StrGrid.closeEditor();
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00e9"));  // dead key ´ then e
    QApplication::sendEvent(view, &composed);
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "\xE9");
    EXPECT_TRUE(form.document.StrGrid.editorOpen());
}

TEST_F(MainWindowTest, APaintWhileRedrawingIsOffSurvivesAGrownGrid) {
    form.document.StrGrid.beginUpdate();
    for (int i = 0; i < 40; ++i) form.document.StrGrid.insertColumn(1);
    window->gridView()->viewport()->repaint();  // a message box would paint like this
    form.document.StrGrid.endUpdate();
    EXPECT_EQ(window->gridView()->cellAt(window->gridView()->cellRect(3, 1).center()), QPoint(3, 1));
}

TEST_F(MainWindowTest, StayOnTopKeepsTheWindowAboveWithoutMovingIt) {
    const QRect before = window->geometry();
    QAction* a = window->action("mnuStayOnTop");
    a->trigger();
    EXPECT_TRUE(a->isChecked());
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_TRUE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    a->trigger();
    EXPECT_FALSE(a->isChecked());
    EXPECT_FALSE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window->geometry(), before);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, MenuShortcutsWinOverTheCellEditor) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    GridView* view = window->gridView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_X, Qt::NoModifier);
    ASSERT_TRUE(form.document.StrGrid.editorOpen());
    QTest::keyClick(view->editor(), Qt::Key_Y, Qt::NoModifier);
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "xy");
    QTest::keyClick(view->editor(), Qt::Key_Z, Qt::ControlModifier);  // the menu's Undo, not the line edit's
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "");
    EXPECT_EQ(view->editor()->text(), QString());
    EXPECT_TRUE(window->action("mnuMainReUndo")->isEnabled());
}

TEST_F(MainWindowTest, PastingIntoTheCellEditorReachesTheCell) {
    GridView* view = window->gridView();
    QTest::keyClick(view, Qt::Key_A, Qt::NoModifier);
    ASSERT_TRUE(form.document.StrGrid.editorOpen());
    QApplication::clipboard()->setText(QStringLiteral("ü"));
    window->action("mnuPaste")->trigger();
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "a\xFC");
    EXPECT_TRUE(form.document.journal.Modified);
}

TEST_F(MainWindowTest, ACellsLineBreaksShowAsLinesAndKeepTheirBytes) {
    GridView* view = window->gridView();
    FileFormat lf;
    lf.lineEnds = LineEnds::Lf;
    form.document.setFile("", lf);
    form.document.StrGrid.setCell(1, 1, "a\r\n\xA0" "b");  // a no-break space, too, stays one
    QTest::keyClick(view, Qt::Key_F2);
    EXPECT_EQ(view->editor()->text(), QString::fromUtf8("a\n\u00A0b"));
    EXPECT_EQ(view->cellRect(1, 1).height(), form.document.StrGrid.defaultRowHeight());
    EXPECT_GE(view->editor()->height(), view->cellRect(1, 1).height() + view->editor()->fontMetrics().height());
    QTest::keyClick(view->editor(), Qt::Key_X);
    QTest::keyClick(view->editor(), Qt::Key_Return, Qt::AltModifier);  // the cell's line break, not the file's
    QApplication::clipboard()->setText(QStringLiteral("y\nz"));
    window->action("mnuPaste")->trigger();
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "a\r\n\xA0" "bx\r\ny\r\nz");
    QTest::keyClick(view->editor(), Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_C);  // typed over the cell
    QTest::keyClick(view->editor(), Qt::Key_Return, Qt::ControlModifier);  // a new line break: the file's
    QTest::keyClick(view->editor(), Qt::Key_D);
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "c\nd");
}

TEST_F(MainWindowTest, WithoutQuotedFieldsNoLineBreakReachesACell) {
    GridView* view = window->gridView();
    form.document.layout.QuotedFields = false;
    QTest::keyClick(view, Qt::Key_A);
    QTest::keyClick(view->editor(), Qt::Key_Return, Qt::AltModifier);  // ends the edit like Return
    EXPECT_FALSE(form.document.StrGrid.editorOpen());
    QTest::keyClick(view, Qt::Key_F2);
    QApplication::clipboard()->setText(QStringLiteral("b\r\nc"));
    window->action("mnuPaste")->trigger();  // a line break would split the row in the file
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "ab c");
    EXPECT_EQ(view->editor()->text(), QStringLiteral("ab c"));
}

TEST_F(MainWindowTest, ACharacterTheTableLacksIsRefusedOrTurnsTheTableIntoUtf8) {
    GridView* view = window->gridView();
    auto typeChinese = [&](QWidget* into) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\u4e2d"));
        QApplication::sendEvent(into, &press);
    };
    form.document.StrGrid.setCell(1, 1, "K\xF6ln");
    typeChinese(view);  // typing over the cell: refused, the cell stays
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_NE(fake.dialogs.questions[0].find("\u4e2d"), std::string::npos);
    EXPECT_FALSE(form.document.StrGrid.editorOpen());
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "K\xF6ln");

    QTest::keyClick(view, Qt::Key_F2, Qt::NoModifier);
    ASSERT_TRUE(form.document.StrGrid.editorOpen());
    QTest::keyClick(view->editor(), Qt::Key_End, Qt::NoModifier);
    typeChinese(view->editor());  // refused in the editor: its text stays
    EXPECT_EQ(view->editor()->text(), QString::fromUtf8("Köln"));
    fake.dialogs.answers.push_back(true);  // now the table becomes UTF-8
    typeChinese(view->editor());
    EXPECT_TRUE(form.document.format().encoding.utf8);
    EXPECT_EQ(view->editor()->text(), QString::fromUtf8("Köln\u4e2d"));
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "K\xC3\xB6ln\xE4\xB8\xAD");
}

TEST_F(MainWindowTest, TheStatusPanelShowsMarkedCounts) {
    form.document.StrGrid.setColCount(4);
    form.document.StrGrid.setRowCount(4);
    form.document.StrGrid.setCurrent(1, 1);
    form.document.StrGrid.extendTo(2, 2);
    EXPECT_FALSE(window->statusPanel()->isHidden() && window->statusPanel()->text().isEmpty());
    EXPECT_EQ(window->statusPanel()->text(), QStringLiteral("2 marked Rows, 2 marked Columns"));
}

TEST_F(MainWindowTest, TheTitleShowsTheFileAndTheEncodingTheNextSaveWrites) {
    settingsFolder.write("utf8.csv", "\xEF\xBB\xBF" "M\xC3\xBCller\r\n");
    ASSERT_TRUE(form.files.OpenTableFile(settingsFolder.file("utf8.csv")));
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(settingsFolder.file("utf8.csv")) + "  [UTF-8 mit BOM]");
    form.commands.trigger("mnuMainUTF8toAnsi");  // the user takes charge: the cells are saved as they stand
    EXPECT_TRUE(window->windowTitle().endsWith("[Windows-1252]"));
}

TEST(MainWindowAtStart, TheFileMenuShowsTheRecentFilesReadBeforeTheWindowExisted) {
    testing::FakePlatform fake;
    testing::TempFolder settingsFolder;
    {
        ConfigFile config(settingsFolder.file("tabulyst.CFG"));
        for (const char* path : {"/daten/alt.csv", "/daten/mitte.csv", "/daten/neu.csv"}) config.writeString("Recent", path, "1");
    }
    MainForm form(fake.platform(), settingsFolder.file("tabulyst"));
    form.FormCreate();
    MainWindow window(form);
    QList<QAction*> file = window.menu("mnuMainFile")->actions();
    ASSERT_GE(file.size(), 3);
    QStringList shown;
    for (qsizetype i = file.size() - 3; i < file.size(); ++i) shown << file[i]->text();
    EXPECT_EQ(shown, (QStringList{"/daten/neu.csv", "/daten/mitte.csv", "/daten/alt.csv"}));
    EXPECT_TRUE(file[file.size() - 4]->isSeparator());  // right after mnuFileListSep
    // and the entry is live: a click opens its file
    std::string opened;
    form.recent.open = [&](const std::string& path) {
        opened = path;
        return true;
    };
    file[file.size() - 2]->trigger();
    EXPECT_EQ(opened, "/daten/mitte.csv");
}

// Files dragged from a file manager: delivered to the main window, which the grid passes them to.
class FileDropTest : public MainWindowTest {
protected:
    FileDropTest() {
        folder.write("erste.csv", "a;b\r\n");
        folder.write("zweite.csv", "x;y\r\n");
    }
    // Drags data over the window and drops it; true when the window took the drag.
    bool drop(const QMimeData& data) {
        const QPoint at = window->gridView()->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        QApplication::processEvents();
        return enter.isAccepted() && dropped.isAccepted();
    }
    std::unique_ptr<QMimeData> files(const QStringList& names) {
        QList<QUrl> urls;
        for (const QString& name : names) urls << QUrl::fromLocalFile(QString::fromStdString(folder.file(name.toStdString())));
        auto data = std::make_unique<QMimeData>();
        data->setUrls(urls);
        return data;
    }
    testing::TempFolder folder;
};

TEST_F(FileDropTest, ADroppedFileOpensSeveralOpenTheFirstAndAModifiedTableAsks) {
    EXPECT_TRUE(window->acceptDrops());
    EXPECT_FALSE(window->gridView()->acceptDrops() || window->gridView()->viewport()->acceptDrops());
    ASSERT_TRUE(drop(*files({"erste.csv"})));
    EXPECT_EQ(form.document.path(), folder.file("erste.csv"));
    EXPECT_TRUE(window->windowTitle().startsWith(QString::fromStdString(folder.file("erste.csv"))));
    EXPECT_EQ(form.document.StrGrid.cell(2, 1), "b");
    ASSERT_TRUE(drop(*files({"zweite.csv", "erste.csv"})));
    EXPECT_EQ(form.document.path(), folder.file("zweite.csv"));
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "x");
    EXPECT_TRUE(fake.dialogs.questions.empty());

    QTest::keyClick(window->gridView(), Qt::Key_Q);  // modified: a drop asks first, No keeps the table
    fake.dialogs.answers = {false};
    drop(*files({"erste.csv"}));
    EXPECT_EQ(fake.dialogs.questions, std::vector<std::string>{"Änderungen verwerfen und neue Datei laden?"});
    EXPECT_EQ(form.document.path(), folder.file("zweite.csv"));
    EXPECT_EQ(form.document.StrGrid.cell(1, 1), "q");
}

TEST_F(FileDropTest, TextWebLinksAndFoldersAreNoFileToOpen) {
    QMimeData text;
    text.setText(QString::fromStdString(folder.file("erste.csv")));
    EXPECT_FALSE(drop(text));
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("https://example.org/tabelle.csv"))});
    EXPECT_FALSE(drop(link));
    QMimeData dir;
    dir.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder.path().string()))});
    EXPECT_FALSE(drop(dir));
    EXPECT_EQ(form.document.path(), "");
    EXPECT_TRUE(fake.dialogs.questions.empty());
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(MainWindowTest, ToolbarButtonsShowTheDesktopThemesIcons) {
    const std::map<std::string, QString> expected{
        {"ToolButton5", "document-new"}, {"ToolBtnOpen", "document-open"}, {"ToolBtnReload", "view-refresh"},
        {"ToolButtonSave", "document-save"}, {"ToolButton14", "document-print"}, {"btnCut", "edit-cut"},
        {"btnCopy", "edit-copy"}, {"btnPaste", "edit-paste"}, {"btnUndo", "edit-undo"}, {"btnReUndo", "edit-redo"},
        {"btnFind", "edit-find"}, {"btnReplace", "edit-find-replace"}, {"ToolButton15", "go-previous"},
        {"ToolButton16", "go-next"}, {"ToolButton4", "preferences-system"}, {"btnSetBookMark", "bookmark-new"},
        {"btnNextBookMark", "go-down"}, {"btnPrevBookMark", "go-up"}, {"btnDeleteBookMarks", "edit-clear"},
        {"ToolButton8", "help-about"}};
    for (const auto& b : toolBarSpec()) {
        if (b.isSeparator()) continue;
        QAction* a = window->action(std::string(b.name));
        ASSERT_NE(a, nullptr) << b.name;
        EXPECT_FALSE(a->icon().name().isEmpty()) << b.name << " shows no theme icon";
        EXPECT_FALSE(a->icon().pixmap(16).isNull()) << b.name;
        auto it = expected.find(std::string(b.name));
        if (it != expected.end()) {
            EXPECT_EQ(a->icon().name(), it->second) << b.name;
        }
    }
}

TEST(SystemClipboard, BareLineFeedsArriveAsLineBreaksOfTheTable) {
    QtDesktop desktop;
    QApplication::clipboard()->setText(QStringLiteral("a;b\nc;d\r\ne"));
    EXPECT_EQ(desktop.text(), "a;b\r\nc;d\r\ne");
}

TEST(TextConversion, CellsShowInTheirTablesEncoding) {
    EXPECT_EQ(fromCell("\x80\xFC", text::TextEncoding::Windows1252), QString::fromUtf8("\u20ac\u00fc"));
    EXPECT_EQ(fromCell("\xC5\x81\xF0\x9F\x98\x80", text::TextEncoding::Utf8), QString::fromUtf8("\u0141\U0001F600"));
    EXPECT_EQ(toUtf8(QString::fromUtf8("\u4e2d")), "\xE4\xB8\xAD");
}

}  // namespace
}  // namespace tabulyst::ui
