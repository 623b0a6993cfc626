#include "core/filecommands/TableFiles.h"

#include <filesystem>

#include "core/base/CoreTimer.h"
#include "core/document/TableDocument.h"
#include "core/filecommands/FileChooser.h"
#include "core/filecommands/RecentFiles.h"
#include "core/files/DelimiterGuess.h"
#include "core/files/DelimiterNotation.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/LayoutSettings.h"
#include "core/files/TableReadAhead.h"
#include "core/files/TableWriter.h"
#include "core/grid/GridUpdateScope.h"
#include "core/platform/Platform.h"
#include "core/text/TextLength.h"
#include "core/table/StringsChooser.h"
#include "core/window/Commands.h"
#include "core/window/StatusLine.h"

namespace tabulyst {

namespace {
const char* const kNoMemory = "Nicht genug Arbeitsspeicher, um die Datei zu laden.";
const char* const kNoFileName = "Erneutes Laden nicht möglich, es wurde kein Dateiname vergeben!";
const char* const kLengthMismatch =
    "Die aktuelle Datei passt nicht zu den eingestellten Feldlängen. Bitte speichern Sie die Datei nicht; es droht "
    "Datenverlust!";

}  // namespace

TableFiles::TableFiles(TableDocument& document, Commands& commands, const Platform& platform, StatusLine& status,
                       CoreTimer& reloadTimer, RecentFiles& recent, FileChooser& chooser, const Locale& locale)
    : document_(document), commands_(commands), platform_(platform), status_(status), reloadTimer_(reloadTimer),
      recent_(recent), chooser_(chooser), locale_(locale) {
    Commands& c = commands_;
    c.on("mnuMainLoad", [this] { ToolBtnOpenClick(); });
    c.on("ToolBtnOpen", [this] { ToolBtnOpenClick(); });
    c.on("mnuMainSave", [this] { SaveCurrentFile(); });
    c.on("ToolButtonSave", [this] { SaveCurrentFile(); });
    c.on("mnuMainSaveAs", [this] { SaveFileAs(); });
    c.on("mnuMainReLoad", [this] { mnuMainReLoadClick(); });
    c.on("ToolBtnReload", [this] { mnuMainReLoadClick(); });
    c.on("mnuMainCyclicalReLoad", [this] { mnuMainCyclicalReLoadClick(); });
    reloadTimer_.onTimer([this] { timReloadTimer(); });
}

namespace {

// What the status line tells of a file read: an encoding that is not what its
// mark says, quotes that never close.
std::string readNotice(const TableReadResult& result) {
    std::string notice = result.notice ? result.notice : "";
    if (result.unclosedQuoteRows > 0) {
        if (!notice.empty()) notice += "; ";
        notice += "Anführungszeichen in Zeile " + std::to_string(result.firstUnclosedQuoteRow) + " nicht geschlossen";
        if (result.unclosedQuoteRows > 1)
            notice += " (" + std::to_string(result.unclosedQuoteRows) + " Zeilen ohne Anführungszeichen gelesen)";
    }
    return notice;
}

}  // namespace

void TableFiles::takeNotice(const std::string& path, const TableReadResult& result) {
    // A reload of the same file tells the same only once.
    std::string notice = readNotice(result);
    if (notice.empty()) {
        noticedPath_.clear();
    } else if (noticedPath_ != path || noticed_ != notice) {
        noticedPath_ = path;
        noticed_ = notice;
        status_.ShowStatusText(notice);
    }
}

void TableFiles::setReloadCommands(bool enabled) {
    commands_.setEnabled("mnuMainReLoad", enabled);
    commands_.setEnabled("mnuMainCyclicalReLoad", enabled);
}

// --- loading ---

void TableFiles::ToolBtnOpenClick() {
    auto path = chooser_.chooseOpenFile();
    if (!path) return;
    openAfterAsking(*path);
}

bool TableFiles::openAfterAsking(const std::string& path) {
    EditJournal& journal = document_.journal;
    if (journal.Modified && !journal.ConfirmDiscard("Änderungen verwerfen und neue Datei laden?")) return false;
    return OpenTableFile(path);
}

bool TableFiles::OpenTableFile(const std::string& path, TableReadAhead* ahead) {
    StringGrid& grid = document_.StrGrid;
    // From here on the table shown is not the old file's: a table that does
    // not load has no file behind it, and Save asks for a name rather than
    // write an empty table over the file.
    document_.forgetFile();
    document_.journal.ClearJournal();
    document_.sort.reset();
    document_.journal.markUnmodified();
    // The table shown goes first: its memory is the new one's.
    grid.beginUpdate();
    grid.setDefaultColWidth(StringGrid::kDefaultColWidth);  // also shows hidden columns
    grid.clearCells();
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.endUpdate();
    noticedPath_.clear();  // opening tells again what a reload would not repeat
    const bool ok = LoadTableFile(path, ahead);
    setReloadCommands(ok);
    if (ok) offerDelimiter(path);
    return ok;
}

void TableFiles::offerDelimiter(const std::string& path) {
    const LayoutSettings& layout = document_.layout;
    if (!delimiterFound || !layout.DelimitedMode || document_.StrGrid.colCount() > 2) return;
    bool whole = false;
    const std::string found = guessDelimiter(readFileHead(path, whole), layout.QuotedFields, whole);
    if (found.empty() || found == DecodeDelimiter(layout.CurrentDelimiter)) return;
    delimiterFound(found);
}

bool TableFiles::LoadTableFile(const std::string& path, TableReadAhead* ahead) {
    reloadTimer_.setEnabled(false);
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(path, ec).string();
    if (ec) absolute = path;
    recent_.AddRecentFile(absolute);
    bool ok = false;
    stopped_ = false;
    const unsigned long tablesRead = tablesRead_;
    // Escape stops the read; the table shown before stays (reload) or the empty one (open).
    ProgressScope progress(platform_.progress, "Datei wird geladen …", true);
    try {
        ok = readTable(absolute, ahead, progress);
    } catch (const std::bad_alloc&) {
        // Once shown, the table is the file's, with its path and format, whatever failed after.
        ok = tablesRead_ != tablesRead;
        if (!ok) platform_.dialogs->showMessage(kNoMemory);
    }
    // What the start read ahead and this load did not take is of no use any more.
    if (ahead) ahead->drop();
    return ok;
}

std::optional<TableLayout> TableFiles::readAheadLayout() const {
    const LayoutSettings& settings = document_.layout;
    std::string error;
    if (!settings.DelimitedMode && settings.FieldLengths.empty()) return std::nullopt;
    return decodeLayout(settings, text::TextEncoding::Windows1252, error);
}

std::optional<TableLayouts> TableFiles::readLayout() const {
    const LayoutSettings& settings = document_.layout;
    if (!settings.DelimitedMode && settings.FieldLengths.empty()) {
        platform_.dialogs->showMessage("Bitte stellen Sie die Feldlänge ein!");
        return std::nullopt;
    }
    std::string error;
    std::optional<TableLayouts> layouts = decodeLayouts(settings, error);
    if (!layouts) platform_.dialogs->showMessage(error);
    return layouts;
}

ColumnWidthFit TableFiles::startWidthFit(const StringGrid& grid) const {
    std::vector<int> widths;
    for (int c = 0; c < grid.colCount(); ++c) widths.push_back(grid.colWidth(c));
    return ColumnWidthFit(*platform_.textMeasure, document_.StrGrid.clientWidth() / 3 * 2, std::move(widths),
                          grid.defaultColWidth());
}

namespace {

// Numbers the columns in row 0 with one block for the whole row: cell by cell,
// a line of a million fields would copy the growing row a million times.
void numberColumns(StringGrid& grid, ColumnWidthFit& fit) {
    const std::string first(grid.cell(0, 0));
    const std::string_view kept[] = {first};
    grid.setRowCells(0, RowCells::numbered(kept, static_cast<std::uint32_t>(grid.colCount())));
    const RowCells& numbers = grid.rowCells(0);
    for (std::size_t c = 1; c < numbers.size(); ++c) fit.offer(c, numbers.cell(c));
}

}  // namespace

void TableFiles::finishRead(StringGrid& grid, ColumnWidthFit& fit) {
    numberColumns(grid, fit);
    // The reader numbered every row showing a line; the fit has seen all other cells but these.
    for (int r = 1; r < grid.rowCount(); ++r) {
        if (grid.rowCells(r).text()) continue;
        std::string number = std::to_string(r);
        if (grid.cell(0, r) == number) continue;
        grid.setCell(0, r, number);
        fit.offer(0, number);
    }
    fit.apply(grid);
    const int last = grid.rowCount() - 1;
    // An empty file keeps its one empty row, so that what is typed into it is saved.
    if (last == 1 && !grid.rowCells(1).text()) {
        std::string_view number = "1";
        grid.setRowCells(1, RowCells::fromCells(std::span(&number, 1), 1));
        return;
    }
    bool empty = true;
    for (int c = 1; c < grid.colCount() && empty; ++c) empty = grid.cell(c, last).empty();
    if (empty) grid.setRowCount(grid.rowCount() - 1);
}

bool TableFiles::readTable(const std::string& path, TableReadAhead* ahead, ProgressScope& progress) {
    std::optional<TableLayouts> layouts = readLayout();
    if (!layouts) return false;
    // Read on the side: the table shown stays as it is unless the whole file is read.
    StringGrid read;
    const TableLayout& layout = layouts->windows1252;
    if (!layout.delimited) read.setColCount(static_cast<int>(layout.fieldLengths.size()) + 1);
    ColumnWidthFit fit = startWidthFit(read);
    TableReadResult result = readTableFile(path, *layouts, read, &fit, ahead, &progress);
    stopped_ = result.cancelled;
    if (!result.ok) {
        if (!result.cancelled) platform_.dialogs->showMessage(result.error);
        return false;
    }
    if (result.lengthMismatch) platform_.dialogs->showMessage(kLengthMismatch);
    finishRead(read, fit);
    // What may fail comes before the table is shown: from there on the grid,
    // its path and its file format change together.
    std::string shownPath = path;
    document_.StrGrid.takeTable(read);
    ++tablesRead_;
    document_.setFile(std::move(shownPath), result.format);
    takeNotice(path, result);
    return true;
}

// --- saving ---

void TableFiles::SaveCurrentFile() {
    if (document_.path().empty()) {
        SaveFileAs();
        return;
    }
    bool padded = false;
    if (!SaveTableFile(document_.path(), true, padded)) return;
    document_.journal.markSaved();
    if (!document_.layout.DelimitedMode && !padded) mnuMainReLoadClick();
}

void TableFiles::SaveFileAs() {
    auto chosen = chooser_.chooseSaveFile();
    if (!chosen) return;
    const std::string path = *chosen;
    recent_.AddRecentFile(path);
    bool includeHidden = true;
    StringGrid& grid = document_.StrGrid;
    for (int c = 1; c < grid.colCount(); ++c)
        if (grid.isHidden(c)) {
            includeHidden = platform_.dialogs->confirm("Auch die versteckten Spalten speichern?", DefaultAnswer::Yes);
            break;
        }
    bool padded = false;
    if (!SaveTableFile(path, includeHidden, padded)) return;
    setReloadCommands(true);
    document_.journal.markSaved();
    document_.setPath(path);
    if (!includeHidden) OpenTableFile(path);
    else if (!document_.layout.DelimitedMode && !padded) mnuMainReLoadClick();
}

bool TableFiles::CellsFitFieldLengths() const {
    const StringGrid& grid = document_.StrGrid;
    LayoutSettings settings = document_.layout;
    settings.DelimitedMode = false;
    std::string error;
    const text::TextEncoding cells = document_.format().encoding.cells();
    const std::optional<TableLayout> layout = decodeLayout(settings, cells, error);
    if (!layout) return false;
    const std::vector<int>& lengths = layout->fieldLengths;
    const int cols = std::min(grid.colCount() - 1, static_cast<int>(lengths.size()));
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 1; c <= cols; ++c)
            if (text::characterCount(grid.cell(c, r), cells) != static_cast<std::size_t>(lengths[static_cast<std::size_t>(c - 1)]))
                return false;
    return true;
}

