#pragma once
// The single-value dialog: a caption, a label and a one-line edit field that
// takes only the characters the caller allows, with "OK" and "Abbruch".
// Created once at start and reused; the field keeps what it showed last.
#include <string>
#include <string_view>

namespace tabulyst {

class Dialogs;

class ValueDialog {
public:
    static constexpr int kClientWidth = 488;
    static constexpr int kClientHeight = 70;
    static constexpr int kEditWidth = 237;
    static constexpr int kButtonWidth = 120;
    static constexpr int kButtonHeight = 30;
    static constexpr const char* kOkCaption = "OK";
    static constexpr const char* kCancelCaption = "Abbruch";

    explicit ValueDialog(Dialogs& dialogs);

    // --- the dialog's state, as the ui shows it ---
    std::string caption;
    std::string lblString;
    std::string edtString;  // UTF-8, as typed
    int maxLength = 0;      // characters the field takes; 0: no limit

    // Sets caption, label, text and limit, shows the dialog modally; true on OK.
    bool AskValue(const std::string& defaultText, const std::string& newCaption, const std::string& label,
                  int newMaxLength, const std::string& allowedCharacters);
    const std::string& GetValue() const { return edtString; }

    // A character typed into the field: false when it is not among the
    // allowed ones and must be discarded. Pasted text is not filtered.
    bool edtStringKeyPress(char key) const;

private:
    Dialogs& dialogs_;
    std::string allowed_;
};

}  // namespace tabulyst
