#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWindow>

#include "core/app/MainForm.h"
#include "core/macros/MacroBuffer.h"
#include "core/macros/MacroKeyDialog.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/GridView.h"
#include "ui/KeyMap.h"
#include "ui/MacroKeyFilter.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"
#include "ui/QtKeyboard.h"

namespace tabulyst::ui {
namespace {

// The real hook, injector and event loop, with the binding dialog scripted.
class MacroPlaybackTest : public ::testing::Test {
protected:
    MacroPlaybackTest() : form(platform(), settingsFolder.file("tabulyst")), filter(form.macros.hook) {
        form.FormCreate();
        form.document.StrGrid.setColCount(4);
        form.document.StrGrid.setRowCount(4);
        window = std::make_unique<MainWindow>(form);
        window->show();
        window->activateWindow();
        QApplication::instance()->installEventFilter(&filter);
        QApplication::processEvents();
    }
    Platform platform() {
        Platform p = fake.platform();
        p.events = &desktop;
        p.keyboard = &keyboard;
        return p;
    }
    // A key typed on the keyboard, delivered to the window as the window system does.
    void send(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers m, const QString& text) {
        QTest::sendKeyEvent(type == QEvent::KeyPress ? QTest::Press : QTest::Release, window->windowHandle(), key, text, m);
        QApplication::processEvents();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        send(QEvent::KeyPress, key, m, text);
    }
    void release(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        send(QEvent::KeyRelease, key, m, text);
    }
    void click(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) {
        press(key, m, text);
        release(key, m, text);
    }
    std::string cell(int col, int row) { return std::string(form.document.StrGrid.cell(col, row)); }

    testing::FakePlatform fake;
    QtDesktop desktop;
    QtKeyboard keyboard;
    testing::TempFolder settingsFolder;
    MainForm form;
    MacroKeyFilter filter;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MacroPlaybackTest, ARecordedMacroPlaysIntoTheGridWithItsShiftedKeysAndMoves) {
    form.document.StrGrid.setCurrent(1, 1);
    window->action("mnuMainStartReceiving")->trigger();
    ASSERT_TRUE(form.macros.recorder.MacroRecording);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" **Aufzeichnung läuft** "));
    // "a", Shift+"b", "7", Tab, "ß", Return
    click(Qt::Key_A, Qt::NoModifier, "a");
    press(Qt::Key_Shift, Qt::ShiftModifier);
    click(Qt::Key_B, Qt::ShiftModifier, "B");
    release(Qt::Key_Shift);
    click(Qt::Key_7, Qt::NoModifier, "7");
    click(Qt::Key_Tab);
    click(Qt::Key_ssharp, Qt::NoModifier, QStringLiteral("ß"));
    click(Qt::Key_Return);
    EXPECT_EQ(cell(1, 1), "aB7");
    EXPECT_EQ(cell(2, 1), "\xDF");

    fake.dialogs.macroKeyScripts.push_back([](MacroKeyDialog& d) {
        d.select(2);
        return true;
    });
    press(Qt::Key_Control, Qt::ControlModifier);
    press(Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);
    click(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    release(Qt::Key_Shift, Qt::ControlModifier);
    release(Qt::Key_Control);
    ASSERT_FALSE(form.macros.recorder.MacroRecording);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(form.windowText()));
    ASSERT_TRUE(settingsFolder.exists("Macro5.MDE"));

    form.document.StrGrid.setCurrent(1, 3);
    click(Qt::Key_F5);
    EXPECT_EQ(cell(1, 3), "aB7");
    EXPECT_EQ(cell(2, 3), "\xDF");
    EXPECT_FALSE(form.document.StrGrid.editorOpen());
    EXPECT_EQ(form.document.StrGrid.row(), 3);
    EXPECT_EQ(form.document.StrGrid.col(), 2);
    // Row 2 was never touched; the played Ctrl+Shift+P stopped nothing, as no recording ran.
    EXPECT_EQ(cell(1, 2), "");
    EXPECT_FALSE(form.macros.recorder.MacroRecording);

    // With Ctrl held F5 plays nothing.
    form.document.StrGrid.setCurrent(1, 2);
    press(Qt::Key_Control, Qt::ControlModifier);
    click(Qt::Key_F5, Qt::ControlModifier);
    release(Qt::Key_Control);
    EXPECT_EQ(cell(1, 2), "");
}

TEST_F(MacroPlaybackTest, InjectedModifiersReachMenuShortcuts) {
    // Ctrl+Shift+R injected as keys starts recording through the menu's shortcut.
    keyboard.injectKey(vk::Control, false);
    keyboard.injectKey(vk::Shift, false);
    keyboard.injectKey('R', false);
    QApplication::processEvents();
    EXPECT_TRUE(form.macros.recorder.MacroRecording);
    for (std::uint16_t key : {std::uint16_t('R'), vk::Shift, vk::Control}) keyboard.injectKey(key, true);
    QApplication::processEvents();
    // Recording began after the shortcut: only its releases are in the buffer.
    const auto& b = form.macros.recorder.MacroBuffer;
    EXPECT_EQ(form.macros.recorder.MacroEventCount, 3);
    EXPECT_EQ(b.up[0], 'R');
    EXPECT_EQ(b.up[2], vk::Control);
}

