#pragma once
// Hiding table columns without deleting them: a hidden column is one of width
// -1 and keeps its cells. The columns to show are chosen in a check list, the
// marked columns can be hidden, and all can be shown again.
namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
class Dialogs;
class Locale;
class BusyIndicator;
class TextMeasure;

class HiddenColumns {
public:
    static constexpr const char* kChooserCaption = "Welche Spalten zeigen";

    HiddenColumns(StringGrid& grid, EditJournal& cells, Commands& commands, Dialogs& dialogs, const Locale& locale,
                  const TextMeasure* measure, BusyIndicator* busy);

    void mnuMainViewHideColsClick();
    void mnuMainHideColsClick();
    void mnuMainShowAllColsClick();

    // The highest data column that is not hidden; the largest int when all are.
    int LastVisibleColumn() const;

private:
    // Widens the visible columns to their texts, up to two thirds of the grid's width.
    void fitColumns();
    // Moves a current cell that sits in a hidden column to the next visible
    // column to the right, or to the left when none is visible on the right.
    void moveCurrentOffHidden();

    StringGrid& grid_;
    EditJournal& cells_;
    Commands& commands_;
    Dialogs& dialogs_;
    const Locale& locale_;
    const TextMeasure* measure_;
    BusyIndicator* busy_;
};

}  // namespace tabulyst
