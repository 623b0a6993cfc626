#include "core/textops/FindReplace.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/window/Commands.h"
#include "core/base/CoreTimer.h"
#include "core/window/StatusLine.h"
#include "core/grid/GridUpdateScope.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Locale.h"
#include "core/platform/Platform.h"
#include "core/document/EditJournal.h"

namespace tabulyst {

namespace {

constexpr const char* kNotFound = "Nicht gefunden.";

// The commands that open a dialog: their search mode and status text.
struct Opener {
    const char* command;
    bool firstPlace;
    bool currentColumn;
    const char* status;
    bool replace;
};

constexpr Opener kOpeners[] = {
    {"mnuFind", false, false, " Suchen", false},
    {"btnFind", false, false, " Suchen", false},
    {"mnuFindInCurrentCol", false, true, " Suchen in aktueller Spalte", false},
    {"mnuFindFirst", true, false, " Suche an erster Stelle in erster Spalte", false},
    {"mnuReplace", false, false, " Ersetzen", true},
    {"btnReplace", false, false, " Ersetzen", true},
    {"mnuReplaceAktCol", false, true, " Ersetzen in aktueller Spalte", true},
};

using CellPos = FindReplace::CellPos;

CellPos currentOf(const StringGrid& grid) { return {grid.col(), grid.row()}; }

// The first matching cell after start in row-major order, wrapping from the
// last cell to the first scrollable one; start itself comes last and is not
// tested, unless it is the only scrollable cell. onlyCol: the one column
// searched, or -1 for all. skip: a cell that never counts as a match.
std::optional<CellPos> nextMatch(const StringGrid& grid, CellPos start, int onlyCol, const SearchMatcher& matches,
                                 CellPos skip) {
    const int firstCol = grid.fixedCols(), lastCol = grid.colCount() - 1;
    const int firstRow = grid.fixedRows(), lastRow = grid.rowCount() - 1;
    // Columns from..to of one row.
    auto scan = [&](int row, int from, int to) -> std::optional<CellPos> {
        if (onlyCol >= 0) {
            from = std::max(from, onlyCol);
            to = std::min(to, onlyCol);
        }
        const RowCells& cells = grid.rowCells(row);
        for (int c = from; c <= to; ++c)
            if (matches(cells.cell(static_cast<std::size_t>(c))) && CellPos{c, row} != skip) return CellPos{c, row};
        return std::nullopt;
    };
    if (firstCol == lastCol && firstRow == lastRow) return scan(start.row, start.col, start.col);
    if (auto hit = scan(start.row, start.col + 1, lastCol)) return hit;
    for (int r = start.row + 1; r <= lastRow; ++r)
        if (auto hit = scan(r, firstCol, lastCol)) return hit;
    for (int r = firstRow; r < start.row; ++r)
        if (auto hit = scan(r, firstCol, lastCol)) return hit;
    return scan(start.row, firstCol, start.col - 1);
}

}  // namespace

FindReplace::FindReplace(StringGrid& grid, EditJournal& cells, Commands& commands, StatusLine& status,
                         CoreTimer& hideStatus, Dialogs& dialogs, BusyIndicator* busy, const Locale& locale,
                         std::function<text::TextEncoding()> cellEncoding, Progress* progress)
    : grid_(grid), cells_(cells), status_(status), hideStatus_(hideStatus), dialogs_(dialogs), busy_(busy),
      progress_(progress), locale_(locale), cellEncoding_(std::move(cellEncoding)) {
    for (const Opener& o : kOpeners) {
        commands.on(o.command, [this, o] {
            FirstPlaceMode = o.firstPlace;
            CurrentColumnMode = o.currentColumn;
            status_.ShowStatusText(o.status);
            if (o.replace) OpenReplaceDialog();
            else OpenFindDialog();
        });
    }
    FindDialog.OnFind = [this] { FindDialogFind(FindDialog); };
    FindDialog.OnClose = [this] { FindDialogClose(); };
    ReplaceDialog.OnFind = [this] { ReplaceDialogFind(ReplaceDialog); };
    ReplaceDialog.OnReplace = [this] { ReplaceDialogReplace(ReplaceDialog); };
    ReplaceDialog.OnClose = [this] { ReplaceDialogClose(); };
}

void FindReplace::OpenFindDialog() {
    ReplaceCounter = -1;
    FindDialog.setShown();
    dialogs_.showFindDialog(FindDialog);
}

void FindReplace::OpenReplaceDialog() {
    ReplaceCounter = -1;
    ReplaceDialog.setShown();
    dialogs_.showReplaceDialog(ReplaceDialog);
}

void FindReplace::FindDialogFind(const FindTextDialog& sender) {
    const bool fromFindDialog = &sender == &FindDialog;
    bool found = false;
    try {
        BusyCursor busy(busy_);
        const SearchMatcher matches = matcherFor(sender);
        // After a match in a hidden column the walk goes on after that match;
        // the cell it left current is passed over, as the current cell always is.
        const CellPos start = currentOf(grid_);
        if (hiddenMatch_ && hiddenMatch_->landed == start)
            found = moveToNextMatch(hiddenMatch_->match, start, matches).has_value();
        else
            found = moveToNextMatch(start, CellPos{}, matches).has_value();
    } catch (...) {
        if (fromFindDialog && !found) dialogs_.showMessage(kNotFound);
        throw;
    }
    if (fromFindDialog && !found) dialogs_.showMessage(kNotFound);
}

std::optional<FindReplace::CellPos> FindReplace::moveToNextMatch(CellPos from, CellPos skip,
                                                                 const SearchMatcher& matches) {
    const CellPos start = currentOf(grid_);
    const int onlyCol = CurrentColumnMode ? start.col : FirstPlaceMode ? grid_.fixedCols() : -1;
    hiddenMatch_.reset();
    LastSearchFound = false;
    const std::optional<CellPos> hit = nextMatch(grid_, from, onlyCol, matches, skip);
    if (hit) {
        LastSearchFound = true;
        // As a user's move: the select-cell handler runs (and may refuse a hidden column).
        grid_.setRow(hit->row);
        grid_.setCol(hit->col);
        if (const CellPos landed = currentOf(grid_); landed != *hit) hiddenMatch_ = HiddenMatch{*hit, landed};
    }
    return hit;
}

void FindReplace::ReplaceDialogFind(const FindTextDialog& sender) {
    FindDialogFind(sender);
    if (!LastSearchFound) dialogs_.showMessage(kNotFound);
}

SearchMatcher FindReplace::matcherFor(const FindTextDialog& dialog) const {
    return SearchMatcher(dialog.FindText, dialog.options(), FirstPlaceMode, cellEncoding_(), locale_);
}

bool FindReplace::prepareReplacer(const ReplaceTextDialog& dialog, std::optional<text::CellReplacer>& replacer) {
    const text::TextEncoding encoding = cellEncoding_();
    const std::optional<std::string> replacement = typedTextInCells(dialog.ReplaceText, encoding);
    if (!replacement) {
        dialogs_.showMessage(kReplacementLacking);
        return false;
    }
    if (const std::optional<std::string> search = typedTextInCells(dialog.FindText, encoding))
        replacer.emplace(*search, *replacement, dialog.MatchCase, encoding, locale_);
    return true;
}

bool FindReplace::replaceInCurrentCell(const text::CellReplacer& replacer) {
    const int col = grid_.col(), row = grid_.row();
    // Typing in the cell that was not journaled yet stays undoable; the
    // replacement itself is not journaled, also not when the cell is left.
    cells_.RecordPendingEdit(col, row);
    const std::string old(grid_.cell(col, row));
    grid_.setCell(col, row, replacer(old));
    cells_.noteDirectWrite(col, row);
    if (cells_.CurrentCellText() == old) return false;
    --ReplaceCounter;
    cells_.SetModified(true);
    return true;
}

void FindReplace::ReplaceDialogReplace(ReplaceTextDialog& sender) {
    if (sender.ReplaceAllRequested) {
        replaceAll(sender);
        return;
    }
    std::optional<text::CellReplacer> replacer;
    if (prepareReplacer(sender, replacer) && replacer) replaceInCurrentCell(*replacer);
}

// The walk goes from match to match, not from the current cell: a match in a
// hidden column leaves another cell current, which may be a match of its own.
// Such a match is passed over: the user cannot see it, and replacing is not
// journaled, so it could not even be undone unseen.
void FindReplace::replaceAll(ReplaceTextDialog& dialog) {
    dialog.ReplaceAllRequested = false;
    std::optional<text::CellReplacer> replacer;
    if (!prepareReplacer(dialog, replacer)) return;
    const CellPos home = currentOf(grid_);
    bool replaced = false;
    {
        BusyCursor busy(busy_);
        GridUpdateScope noRedraw(grid_);
        // The share done: the rows the pass went through from the current cell on, round the end.
        ProgressScope progress(progress_, "Ersetzen …");
        const auto rows = static_cast<std::uint64_t>(std::max(grid_.rowCount(), 1));
        auto report = [&](const CellPos& at) {
            progress.report((static_cast<std::uint64_t>(at.row) + rows - static_cast<std::uint64_t>(home.row)) % rows, rows);
        };
        // Without a replacer the search text cannot occur, so nothing matches.
        const SearchMatcher matches = matcherFor(dialog);
        std::optional<CellPos> stop, hit;
        if (matches(grid_.cell(home.col, home.row)) && replaceInCurrentCell(*replacer)) {
            replaced = true;
            stop = home;
            hit = moveToNextMatch(home, CellPos{}, matches);
            if (hit == home) hit.reset();  // the only cell, replaced once already
        } else {
            hit = moveToNextMatch(home, CellPos{}, matches);
            stop = hit;
        }
        // Each matching cell once: the pass ends back at the stop cell, or when
        // the search finds nothing new.
        std::optional<CellPos> previous;
        while (hit && hit != previous) {
            replaced = true;
            if (currentOf(grid_) == *hit) replaceInCurrentCell(*replacer);
            report(*hit);
            previous = hit;
            hit = moveToNextMatch(*hit, CellPos{}, matches);
            if (hit == stop) break;
        }
    }
    if (!replaced) dialogs_.showMessage(kNotFound);
    grid_.setCol(home.col);
    grid_.setRow(home.row);
    hiddenMatch_.reset();
}

void FindReplace::FindDialogClose() {
    status_.hide();
    ReplaceCounter = 0;
}

void FindReplace::ReplaceDialogClose() {
    hideStatus_.setEnabled(true);
    const long long count = static_cast<long long>(ReplaceCounter) + 1;
    status_.setText(status_.text() + " - " + std::to_string(count < 0 ? -count : count) + " Ersetzungen getätigt");
    ReplaceCounter = 0;
}

}  // namespace tabulyst
