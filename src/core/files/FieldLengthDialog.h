#pragma once
// The field-length dialog: one row of 255 length cells under column headers,
// with the running total of the lengths up to the first cell that is not one.
// Created once at start; the cells keep what they showed between showings.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tabulyst {

class Dialogs;

class FieldLengthDialog {
public:
    static constexpr const char* kCaption = "Feldlänge festlegen";
    static constexpr const char* kTotalLabel = "Gesamtlänge :";
    static constexpr const char* kOkCaption = "Ok";
    static constexpr const char* kCancelCaption = "Cancel";
    static constexpr int kClientWidth = 632;
    static constexpr int kClientHeight = 89;
    static constexpr int kColCount = 256;  // column 0 holds the row title
    static constexpr int kRowCount = 2;    // row 0 holds the column headers
    static constexpr int kMaxLength = 99999;

    explicit FieldLengthDialog(Dialogs& dialogs);

    // The grid's cell texts; row 0 and column 0 are its fixed cells.
    const std::string& cell(int col, int row) const;
    void setCell(int col, int row, std::string text);

    // The in-place editor changed a cell: the total follows every edit.
    void StringGridSetEditText(int col, int row, std::string text);
    // Recomputes the total shown in edtEdit.
    void StringGridClick();

    std::string edtEdit = "0";  // the total, as last computed
    // The length cell the last refused OK points at (0: none).
    int focusColumn = 0;

    // OK: every cell up to the first empty one must hold a length from 1 to
    // kMaxLength; the first that does not is named in a message and the
    // dialog stays open (false).
    bool acceptLengths();

    // A cell's text as a field length: trimmed of blanks, a whole number that
    // is not negative. Nothing when the cell ends the list.
    static std::optional<int> fieldLength(std::string_view text);

private:
    Dialogs& dialogs_;
    std::array<std::array<std::string, kColCount>, kRowCount> cells_;
};

}  // namespace tabulyst
