#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/macros/KeyboardMacros.h"
#include "core/macros/MacroFiles.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Event = FakeKeyboard::Injected;
Event down(std::uint16_t key) { return {key, false}; }
Event up(std::uint16_t key) { return {key, true}; }
constexpr std::uint16_t A = 'A', B = 'B', P = 'P';

// The window system in front of the hook: every key, typed or injected,
// passes the hook, and what it does not swallow is dispatched.
class KeyboardMacrosTest : public FormFixture {
protected:
    KeyboardMacrosTest() {
        fake.keyboard.onInject = [this](std::uint16_t key, bool release) { deliver(release ? up(key) : down(key)); };
    }
    MacroKeyHook& hook() { return form->macros.hook; }
    MacroRecorder& recorder() { return form->macros.recorder; }
    std::string path(int number) { return macroFilePath(form->settings, number); }
    std::string fileName(int number) { return path(number).substr(form->settings.folder.size()); }

    void deliver(Event e) {
        if (e.release) hook().keyUp(e.key);
        else if (hook().keyDown(e.key)) return;
        dispatched.push_back(e);
    }
    void tap(std::uint16_t key) {
        deliver(down(key));
        deliver(up(key));
    }
    // Ctrl+Shift+P as typed: the presses pass the hook, the shortcut runs the
    // stop command (with its dialog), and the fingers leave the keys after.
    void stopWithShortcut() {
        for (std::uint16_t key : {vk::Control, vk::Shift, P}) deliver(down(key));
        commands().trigger("mnuMainStopReceiving");
        for (std::uint16_t key : {P, vk::Shift, vk::Control}) deliver(up(key));
    }
    // Records the keys, stops with the shortcut and binds to the dialog's item (-1: cancel).
    void recordAndBind(const std::vector<std::uint16_t>& keys, int item) {
        if (item >= 0)
            fake.dialogs.macroKeyScripts.push_back([item](MacroKeyDialog& d) {
                d.select(item);
                return true;
            });
        commands().trigger("mnuMainStartReceiving");
        for (auto key : keys) tap(key);
        stopWithShortcut();
    }
    // The recorded events in order.
    std::vector<Event> recorded() {
        std::vector<Event> out;
        for (int i = 0; i < recorder().MacroEventCount; ++i) {
            const auto& b = recorder().MacroBuffer;
            out.push_back(b.down[i] ? down(b.down[i]) : up(b.up[i]));
        }
        return out;
    }
    void writeMacro(int number, const std::vector<Event>& events) {
        MacroBuffer buffer;
        for (std::size_t i = 0; i < events.size(); ++i)
            (events[i].release ? buffer.up : buffer.down)[i] = events[i].key;
        settingsFolder.write(fileName(number), buffer.bytes());
    }
    std::vector<Event> injected() const { return fake.keyboard.injected; }
    void clearLogs() {
        fake.keyboard.injected.clear();
        dispatched.clear();
        fake.keyboard.beeps = 0;
    }

    std::vector<Event> dispatched;
};

TEST_F(KeyboardMacrosTest, RecordingKeepsEveryPressAndReleaseAndEndsWithTheStopShortcutsReleases) {
    recordAndBind({A, B}, -1);
    EXPECT_EQ(recorded(), (std::vector<Event>{down(A), up(A), down(B), up(B), down(vk::Control), down(vk::Shift),
                                              down(P), up(P), up(vk::Control), up(vk::Shift)}));
    // The fingers' own releases came after the recording ended.
    EXPECT_EQ(recorder().MacroEventCount, 10);
    EXPECT_EQ(injected(), (std::vector<Event>{up(P), up(vk::Control), up(vk::Shift)}));
    // Each recorded key was dispatched as usual all the same.
    EXPECT_EQ(dispatched.front(), down(A));
}

