#pragma once
// Walking back and forward through the edited cells, newest first. There is
// no store of its own: the walk reads the undo journal's columns and rows
// with its own cursor, JumpPos.
namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;

class EditedCellHistory {
public:
    EditedCellHistory(StringGrid& grid, EditJournal& cells, Commands& commands);

    void mnuMainJumpBackLastChangedCellClick();
    void mnuMainJumpForwardLastChangedCellClick();

private:
    bool isCurrent(int pos) const;
    void setBackEnabled(bool enabled);
    void setForwardEnabled(bool enabled);
    // Whether the entry after pos holds a change.
    bool entryAfter(int pos) const;
    // Steps pos back to the older entry; false, leaving pos, when there is none.
    bool stepToOlder(int& pos) const;

    StringGrid& grid_;
    EditJournal& cells_;
    Commands& commands_;
};

}  // namespace tabulyst
