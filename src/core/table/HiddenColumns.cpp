#include "core/table/HiddenColumns.h"

#include <limits>
#include <string>
#include <vector>

#include "core/window/Commands.h"
#include "core/files/FitColumnWidths.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Platform.h"
#include "core/document/EditJournal.h"
#include "core/table/StringsChooser.h"

namespace tabulyst {

HiddenColumns::HiddenColumns(StringGrid& grid, EditJournal& cells, Commands& commands, Dialogs& dialogs,
                             const Locale& locale, const TextMeasure* measure, BusyIndicator* busy)
    : grid_(grid), cells_(cells), commands_(commands), dialogs_(dialogs), locale_(locale), measure_(measure),
      busy_(busy) {
    commands.on("mnuMainViewHideCols", [this] { mnuMainViewHideColsClick(); });
    commands.on("mnuMainHideCols", [this] { mnuMainHideColsClick(); });
    commands.on("mnuMainShowAllCols", [this] { mnuMainShowAllColsClick(); });
}

int HiddenColumns::LastVisibleColumn() const {
    for (int c = grid_.colCount() - 1; c >= 1; --c)
        if (!grid_.isHidden(c)) return c;
    return std::numeric_limits<int>::max();
}

void HiddenColumns::fitColumns() {
    if (!measure_) return;
    BusyCursor busy(busy_);
    FitColumnWidths(grid_, grid_.clientWidth() / 3 * 2, *measure_);
}

void HiddenColumns::mnuMainViewHideColsClick() {
    StringsChooser chooser(dialogs_, locale_);
    std::vector<std::string> list;
    const int count = grid_.colCount();
    list.reserve(static_cast<std::size_t>(count));
    for (int x = 1; x < count; ++x) {
        list.push_back(grid_.cellText(x, 0));
        chooser.ChooserAddItem(list.back());
        chooser.ChooserSetChecked(x - 1, !grid_.isHidden(x));
    }
    if (chooser.ChooserExecute(list, kChooserCaption, false, false, false)) {
        if (cells_.JournalPos >= 0 &&
            !cells_.ConfirmDiscard("Liste der Änderungen verwerfen und Spalten verbergen?"))
            return;
        cells_.ClearJournal();
        commands_.setEnabled("mnuMainShowAllCols", false);
        bool anyHidden = false;
        grid_.beginUpdate();
        // Item x - 1 stands for column x; going by position rather than by
        // header text keeps two columns with the same header apart.
        for (int x = 1; x < count && x < grid_.colCount(); ++x) {
            bool show = chooser.clbClientClient[static_cast<std::size_t>(x - 1)].checked;
            grid_.setColWidth(x, show ? 1 : StringGrid::kHiddenWidth);
            anyHidden = anyHidden || !show;
        }
        grid_.endUpdate();
        if (anyHidden) commands_.setEnabled("mnuMainShowAllCols", true);
        // Typing into a cell nobody can see would change the table unnoticed.
        moveCurrentOffHidden();
    }
    fitColumns();
}

void HiddenColumns::mnuMainHideColsClick() {
    if (cells_.JournalPos >= 0 && !cells_.ConfirmDiscard("Liste der Änderungen verwerfen und Spalte verbergen?"))
        return;
    cells_.ClearJournal();
    const GridRect sel = grid_.selection();
    grid_.beginUpdate();
    for (int c = sel.right; c >= sel.left; --c) grid_.setColWidth(c, StringGrid::kHiddenWidth);
    grid_.endUpdate();
    commands_.setEnabled("mnuMainShowAllCols", true);
    moveCurrentOffHidden();
}

void HiddenColumns::mnuMainShowAllColsClick() {
    grid_.beginUpdate();
    for (int x = 1; x < grid_.colCount(); ++x)
        if (grid_.isHidden(x)) grid_.setColWidth(x, 1);
    grid_.endUpdate();
    commands_.setEnabled("mnuMainShowAllCols", false);
    fitColumns();
}

void HiddenColumns::moveCurrentOffHidden() {
    const int x = grid_.col();
    if (!grid_.isHidden(x)) return;
    const int count = grid_.colCount();
    // Frozen columns cannot take the current cell, so the search wraps
    // within the scrollable columns.
    const int first = grid_.fixedCols();
    const int last = count - 1;
    if (x < first || x > last) return;
    const bool right = LastVisibleColumn() >= x + 1;
    const int step = right ? 1 : -1;
    auto wrap = [&](int c) { return c > last ? first : (c < first ? last : c); };
    // Rightwards the start one past the last column counts as visible: the
    // search ends there and the current cell stays.
    int c = right ? x + 1 : wrap(x - 1);
    while (c != x && c <= last && grid_.isHidden(c)) c = wrap(c + step);
    if (c != x && c <= last) grid_.setCol(c);
}

}  // namespace tabulyst
