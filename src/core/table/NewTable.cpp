#include "core/table/NewTable.h"

#include <string>

#include "core/app/MainForm.h"
#include "core/files/FitColumnWidths.h"

namespace tabulyst {

NewTable::NewTable(MainForm& form) : sizeDialog(*form.platform.dialogs), form_(form) {
    form.commands.on("mnuNew", [this] { mnuNewClick(); });
    form.commands.on("ToolButton5", [this] { mnuNewClick(); });
}

void NewTable::mnuNewClick() {
    if (!form_.platform.dialogs->showColsAndRowsDialog(sizeDialog)) return;
    CellStore& cells = form_.cells;
    if (cells.Modified && !cells.ConfirmDiscard("Liste der Änderungen verwerfen und neu erstellen?")) return;
    const int cols = sizeDialog.columnCount(), rows = sizeDialog.rowCount();
    StringGrid& grid = form_.StrGrid;
    // The table being edited is gone, and with it the cell its editor was on.
    grid.closeEditor();
    BusyCursor busy(form_.platform.busy);
    grid.beginUpdate();
    // Every cell but (0, 0) is emptied or, in the headers, numbered anew below.
    const std::string corner = grid.cellText(0, 0);
    grid.clearCells();
    grid.setCell(0, 0, corner);
    // The sizes before the release: a grid of a single row or column could not
    // take one fixed row or column.
    grid.setColCount(cols);
    grid.setRowCount(rows);
    form_.fixedHeaders.mnuMainReleaseHeaderClick();
    form_.fixedHeaders.mnuMainReleaseColHeaderClick();
    const int wide = 4 * grid.defaultColWidth();
    for (int x = 1; x < cols; ++x) {
        grid.setCell(x, 0, std::to_string(x));
        grid.setColWidth(x, wide);  // also shows a hidden column again
    }
    for (int y = 1; y < rows; ++y) grid.setCell(0, y, std::to_string(y));
    grid.endUpdate();
    cells.SetModified(false);
    cells.ClearJournal();
    if (const TextMeasure* measure = form_.platform.textMeasure)
        FitColumnWidths(grid, form_.gridClientWidth / 3 * 2, *measure);
    form_.setTitle("");
    form_.commands.setEnabled("mnuMainReLoad", false);
    form_.commands.setEnabled("mnuMainCyclicalReLoad", form_.commands.enabled("mnuMainReLoad"));
    // Nothing is left of the file before: no reloading, no sort marks, no
    // hidden columns, and the new table is written as plain text with CR LF.
    form_.timReload.setEnabled(false);
    form_.sort.reset();
    form_.sort.MultiKeySort = false;
    form_.commands.setEnabled("mnuMainShowAllCols", false);
    form_.Utf8File = false;
    form_.files.forgetFileFormat();
}

}  // namespace tabulyst
