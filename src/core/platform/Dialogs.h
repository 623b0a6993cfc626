#pragma once
// What the core asks of the user: messages, confirmations, file choices.
// The ui shows real dialogs; tests answer from a script.
#include <optional>
#include <string>

namespace tabulyst {

class LayoutDialog;
class FieldLengthDialog;
class StringsChooser;
class MacroKeyDialog;
class ColsAndRowsDialog;
class FindTextDialog;
class ReplaceTextDialog;
class ValueDialog;
class AboutWindow;

// The answer a question's box gives when Enter is pressed.
enum class DefaultAnswer { Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message with an OK button.
    virtual void showMessage(const std::string& text) = 0;
    // A question with the buttons Yes and No; true on Yes. A question whose
    // Yes throws work away has No as its default.
    virtual bool confirm(const std::string& text, DefaultAnswer byDefault) = 0;
    // The open dialog, starting in folder; nothing when cancelled.
    virtual std::optional<std::string> chooseOpenFile(const std::string& folder) = 0;
    // The save dialog (asks before overwriting); nothing when cancelled.
    virtual std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string& fileName) = 0;
    // The layout dialog and the field-length dialog, modal on their core
    // state; true when closed with OK (after the dialog's own OK handler ran).
    virtual bool showLayoutDialog(LayoutDialog& dialog) = 0;
    virtual bool showFieldLengthDialog(FieldLengthDialog& dialog) = 0;
    // The check-list chooser, modal on its core state; true when closed with OK.
    virtual bool showStringsChooser(StringsChooser& chooser) = 0;
    // The macro key chooser, modal on its core state; true when closed with OK.
    virtual bool showMacroKeyDialog(MacroKeyDialog& dialog) = 0;
    // The new-table dialog, modal on its core state; true when closed with
    // an OK that its own check let through.
    virtual bool showColsAndRowsDialog(ColsAndRowsDialog& dialog) = 0;
    // The find and the replace dialog, modeless: shown beside the main window
    // and left open; one already shown comes to the front with its texts unchanged.
    virtual void showFindDialog(FindTextDialog& dialog) = 0;
    virtual void showReplaceDialog(ReplaceTextDialog& dialog) = 0;
    // The single-value dialog, modal on its core state; true when closed with OK.
    virtual bool showValueDialog(ValueDialog& dialog) = 0;
    // The about window, modal until its OK button closes it.
    virtual void showAboutWindow(AboutWindow& about) = 0;
};

}  // namespace tabulyst
