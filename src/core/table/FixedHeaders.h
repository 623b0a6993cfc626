#pragma once
// Freezing the rows above and the columns left of the current cell as fixed
// (non-scrolling, non-editable) rows and columns, and releasing them again to
// the one header row and column.
namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;

class FixedHeaders {
public:
    FixedHeaders(StringGrid& grid, EditJournal& cells, Commands& commands);

    void mnuMainSetHeaderClick();
    void mnuMainReleaseHeaderClick();
    void mnuMainSetColHeaderClick();
    void mnuMainReleaseColHeaderClick();
    void mnuMainSetHeaderAndColsClick();
    void mnuMainUnSetHeaderAndColsClick();

private:
    // Fixes the rows (or columns) before the current cell, or releases them to
    // one, with journaling suspended, and puts the current cell back.
    void setFixed(bool rows, bool beforeCurrent);

    StringGrid& grid_;
    EditJournal& cells_;
};

}  // namespace tabulyst
