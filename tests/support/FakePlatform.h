#pragma once
// A scripted desktop for core tests: confirmations answered from a queue,
// every message and question recorded, file choices from a queue.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

namespace tabulyst::testing {

class FakeDialogs : public Dialogs {
public:
    std::deque<bool> answers;  // confirmations; an empty queue answers No
    std::deque<std::optional<std::string>> files;  // open and save choices; empty: cancelled
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<DefaultAnswer> defaultAnswers;  // one per question

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& text, DefaultAnswer byDefault) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string& fileName) override;
    std::string lastFolder;

    // The layout and field-length dialogs: each showing takes the next script,
    // which works the controls and returns true for OK (the layout dialog's
    // OK handler then runs as the button would); an empty queue cancels.
    std::deque<std::function<bool(LayoutDialog&)>> layoutScripts;
    std::deque<std::function<bool(FieldLengthDialog&)>> fieldLengthScripts;
    int layoutShown = 0;
    int fieldLengthShown = 0;
    bool showLayoutDialog(LayoutDialog& dialog) override;
    bool showFieldLengthDialog(FieldLengthDialog& dialog) override;

    // The check-list chooser: each showing records the caption and takes the
    // next script, which works the list and returns true for OK; an empty
    // queue cancels.
    std::deque<std::function<bool(StringsChooser&)>> chooserScripts;
    std::vector<std::string> chooserCaptions;
    bool showStringsChooser(StringsChooser& chooser) override;

    // The new-table dialog: each press of a button takes the next script,
    // which works the fields and returns true for OK (then the dialog's own
    // check runs, and a refused OK takes the next script) or false for
    // Cancel; an empty queue cancels.
    std::deque<std::function<bool(ColsAndRowsDialog&)>> colsAndRowsScripts;
    int colsAndRowsShown = 0;
    bool showColsAndRowsDialog(ColsAndRowsDialog& dialog) override;
    // The modeless find and replace dialogs: each showing is counted; a test
    // then works the dialog's fields and buttons itself.
    int findShown = 0;
    int replaceShown = 0;
    void showFindDialog(FindTextDialog&) override { ++findShown; }
    void showReplaceDialog(ReplaceTextDialog&) override { ++replaceShown; }
    // The macro key chooser: each showing takes the next script, which picks
    // an item and returns true for OK; an empty queue cancels.
    std::deque<std::function<bool(MacroKeyDialog&)>> macroKeyScripts;
    int macroKeyShown = 0;
    bool showMacroKeyDialog(MacroKeyDialog& dialog) override;
    // The single-value dialog: each showing takes the next script, which
    // works the field and returns true for OK; an empty queue cancels.
    std::deque<std::function<bool(ValueDialog&)>> valueScripts;
    // What the field offered each time the dialog was shown.
    std::vector<std::string> valueOffered;
    bool showValueDialog(ValueDialog& dialog) override;
    int aboutShown = 0;
    void showAboutWindow(AboutWindow&) override { ++aboutShown; }
};

// Injected keys are logged and handed to onInject, where a test plays the
// window system and passes them through the key hook.
class FakeKeyboard : public Keyboard {
public:
    struct Injected {
        std::uint16_t key;
        bool release;
        friend bool operator==(const Injected&, const Injected&) = default;
    };
    std::vector<Injected> injected;
    int beeps = 0;
    std::function<void(std::uint16_t, bool)> onInject;

    void injectKey(std::uint16_t key, bool release) override {
        injected.push_back({key, release});
        if (onInject) onInject(key, release);
    }
    void beep() override { ++beeps; }
};

// The desktop's opener: records every target and answers from a queue (an
// empty queue answers a successful start); held answers wait for reply().
class FakeOpener : public DesktopOpener {
public:
    std::vector<std::string> targets;
    std::deque<OpenerExit> exits;
    bool holdAnswers = false;
    std::vector<std::function<void(OpenerExit)>> waiting;
    void open(const std::string& target, std::function<void(OpenerExit)> done) override;
    // Answers the oldest held call.
    void reply(OpenerExit exit);
};

class FakeGeometry : public WindowGeometry {
public:
    PixelPoint corner{40, 60};
    int height = 452;
    mutable std::vector<std::pair<int, int>> asked;  // the cells asked for
    PixelPoint cellTopLeft(int col, int row) const override;
    int windowHeight() const override { return height; }
};

class FakeDesktop : public BusyIndicator, public EventPump, public Clipboard, public TextMeasure {
public:
    bool isBusy = false;
    int busyChanges = 0;
    int eventsProcessed = 0;
    std::string clipboardText;
    int pixelsPerChar = 6;

    bool busy() const override { return isBusy; }
    void setBusy(bool b) override {
        isBusy = b;
        ++busyChanges;
    }
    // Runs inside processEvents, as a user command arriving meanwhile would.
    std::function<void()> onProcessEvents;
    void processEvents() override {
        ++eventsProcessed;
        if (onProcessEvents) onProcessEvents();
    }
    std::string text() const override { return clipboardText; }
    void setText(const std::string& t) override { clipboardText = t; }
    int textWidth(std::string_view t) const override { return static_cast<int>(t.size()) * pixelsPerChar; }
};

// Records what long work reported; the stopAt-th report (counted from 1 over
// all work) asks stoppable work to stop.
class FakeProgress : public Progress {
public:
    struct Work {
        std::string caption;
        bool stoppable = false;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;  // done, total
        bool ended = false;
    };
    std::vector<Work> work;
    int reports = 0;
    int stopAt = 0;  // 0: never
    void begin(std::string_view caption, bool stoppable) override {
        work.push_back({std::string(caption), stoppable, {}, false});
    }
    bool report(std::uint64_t done, std::uint64_t total) override {
        work.back().reports.emplace_back(done, total);
        return ++reports != stopAt || !work.back().stoppable;
    }
    void end() override { work.back().ended = true; }
};

struct FakePlatform {
    FakeDialogs dialogs;
    FakeProgress progress;
    FakeDesktop desktop;
    FakeKeyboard keyboard;
    FakeOpener opener;
    FakeGeometry geometry;
    Platform platform() {
        Platform p{&dialogs, &desktop, &desktop, &desktop, &desktop, &keyboard};
        p.opener = &opener;
        p.geometry = &geometry;
        p.progress = &progress;
        return p;
    }
};

}  // namespace tabulyst::testing
