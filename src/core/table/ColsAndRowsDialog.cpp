#include "core/table/ColsAndRowsDialog.h"

#include "core/files/ConfigFile.h"
#include "core/platform/Dialogs.h"

namespace tabulyst {

std::optional<int> ColsAndRowsDialog::number(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return parseInteger(text);
}

bool ColsAndRowsDialog::check(const std::string& text, const char* rangeMessage, Control control) {
    const std::string limit = std::to_string(kLimit);
    auto value = number(text);
    if (!value) dialogs_.showMessage("Numerische Eingabe zwischen 1 und " + limit + " erforderlich!");
    else if (*value < 1 || *value > kLimit) dialogs_.showMessage(rangeMessage + limit);
    else return true;
    focus = control;
    return false;
}

bool ColsAndRowsDialog::ok() {
    focus = Control::None;
    // Both fields are checked even when the first is wrong: two messages, the focus ends in the rows.
    bool ok = check(edtNumberOfCols, "Die Anzahl der Spalten liegt zwischen 1 und ", Control::NumberOfCols);
    ok = check(edtNumberOfRows, "Die Anzahl der Zeilen liegt zwischen 1 und ", Control::NumberOfRows) && ok;
    return ok;
}

int ColsAndRowsDialog::columnCount() const { return number(edtNumberOfCols).value_or(0) + 1; }
int ColsAndRowsDialog::rowCount() const { return number(edtNumberOfRows).value_or(0) + 1; }

}  // namespace tabulyst
