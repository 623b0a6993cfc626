#include "core/table/NewTable.h"

#include <string>

#include "core/base/CoreTimer.h"
#include "core/document/TableDocument.h"
#include "core/platform/Platform.h"
#include "core/table/FixedHeaders.h"
#include "core/window/Commands.h"
#include "core/files/FitColumnWidths.h"

namespace tabulyst {

NewTable::NewTable(TableDocument& document, Commands& commands, const Platform& platform, FixedHeaders& fixedHeaders,
                   CoreTimer& reloadTimer)
    : sizeDialog(*platform.dialogs),
      document_(document),
      commands_(commands),
      platform_(platform),
      fixedHeaders_(fixedHeaders),
      reloadTimer_(reloadTimer) {
    commands.on("mnuNew", [this] { mnuNewClick(); });
    commands.on("ToolButton5", [this] { mnuNewClick(); });
}

void NewTable::mnuNewClick() {
    if (!platform_.dialogs->showColsAndRowsDialog(sizeDialog)) return;
    EditJournal& cells = document_.journal;
    if (cells.Modified && !cells.ConfirmDiscard("Liste der Änderungen verwerfen und neu erstellen?")) return;
    const int cols = sizeDialog.columnCount(), rows = sizeDialog.rowCount();
    StringGrid& grid = document_.StrGrid;
    // The table being edited is gone, and with it the cell its editor was on.
    grid.closeEditor();
    BusyCursor busy(platform_.busy);
    grid.beginUpdate();
    // Every cell but (0, 0) is emptied or, in the headers, numbered anew below.
    const std::string corner = grid.cellText(0, 0);
    grid.clearCells();
    grid.setCell(0, 0, corner);
    // The sizes before the release: a grid of a single row or column could not
    // take one fixed row or column.
    grid.setColCount(cols);
    grid.setRowCount(rows);
    fixedHeaders_.mnuMainReleaseHeaderClick();
    fixedHeaders_.mnuMainReleaseColHeaderClick();
    const int wide = 4 * grid.defaultColWidth();
    for (int x = 1; x < cols; ++x) {
        grid.setCell(x, 0, std::to_string(x));
        grid.setColWidth(x, wide);  // also shows a hidden column again
    }
    for (int y = 1; y < rows; ++y) grid.setCell(0, y, std::to_string(y));
    grid.endUpdate();
    cells.SetModified(false);
    cells.ClearJournal();
    if (const TextMeasure* measure = platform_.textMeasure)
        FitColumnWidths(grid, grid.clientWidth() / 3 * 2, *measure);
    document_.forgetFile();
    commands_.setEnabled("mnuMainReLoad", false);
    commands_.setEnabled("mnuMainCyclicalReLoad", commands_.enabled("mnuMainReLoad"));
    // Nothing is left of the file before: no reloading, no sort marks, no
    // hidden columns, and the new table is written as plain text with CR LF.
    reloadTimer_.setEnabled(false);
    document_.sort.reset();
    document_.sort.MultiKeySort = false;
    commands_.setEnabled("mnuMainShowAllCols", false);
}

}  // namespace tabulyst