TEST_F(KeyboardMacrosTest, FunctionKeysAndAltBeepWhileRecordingAndAltsRulesHold) {
    commands().trigger("mnuMainStartReceiving");
    tap(vk::F5);
    tap(vk::F12);
    EXPECT_EQ(recorder().MacroEventCount, 0);
    EXPECT_EQ(fake.keyboard.beeps, 2);
    EXPECT_EQ(dispatched.size(), 4u);  // the keys still act
    // Alt's press beeps and is not kept; presses under Alt are, their releases
    // are not; Alt's own release is.
    deliver(down(vk::Menu));
    tap('D');
    deliver(up(vk::Menu));
    EXPECT_EQ(fake.keyboard.beeps, 3);
    EXPECT_EQ(recorded(), (std::vector<Event>{down('D'), up(vk::Menu)}));
    // Starting again while recording only beeps.
    recorder().mnuMainStartReceivingClick();
    EXPECT_EQ(fake.keyboard.beeps, 4);
    EXPECT_EQ(recorder().MacroEventCount, 2);
    EXPECT_TRUE(recorder().recording());
}

TEST_F(KeyboardMacrosTest, TheCaptionShowsTheRecordingWhileTheCurrentFileStaysForSaving) {
    const std::string table = settingsFolder.file("t.csv");
    settingsFolder.write("t.csv", "a;b\r\n");
    ASSERT_TRUE(form->files.OpenTableFile(table));
    EXPECT_FALSE(commands().state("mnuMainStopReceiving").enabled);
    commands().trigger("mnuMainStartReceiving");
    EXPECT_EQ(form->caption(), " **Aufzeichnung läuft** ");
    EXPECT_EQ(form->document.path(), table);
    EXPECT_FALSE(commands().state("mnuMainStartReceiving").enabled);
    EXPECT_TRUE(commands().state("mnuMainStopReceiving").enabled);

    grid().setCell(1, 1, "x");
    journal().SetModified(true);
    commands().trigger("mnuMainSave");
    EXPECT_EQ(settingsFolder.read("t.csv"), "x;b\r\n");

    stopWithShortcut();
    EXPECT_EQ(form->caption(), table);
    EXPECT_TRUE(commands().state("mnuMainStartReceiving").enabled);
    EXPECT_FALSE(commands().state("mnuMainStopReceiving").enabled);
}

TEST_F(KeyboardMacrosTest, BindingWritesTheChosenKeysFileOfExactly4096BytesAndKeepsTheChoice) {
    recordAndBind({A}, 2);
    EXPECT_EQ(recorder().keyDialog.MacroKeyNumber, 5);
    ASSERT_TRUE(settingsFolder.exists("Macro5.MDE"));
    const std::string bytes = settingsFolder.read("Macro5.MDE");
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("A\0", 2));        // down A, event 0
    EXPECT_EQ(bytes.substr(2048 + 2, 2), std::string("A\0", 2));  // up A, event 1
    EXPECT_FALSE(settingsFolder.exists("MacroSCM.MDE"));

    // The next showing offers F5 again; cancelling still takes its number.
    int offered = -1;
    fake.dialogs.macroKeyScripts.push_back([&](MacroKeyDialog& d) {
        offered = d.itemIndex;
        return false;
    });
    commands().trigger("mnuMainStartReceiving");
    stopWithShortcut();
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(recorder().keyDialog.MacroKeyNumber, 5);
    EXPECT_EQ(settingsFolder.read("MacroSCM.MDE").size(), 4096u);
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

TEST_F(KeyboardMacrosTest, AnExistingMacroIsOverwrittenOnlyAfterYes) {
    const std::string old(4096, '\x01');
    settingsFolder.write("Macro3.MDE", old);
    recordAndBind({A}, 0);
    EXPECT_EQ(fake.dialogs.questions, (std::vector<std::string>{"Bestehendes Makro überschreiben?"}));
    EXPECT_EQ(fake.dialogs.defaultAnswers, (std::vector<DefaultAnswer>{DefaultAnswer::No}));  // Enter keeps the old one
    EXPECT_EQ(settingsFolder.read("Macro3.MDE"), old);
    EXPECT_FALSE(settingsFolder.exists("MacroSCM.MDE"));

    fake.dialogs.answers.push_back(true);
    recordAndBind({B}, 0);
    EXPECT_EQ(settingsFolder.read("Macro3.MDE"), recorder().MacroBuffer.bytes());
}

