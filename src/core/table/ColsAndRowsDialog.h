#pragma once
// The new-table dialog: the numbers of data columns and data rows. Created
// once at start, so its fields keep the last entered values.
#include <optional>
#include <string>
#include <string_view>

namespace tabulyst {

class Dialogs;

class ColsAndRowsDialog {
public:
    static constexpr const char* kCaption = "Neu";
    static constexpr const char* kColsLabel = "Anzahl Spalten :";
    static constexpr const char* kRowsLabel = "Anzahl Zeilen :";
    static constexpr const char* kOkCaption = "Ok";
    static constexpr const char* kCancelCaption = "Cancel";
    static constexpr int kLimit = 4096;

    enum class Control { None, NumberOfCols, NumberOfRows };

    explicit ColsAndRowsDialog(Dialogs& dialogs) : dialogs_(dialogs) {}

    std::string edtNumberOfCols = "4";  // as typed, Windows-1252
    std::string edtNumberOfRows = "2";
    // The field the last refused OK put the focus on.
    Control focus = Control::None;

    // OK: checks both fields, columns first, with a message for each wrong
    // one; true when the dialog may close.
    bool ok();

    // After OK: the counts the grid gets, header column and header row included.
    int columnCount() const;
    int rowCount() const;

    // A field's text as a whole number, blanks around it allowed.
    static std::optional<int> number(std::string_view text);

private:
    bool check(const std::string& text, const char* rangeMessage, Control control);

    Dialogs& dialogs_;
};

}  // namespace tabulyst