// Typed on a German keyboard, Ctrl+Shift+<> arrives as Ctrl+Shift+">" and
// matches the jump forward's Ctrl+>; played back it must do the same.
TEST_F(MacroPlaybackTest, InjectedJumpKeysWalkBackAndForwardThroughTheEditedCells) {
    auto edit = [this](int col, int row) {
        form.document.StrGrid.setCurrent(col, row);
        form.document.StrGrid.openEditor();
        form.document.StrGrid.editorTextChanged("x");
    };
    edit(1, 1);
    edit(2, 2);
    edit(3, 3);
    form.document.StrGrid.setCurrent(1, 3);
    auto chord = [this](std::initializer_list<std::uint16_t> keys) {
        for (std::uint16_t key : keys) keyboard.injectKey(key, false);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) keyboard.injectKey(*it, true);
        QApplication::processEvents();
        return std::make_pair(form.document.StrGrid.col(), form.document.StrGrid.row());
    };
    EXPECT_EQ(chord({vk::Control, vk::Oem102}), std::make_pair(3, 3));
    EXPECT_EQ(chord({vk::Control, vk::Oem102}), std::make_pair(2, 2));
    EXPECT_EQ(chord({vk::Control, vk::Oem102}), std::make_pair(1, 1));
    EXPECT_EQ(chord({vk::Control, vk::Shift, vk::Oem102}), std::make_pair(2, 2));
    EXPECT_EQ(chord({vk::Control, vk::Shift, vk::Oem102}), std::make_pair(3, 3));
}

// A recording that reached its limit with Shift held kept the press and lost the release.
TEST_F(MacroPlaybackTest, ShiftLeftHeldByAMacroIsReleasedWhenItEnds) {
    MacroBuffer cutOff;
    cutOff.down[0] = vk::Shift;
    cutOff.down[1] = 'A';
    cutOff.up[2] = 'A';
    settingsFolder.write("Macro6.MDE", cutOff.bytes());
    MacroBuffer plain;
    plain.down[0] = 'B';
    plain.up[1] = 'B';
    settingsFolder.write("Macro7.MDE", plain.bytes());

    form.document.StrGrid.setCurrent(1, 1);
    click(Qt::Key_F6);
    click(Qt::Key_F7);  // plays, as no Shift is held, and types a small letter
    click(Qt::Key_F7);
    EXPECT_EQ(cell(1, 1), "Abb");
}

TEST(KeyMapTest, GermanKeysMapBothWaysWithTheirShiftedCharacters) {
    struct Case {
        std::uint16_t vk;
        Qt::Key key, shiftedKey;
        const char* text;
        const char* shiftedText;
    };
    const Case cases[] = {
        {'A', Qt::Key_A, Qt::Key_A, "a", "A"},
        {'7', Qt::Key_7, Qt::Key_Slash, "7", "/"},
        {'0', Qt::Key_0, Qt::Key_Equal, "0", "="},
        {vk::OemPlus, Qt::Key_Plus, Qt::Key_Asterisk, "+", "*"},
        {vk::Oem4, Qt::Key_ssharp, Qt::Key_Question, "ß", "?"},
        {vk::Oem7, Qt::Key_Adiaeresis, Qt::Key_Adiaeresis, "ä", "Ä"},
        {vk::Oem102, Qt::Key_Less, Qt::Key_Greater, "<", ">"},
        {vk::OemComma, Qt::Key_Comma, Qt::Key_Semicolon, ",", ";"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyOf(c.key), c.vk) << c.text;
        EXPECT_EQ(virtualKeyOf(c.shiftedKey), c.vk) << c.shiftedText;
        QtKeyPress plain = qtKeyPressOf(c.vk, mods::None);
        QtKeyPress shifted = qtKeyPressOf(c.vk, mods::Shift);
        EXPECT_EQ(plain.key, c.key);
        EXPECT_EQ(plain.text, QString::fromUtf8(c.text));
        EXPECT_EQ(shifted.key, c.shiftedKey);
        EXPECT_EQ(shifted.text, QString::fromUtf8(c.shiftedText));
        EXPECT_EQ(shifted.modifiers, Qt::ShiftModifier);
    }
    // The keypad has keys of its own; with Ctrl nothing is typed.
    EXPECT_EQ(virtualKeyOf(Qt::Key_Plus, true), vk::Add);
    EXPECT_EQ(virtualKeyOf(Qt::Key_3, true), vk::Numpad0 + 3);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Home, true), vk::Home);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Enter, true), vk::Return);
    EXPECT_EQ(qtKeyPressOf(vk::Add, mods::None).modifiers, Qt::KeypadModifier);
    EXPECT_EQ(qtKeyPressOf('C', mods::Ctrl).text, QString());
    EXPECT_EQ(qtKeyPressOf(vk::F5, mods::None).key, Qt::Key_F5);
    EXPECT_EQ(virtualKeyOf(Qt::Key_F12), vk::F12);
}

}  // namespace
}  // namespace tabulyst::ui
