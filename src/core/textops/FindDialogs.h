#pragma once
// The find and the replace dialog as the core sees them: what the user set in
// their controls and the events their buttons raise. Both stay open beside the
// main window and keep their texts between openings; the ui shows them through
// Dialogs and reports the buttons here.
#include <functional>
#include <string>

#include "core/textops/SearchMatch.h"

namespace tabulyst {

class FindTextDialog {
public:
    virtual ~FindTextDialog() = default;

    std::string FindText;  // UTF-8, as typed
    bool WholeWord = false;
    bool MatchCase = false;
    SearchOptions options() const { return {MatchCase, WholeWord}; }

    bool visible() const { return visible_; }
    // The opener marks the dialog shown before the ui shows it.
    void setShown() { visible_ = true; }

    // "Weitersuchen" (also Enter).
    void findNextClick() {
        if (OnFind) OnFind();
    }
    // "Abbrechen", Escape or the window's close button.
    void closeClick() {
        if (!visible_) return;
        visible_ = false;
        if (OnClose) OnClose();
    }

    std::function<void()> OnFind;
    std::function<void()> OnClose;

private:
    bool visible_ = false;
};

class ReplaceTextDialog : public FindTextDialog {
public:
    std::string ReplaceText;  // UTF-8, as typed
    // Set by "Alle ersetzen", clear after "Ersetzen"; the replace handler tells them apart by it.
    bool ReplaceAllRequested = false;

    void replaceClick() {
        ReplaceAllRequested = false;
        if (OnReplace) OnReplace();
    }
    void replaceAllClick() {
        ReplaceAllRequested = true;
        if (OnReplace) OnReplace();
    }

    std::function<void()> OnReplace;
};

}  // namespace tabulyst