TEST_F(KeyboardMacrosTest, AnUnmodifiedFunctionKeyPlaysItsMacroAndIsSwallowed) {
    recordAndBind({A, B}, 2);
    const std::vector<Event> macro = recorded();
    clearLogs();

    deliver(down(vk::F5));
    EXPECT_EQ(injected(), macro);
    // The replayed keys reached the program; F5 itself did not.
    EXPECT_EQ(dispatched, macro);
    deliver(up(vk::F5));

    // With Ctrl or Shift held the key passes on and nothing plays.
    for (std::uint16_t modifier : {vk::Control, vk::Shift, vk::Menu}) {
        clearLogs();
        deliver(down(modifier));
        deliver(down(vk::F5));
        deliver(up(vk::F5));
        deliver(up(modifier));
        EXPECT_TRUE(injected().empty());
        EXPECT_EQ(dispatched.size(), 4u);
    }
    // Alt left the program while held: its release is never seen.
    deliver(down(vk::Menu));
    hook().releaseModifiers();
    clearLogs();
    deliver(down(vk::F5));
    EXPECT_EQ(injected(), macro);
}

TEST_F(KeyboardMacrosTest, AMissingMacroLetsTheKeyActAndTheTemporaryMacroPlaysFromTheMenu) {
    deliver(down(vk::F7));
    EXPECT_EQ(dispatched, (std::vector<Event>{down(vk::F7)}));
    commands().trigger("mnuTempMacro");
    EXPECT_TRUE(injected().empty());
    EXPECT_TRUE(fake.dialogs.messages.empty());

    recordAndBind({B}, -1);
    clearLogs();
    commands().trigger("mnuTempMacro");
    EXPECT_EQ(injected(), (std::vector<Event>{down(B), up(B), down(vk::Control), down(vk::Shift), down(P), up(P),
                                              up(vk::Control), up(vk::Shift)}));
    // F12 has a number the binding never offers, but plays its file.
    writeMacro(12, {down(A), up(A)});
    clearLogs();
    deliver(down(vk::F12));
    EXPECT_EQ(injected(), (std::vector<Event>{down(A), up(A)}));
}

TEST_F(KeyboardMacrosTest, PlaybackVisitsEveryEntryAndDoesNotStartAnotherMacro) {
    // A hand-made file whose macro presses its own key: it plays once.
    writeMacro(4, {down(vk::F4), down(A), up(A), up(vk::F4)});
    fake.desktop.eventsProcessed = 0;
    deliver(down(vk::F4));
    EXPECT_EQ(injected(), (std::vector<Event>{down(vk::F4), down(A), up(A), up(vk::F4)}));
    EXPECT_EQ(dispatched, (std::vector<Event>{down(vk::F4), down(A), up(A), up(vk::F4)}));
    // Events are handled one by one, the zero tail included.
    EXPECT_EQ(fake.desktop.eventsProcessed, 2 * MacroBuffer::kEvents);
    EXPECT_FALSE(form->macros.player.playing());
}

TEST_F(KeyboardMacrosTest, ARecordingPastTheBufferRefusesKeysWithABeepAndSaysSo) {
    commands().trigger("mnuMainStartReceiving");
    for (int i = 0; i < 512; ++i) tap(A);
    EXPECT_EQ(fake.keyboard.beeps, 0);
    EXPECT_EQ(form->caption(), " **Aufzeichnung läuft** ");
    tap(B);
    EXPECT_EQ(recorder().MacroEventCount, MacroBuffer::kEvents);
    EXPECT_EQ(fake.keyboard.beeps, 2);
    EXPECT_EQ(form->caption(), " **Aufzeichnung läuft, Makro voll** ");
    EXPECT_EQ(dispatched.back(), up(B));  // refused keys still act
    stopWithShortcut();
    EXPECT_EQ(fake.keyboard.beeps, 2 + 3 + 3);  // Ctrl+Shift+P and the injected releases
    const auto& b = recorder().MacroBuffer;
    EXPECT_EQ(b.down[1022], A);
    EXPECT_EQ(b.up[1023], A);
    EXPECT_EQ(settingsFolder.read("MacroSCM.MDE"), b.bytes());
    EXPECT_EQ(form->caption(), "");
}

