#include "core/files/FieldLengthDialog.h"

#include <stdexcept>

#include "core/files/FieldLength.h"
#include "core/platform/Dialogs.h"

namespace tabulyst {

FieldLengthDialog::FieldLengthDialog(Dialogs& dialogs) : dialogs_(dialogs) {
    cells_[1][0] = "Fieldlength : ";
    for (int c = 1; c < kColCount; ++c) cells_[0][static_cast<std::size_t>(c)] = "# " + std::to_string(c);
    for (int c = 1; c <= 4; ++c) cells_[1][static_cast<std::size_t>(c)] = "32";
}

const std::string& FieldLengthDialog::cell(int col, int row) const {
    if (col < 0 || col >= kColCount || row < 0 || row >= kRowCount) throw std::out_of_range("field-length cell");
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void FieldLengthDialog::setCell(int col, int row, std::string text) {
    if (col < 0 || col >= kColCount || row < 0 || row >= kRowCount) throw std::out_of_range("field-length cell");
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
}

void FieldLengthDialog::StringGridSetEditText(int col, int row, std::string text) {
    setCell(col, row, std::move(text));
    StringGridClick();
}

void FieldLengthDialog::StringGridClick() {
    long long total = 0;
    for (int c = 1; c < kColCount; ++c) {
        auto length = fieldLength(cells_[1][static_cast<std::size_t>(c)]);
        if (!length) break;
        total += *length;
    }
    edtEdit = std::to_string(total);
}

bool FieldLengthDialog::acceptLengths() {
    focusColumn = 0;
    for (int c = 1; c < kColCount; ++c) {
        const std::string& text = cells_[1][static_cast<std::size_t>(c)];
        if (text.find_first_not_of(" \t") == std::string::npos) break;
        const auto length = fieldLength(text);
        if (length && *length >= 1 && *length <= kMaxLength) continue;
        // Taken as the end of the list, a typing error would cut every line after it.
        dialogs_.showMessage("Numerische Eingabe zwischen 1 und " + std::to_string(kMaxLength) + " erforderlich!");
        focusColumn = c;
        return false;
    }
    return true;
}

std::optional<int> FieldLengthDialog::fieldLength(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    // A negative length cannot cut a line; it ends the list as it does at start.
    return parseFieldLength(text);
}

}  // namespace tabulyst
