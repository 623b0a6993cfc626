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

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& text) override;
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

    // The modeless find and replace dialogs: each showing is counted; a test
    // then works the dialog's fields and buttons itself.
    int findShown = 0;
    int replaceShown = 0;
    void showFindDialog(FindTextDialog&) override { ++findShown; }
    void showReplaceDialog(ReplaceTextDialog&) override { ++replaceShown; }
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

struct FakePlatform {
    FakeDialogs dialogs;
    FakeDesktop desktop;
    Platform platform() {
        return Platform{&dialogs, &desktop, &desktop, &desktop, &desktop};
    }
};

}  // namespace tabulyst::testing