bool TableFiles::SaveTableFile(const std::string& path, bool includeHidden, bool& padded) {
    padded = false;
    if (document_.layout.DelimitedMode) return WriteDelimitedFile(path, includeHidden);
    if (CellsFitFieldLengths()) return WriteFixedLengthFile(path, includeHidden, false);
    // Cutting cells to their lengths throws text away: Enter keeps it.
    padded = platform_.dialogs->confirm("Zellen zur eingestellten Feldlänge auffüllen bzw. abschneiden?",
                                             DefaultAnswer::No);
    return WriteFixedLengthFile(path, includeHidden, padded);
}

bool TableFiles::WriteDelimitedFile(const std::string& path, bool includeHidden) {
    return writeTable(path, true, includeHidden, false);
}

bool TableFiles::WriteFixedLengthFile(const std::string& path, bool includeHidden, bool pad) {
    return writeTable(path, false, includeHidden, pad);
}

bool TableFiles::writeTable(const std::string& path, bool delimited, bool includeHidden, bool pad) {
    LayoutSettings settings = document_.layout;
    settings.DelimitedMode = delimited;
    std::string error;
    std::optional<TableLayout> layout = decodeLayout(settings, document_.format().encoding.cells(), error);
    if (!layout) {
        platform_.dialogs->showMessage(error);
        return false;
    }
    TableWriteLayout write;
    write.layout = std::move(*layout);
    write.pad = pad;
    write.includeHidden = includeHidden;
    write.format = document_.format();
    BusyCursor busy(platform_.busy);
    bool ok = false;
    {
        GridUpdateScope update(document_.StrGrid);
        // Not stoppable: the file on disk is replaced whole or not at all, and stays whole meanwhile.
        ProgressScope progress(platform_.progress, "Datei wird gespeichert …");
        ok = writeTableFile(path, write, document_.StrGrid, error, writeFaults, &progress);
    }
    if (!ok) platform_.dialogs->showMessage(error);
    return ok;
}

