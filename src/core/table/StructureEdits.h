#pragma once
// Reshaping the table: inserting, deleting and duplicating rows and columns,
// and accepting or refusing a row or column the user dragged. Every accepted
// edit throws the undo journal away and keeps the header numbers and the
// column widths (hidden ones included) in step with the moved cells.
#include <functional>
#include <string>

namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
class BusyIndicator;
struct SortState;

class StructureEdits {
public:
    StructureEdits(StringGrid& grid, EditJournal& cells, Commands& commands, SortState& sort, BusyIndicator* busy);

    void mnuMainInsertColBevoreClick();
    void mnuMainInsertColAfterClick();
    void mnuMainDeleteColClick();
    void mnuMainInsertRowBevoreClick();
    void mnuMainInsertRowAfterClick();
    void mnuMainDeleteRowClick();
    void mnuMainDublicateRowClick();

    // The grid has already moved the row or column when these run.
    void StrGridRowMoved(int from, int to);
    void StrGridColumnMoved(int from, int to);

private:
    enum class Kind { Insert, Delete };
    // Question, hourglass, redraw suspension and the closing steps on every way out.
    template <typename Work>
    void editFrame(Kind kind, const char* question, Work work);

    void insertColumn(bool after);
    void insertRow(bool after);
    void deleteColumns();
    void deleteRows();
    // Shifts the cells right of col one to the left in every row; the last
    // column ends empty with the default width. The count stays.
    void shiftColumnLeft(int col);
    // Removes count columns from first on in one pass over the rows.
    void removeColumns(int first, int count);
    // Row 0 from column first on, and column 0 of the rows first to last, get their index numbers.
    void renumberHeaderRow(int first);
    void renumberHeaderColumn(int first, int last);
    void remapSortKeys(int from, int to);
    // The question of a drag once something was journaled; No moves it back.
    bool acceptMove(const char* question, const std::function<void()>& moveBack);
    // Moves the current cell; a refused or impossible move is not an error here.
    void moveCurrentCol(int col);
    void moveCurrentRow(int row);

    StringGrid& grid_;
    EditJournal& cells_;
    SortState& sort_;
    BusyIndicator* busy_;
};

}  // namespace tabulyst