TEST_F(KeyboardMacrosTest, KeysHeldWhenTheRecordingFilledUpAreReleasedAfterEachPlayback) {
    commands().trigger("mnuMainStartReceiving");
    for (int i = 0; i < 511; ++i) tap(A);
    deliver(down(vk::Shift));
    deliver(down(vk::Control));  // the 1024th event: both releases are refused
    deliver(up(vk::Control));
    deliver(up(vk::Shift));
    fake.dialogs.macroKeyScripts.push_back([](MacroKeyDialog& d) {
        d.select(2);
        return true;
    });
    stopWithShortcut();
    ASSERT_EQ(recorder().MacroBuffer.down[1023], vk::Control);

    for (int playback = 0; playback < 2; ++playback) {
        clearLogs();
        deliver(down(vk::F5));
        deliver(up(vk::F5));
        const std::vector<Event> played = injected();
        ASSERT_EQ(played.size(), 1024u + 2);
        EXPECT_EQ(std::vector<Event>(played.end() - 4, played.end()),
                  (std::vector<Event>{down(vk::Shift), down(vk::Control), up(vk::Control), up(vk::Shift)}));
        // The hook saw the releases too: F5 plays again instead of passing on as Ctrl+Shift+F5.
        EXPECT_TRUE(std::find(dispatched.begin(), dispatched.end(), down(vk::F5)) == dispatched.end());
    }
}

TEST_F(KeyboardMacrosTest, AShortOrUnreadableMacroFileIsReportedAndPlaysNothing) {
    settingsFolder.write("Macro6.MDE", std::string(4095, 'A'));
    deliver(down(vk::F6));
    EXPECT_TRUE(injected().empty());
    EXPECT_TRUE(dispatched.empty());  // the file exists: the key does nothing else
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_NE(fake.dialogs.messages[0].find("Macro6.MDE"), std::string::npos);
    EXPECT_NE(fake.dialogs.messages[0].find("kürzer als 4096 Bytes"), std::string::npos);

    std::filesystem::create_directory(settingsFolder.path() / "Macro8.MDE");
    deliver(down(vk::F8));
    EXPECT_TRUE(injected().empty());
    EXPECT_EQ(fake.dialogs.messages.size(), 2u);
}

TEST_F(KeyboardMacrosTest, AFailedWriteIsReported) {
    std::filesystem::create_directory(settingsFolder.path() / "MacroSCM.MDE");
    std::filesystem::create_directory(settingsFolder.path() / "MacroSCM.MDE" / "x");
    recordAndBind({A}, -1);
    EXPECT_EQ(fake.dialogs.messages.size(), 1u);
}

TEST(MacroFilesTest, NamesAndTheLittleEndianLayoutOfDownsThenUps) {
    SettingsLocation settings;
    settings.folder = "/cfg/";
    EXPECT_EQ(macroFilePath(settings, 3), "/cfg/Macro3.MDE");
    EXPECT_EQ(macroFilePath(settings, 12), "/cfg/Macro12.MDE");
    EXPECT_EQ(macroFilePath(settings, kTemporaryMacro), "/cfg/MacroSCM.MDE");

    MacroBuffer buffer;
    buffer.down[1] = 0x1234;
    buffer.up[1023] = 0xBEEF;
    const std::string bytes = buffer.bytes();
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_EQ(bytes.substr(2, 2), "\x34\x12");
    EXPECT_EQ(bytes.substr(4094, 2), "\xEF\xBE");
    EXPECT_EQ(bytes.find_first_not_of('\0', 4), 4094u);
    const MacroBuffer back = MacroBuffer::fromBytes(bytes);
    EXPECT_EQ(back.down, buffer.down);
    EXPECT_EQ(back.up, buffer.up);
}

}  // namespace
}  // namespace tabulyst::testing