// --- reloading ---

const std::vector<TableFiles::ReloadInterval>& TableFiles::reloadIntervals() {
    static const std::vector<ReloadInterval> intervals{
        {"Every 1/10 second", 100},         {"Every 5/10 second", 500},
        {"Every second", 1000},             {"Every 5 seconds", 5000},
        {"Every 10 seconds", 10000},        {"Every 50 seconds", 50000},
        {"Every 100 seconds", 100000},      {"Every 500 seconds", 500000},
        {"Every 1000 seconds", 1000000},    {"Every 5000 seconds", 5000000},
        {"*> STOP CYCLICAL RELOAD <*", kStopInterval},
    };
    return intervals;
}

void TableFiles::mnuMainReLoadClick() { reload(); }

TableFiles::Reload TableFiles::reload(bool ask, bool keepWidths) {
    if (document_.path().empty()) {
        platform_.dialogs->showMessage(kNoFileName);
        return Reload::NoFile;
    }
    EditJournal& journal = document_.journal;
    if (ask && journal.Modified && !journal.ConfirmDiscard("Liste der Änderungen verwerfen und erneut Laden?"))
        return Reload::Refused;
    StringGrid& grid = document_.StrGrid;
    const int fixedRows = grid.fixedRows(), fixedCols = grid.fixedCols();
    const int col = grid.col(), row = grid.row();
    std::vector<int> widths;
    if (keepWidths)
        for (int c = 0; c < grid.colCount(); ++c) widths.push_back(grid.colWidth(c));
    // A reload that fails leaves the table, its changes and its journal as they were.
    if (!LoadTableFile(document_.path())) return stopped_ ? Reload::Stopped : Reload::Failed;
    journal.ClearJournal();
    journal.markUnmodified();
    document_.sort.reset();
    commands_.setEnabled("mnuMainShowAllCols", false);
    grid.beginUpdate();
    for (int c = 0; c < static_cast<int>(widths.size()) && c < grid.colCount(); ++c) {
        grid.setColWidth(c, widths[static_cast<std::size_t>(c)]);
        if (widths[static_cast<std::size_t>(c)] == StringGrid::kHiddenWidth)
            commands_.setEnabled("mnuMainShowAllCols", true);
    }
    grid.endUpdate();
    setReloadCommands(true);
    try {
        grid.setFixedRows(fixedRows);
        grid.setFixedCols(fixedCols);
        grid.setCol(col);
        grid.setRow(row);
    } catch (const GridError&) {
        // the first value that no longer fits ends the restoring
    }
    journal.ClearJournal();
    document_.sort.SortIndicatorColumn = -1;
    return Reload::Done;
}

void TableFiles::mnuMainCyclicalReLoadClick() {
    if (document_.path().empty()) {
        platform_.dialogs->showMessage(kNoFileName);
        return;
    }
    StringsChooser chooser(*platform_.dialogs, locale_);
    reloadTimer_.setEnabled(false);
    const auto& intervals = reloadIntervals();
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        chooser.ChooserAddItem(intervals[i].caption);
        chooser.ChooserSetChecked(static_cast<int>(i), reloadTimer_.interval() == intervals[i].milliseconds);
    }
    if (!chooser.ChooserExecute({}, "Select time to reload", false, false, true)) return;
    for (const auto& interval : intervals) {
        if (!chooser.ChooserIsChecked(interval.caption)) continue;
        reloadTimer_.setInterval(interval.milliseconds);
        reloadTimer_.setEnabled(interval.milliseconds != kStopInterval);
    }
}

void TableFiles::timReloadTimer() {
    reloadTimer_.setEnabled(false);
    // The tick starts the timer again whatever the reload did, an escaping error included.
    struct Restart {
        CoreTimer& timer;
        ~Restart() { timer.setEnabled(true); }
    } restart{reloadTimer_};
    mnuMainReLoadClick();
}

}  // namespace tabulyst
