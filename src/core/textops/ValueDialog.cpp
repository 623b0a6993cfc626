#include "core/textops/ValueDialog.h"

#include "core/platform/Dialogs.h"

namespace tabulyst {

ValueDialog::ValueDialog(Dialogs& dialogs) : dialogs_(dialogs) {}

bool ValueDialog::AskValue(const std::string& defaultText, const std::string& newCaption, const std::string& label,
                           int newMaxLength, const std::string& allowedCharacters) {
    caption = newCaption;
    lblString = label;
    edtString = defaultText;
    maxLength = newMaxLength;
    allowed_ = allowedCharacters;
    return dialogs_.showValueDialog(*this);
}

bool ValueDialog::edtStringKeyPress(char key) const { return allowed_.find(key) != std::string::npos; }

}  // namespace tabulyst
