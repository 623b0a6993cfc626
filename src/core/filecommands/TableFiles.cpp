#include "core/filecommands/TableFiles.h"

#include <filesystem>

#include "core/app/MainForm.h"
#include "core/files/DelimiterNotation.h"
#include "core/files/FieldLength.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/TableReadAhead.h"
#include "core/files/TableWriter.h"
#include "core/grid/GridUpdateScope.h"
#include "core/table/StringsChooser.h"

namespace tabulyst {

namespace {
const char* const kNoMemory = "Nicht genug Arbeitsspeicher, um die Datei zu laden.";
const char* const kNoFileName = "Erneutes Laden nicht möglich, es wurde kein Dateiname vergeben!";
const char* const kLengthMismatch =
    "Die aktuelle Datei passt nicht zu den eingestellten Feldlängen. Bitte speichern Sie die Datei nicht; es droht "
    "Datenverlust!";

}  // namespace

TableFiles::TableFiles(MainForm& form) : form_(form) {
    Commands& c = form_.commands;
    c.on("mnuMainLoad", [this] { ToolBtnOpenClick(); });
    c.on("ToolBtnOpen", [this] { ToolBtnOpenClick(); });
    c.on("mnuMainSave", [this] { SaveCurrentFile(); });
    c.on("ToolButtonSave", [this] { SaveCurrentFile(); });
    c.on("mnuMainSaveAs", [this] { SaveFileAs(); });
    c.on("mnuMainReLoad", [this] { mnuMainReLoadClick(); });
    c.on("ToolBtnReload", [this] { mnuMainReLoadClick(); });
    c.on("mnuMainCyclicalReLoad", [this] { mnuMainCyclicalReLoadClick(); });
    form_.timReload.onTimer([this] { timReloadTimer(); });
    // The user converting all cells takes charge of the encoding: saves write the cells as they are.
    form_.charsets.userConverted.connect([this] { setFileEncoding({}); });
}

std::string TableFiles::windowCaption() const {
    const std::string encoding = encodingCaption(fileEncoding_);
    return form_.title().empty() ? "[" + encoding + "]" : form_.title() + "  [" + encoding + "]";
}

void TableFiles::forgetFileFormat() {
    fileLineEnds = LineEnds::CrLf;
    fileLastLineEnded = true;
    setFileEncoding({});
}

void TableFiles::setFileEncoding(const FileEncoding& encoding) {
    if (encoding == fileEncoding_) return;
    fileEncoding_ = encoding;
    encodingChanged();
}

void TableFiles::takeNotice(const std::string& path, const TableReadResult& result) {
    if (!result.notice) {
        noticedPath_.clear();
    } else if (noticedPath_ != path) {
        noticedPath_ = path;
        form_.StatusBar.ShowStatusText(result.notice);
    }
}

void TableFiles::setReloadCommands(bool enabled) {
    form_.commands.setEnabled("mnuMainReLoad", enabled);
    form_.commands.setEnabled("mnuMainCyclicalReLoad", enabled);
}

// --- loading ---

void TableFiles::ToolBtnOpenClick() {
    auto path = form_.fileChooser.chooseOpenFile();
    if (!path) return;
    if (form_.cells.Modified && !form_.cells.ConfirmDiscard("Änderungen verwerfen und neue Datei laden?")) return;
    OpenTableFile(*path);
}

bool TableFiles::OpenTableFile(const std::string& path) {
    StringGrid& grid = form_.StrGrid;
    // From here on the table shown is not the old file's: a table that does
    // not load has no file behind it, and Save asks for a name rather than
    // write an empty table over the file.
    forgetFile();
    form_.cells.ClearJournal();
    form_.sort.reset();
    form_.cells.EditStartText.clear();
    form_.cells.SetModified(false);
    // The table shown goes first: its memory is the new one's.
    grid.beginUpdate();
    grid.setDefaultColWidth(StringGrid::kDefaultColWidth);  // also shows hidden columns
    grid.clearCells();
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.endUpdate();
    noticedPath_.clear();  // opening tells again what a reload would not repeat
    const bool ok = LoadTableFile(path);
    setReloadCommands(ok);
    return ok;
}

void TableFiles::forgetFile() {
    form_.setTitle("");
    forgetFileFormat();
    form_.Utf8File = false;
}

bool TableFiles::LoadTableFile(const std::string& path) {
    form_.timReload.setEnabled(false);
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(path, ec).string();
    if (ec) absolute = path;
    form_.recent.AddRecentFile(absolute);
    bool ok = false;
    const unsigned long tablesRead = tablesRead_;
    try {
        ok = readTable(absolute);
    } catch (const std::bad_alloc&) {
        // Once shown, the table is the file's, with its title and format, whatever failed after.
        ok = tablesRead_ != tablesRead;
        if (!ok) form_.platform.dialogs->showMessage(kNoMemory);
    }
    // What the start read ahead and this load did not take is of no use any more.
    dropTableAhead();
    if (ok) form_.Utf8File = fileEncoding_.byteOrderMark;
    return ok;
}

void TableFiles::readAhead(const std::string& path) {
    // Without a word: the load tells what is wrong with the layout.
    TableReadLayout layout;
    layout.delimited = form_.layout.DelimitedMode;
    const bool ok = layout.delimited ? decodedDelimiter(layout.delimiter, false)
                                     : !form_.layout.FieldLengths.empty() && parsedFieldLengths(layout.fieldLengths, false);
    if (ok) readTableAhead(path, layout);
}

void TableFiles::sumAheadWithAdvances() {
    const TextMeasure* measure = form_.platform.textMeasure;
    if (const TableScan::Weights* weights = summableWeights(measure ? measure->advanceTable() : nullptr))
        sumTableAheadWith(*weights);
}

bool TableFiles::decodedDelimiter(std::string& delimiter, bool tell) const {
    delimiter = DecodeDelimiter(form_.layout.CurrentDelimiter);
    if (!IsDecodeError(delimiter)) return true;
    // Used as a delimiter the error text would garble every line.
    if (tell) form_.platform.dialogs->showMessage(delimiter);
    return false;
}

bool TableFiles::parsedFieldLengths(std::vector<int>& lengths, bool tell) const {
    std::string bad;
    lengths = parseFieldLengths(form_.layout.FieldLengths, bad);
    if (lengths.size() == form_.layout.FieldLengths.size()) return true;
    if (tell) form_.platform.dialogs->showMessage("'" + bad + "' ist keine gültige Feldlänge.");
    return false;
}

bool TableFiles::readLayout(TableReadLayout& layout) const {
    layout.delimited = form_.layout.DelimitedMode;
    if (layout.delimited) return decodedDelimiter(layout.delimiter);
    if (form_.layout.FieldLengths.empty()) {
        form_.platform.dialogs->showMessage("Bitte stellen Sie die Feldlänge ein!");
        return false;
    }
    return parsedFieldLengths(layout.fieldLengths);
}

ColumnWidthFit TableFiles::startWidthFit(const StringGrid& grid) const {
    std::vector<int> widths;
    for (int c = 0; c < grid.colCount(); ++c) widths.push_back(grid.colWidth(c));
    return ColumnWidthFit(*form_.platform.textMeasure, form_.gridClientWidth / 3 * 2, std::move(widths),
                          grid.defaultColWidth());
}

void TableFiles::finishRead(StringGrid& grid, ColumnWidthFit& fit) {
    for (int c = 1; c < grid.colCount(); ++c) {
        grid.setCell(c, 0, std::to_string(c));
        fit.offer(static_cast<std::size_t>(c), grid.cell(c, 0));
    }
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

bool TableFiles::readTable(const std::string& path) {
    TableReadLayout layout;
    if (!readLayout(layout)) return false;
    // Read on the side: the table shown stays as it is unless the whole file is read.
    StringGrid read;
    if (!layout.delimited) read.setColCount(static_cast<int>(layout.fieldLengths.size()) + 1);
    ColumnWidthFit fit = startWidthFit(read);
    TableReadResult result = readTableFile(path, layout, read, &fit);
    if (!result.ok) {
        form_.platform.dialogs->showMessage(result.error);
        return false;
    }
    if (result.lengthMismatch) form_.platform.dialogs->showMessage(kLengthMismatch);
    finishRead(read, fit);
    // What may fail comes before the table is shown: from there on the grid,
    // its title and its file format change together.
    std::string title = path;
    form_.StrGrid.takeTable(read);
    ++tablesRead_;
    fileLineEnds = result.lineEnds;
    fileLastLineEnded = result.lastLineEnded;
    const bool otherEncoding = !(fileEncoding_ == result.encoding);
    fileEncoding_ = result.encoding;
    form_.setTitle(std::move(title));
    if (otherEncoding) encodingChanged();
    takeNotice(path, result);
    return true;
}

// --- saving ---

void TableFiles::SaveCurrentFile() {
    if (form_.title().empty()) {
        SaveFileAs();
        return;
    }
    bool padded = false;
    if (!SaveTableFile(form_.title(), true, padded)) return;
    form_.cells.EditStartText = form_.StrGrid.cellText(form_.StrGrid.col(), form_.StrGrid.row());
    form_.cells.SetModified(false);
    if (!form_.layout.DelimitedMode && !padded) mnuMainReLoadClick();
}

void TableFiles::SaveFileAs() {
    auto chosen = form_.fileChooser.chooseSaveFile();
    if (!chosen) return;
    const std::string path = *chosen;
    form_.recent.AddRecentFile(path);
    bool includeHidden = true;
    StringGrid& grid = form_.StrGrid;
    for (int c = 1; c < grid.colCount(); ++c)
        if (grid.isHidden(c)) {
            includeHidden = form_.platform.dialogs->confirm("Auch die versteckten Spalten speichern?", DefaultAnswer::Yes);
            break;
        }
    bool padded = false;
    if (!SaveTableFile(path, includeHidden, padded)) return;
    setReloadCommands(true);
    form_.cells.EditStartText = grid.cellText(grid.col(), grid.row());
    form_.cells.SetModified(false);
    form_.setTitle(path);
    if (!includeHidden) OpenTableFile(path);
    else if (!form_.layout.DelimitedMode && !padded) mnuMainReLoadClick();
}

bool TableFiles::CellsFitFieldLengths() const {
    const StringGrid& grid = form_.StrGrid;
    std::string bad;
    const std::vector<int> lengths = parseFieldLengths(form_.layout.FieldLengths, bad);
    if (lengths.size() != form_.layout.FieldLengths.size()) return false;
    const int cols = std::min(grid.colCount() - 1, static_cast<int>(lengths.size()));
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 1; c <= cols; ++c)
            if (grid.cell(c, r).size() != static_cast<std::size_t>(lengths[static_cast<std::size_t>(c - 1)])) return false;
    return true;
}

bool TableFiles::SaveTableFile(const std::string& path, bool includeHidden, bool& padded) {
    padded = false;
    if (form_.layout.DelimitedMode) return WriteDelimitedFile(path, includeHidden);
    if (CellsFitFieldLengths()) return WriteFixedLengthFile(path, includeHidden, false);
    // Cutting cells to their lengths throws text away: Enter keeps it.
    padded = form_.platform.dialogs->confirm("Zellen zur eingestellten Feldlänge auffüllen bzw. abschneiden?",
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
    TableWriteLayout layout;
    layout.delimited = delimited;
    layout.pad = pad;
    layout.includeHidden = includeHidden;
    layout.lineEnds = fileLineEnds;
    layout.lastLineEnded = fileLastLineEnded;
    layout.encoding = fileEncoding_;
    if (delimited ? !decodedDelimiter(layout.delimiter) : !parsedFieldLengths(layout.fieldLengths)) return false;
    BusyCursor busy(form_.platform.busy);
    std::string error;
    bool ok = false;
    {
        GridUpdateScope update(form_.StrGrid);
        ok = writeTableFile(path, layout, form_.StrGrid, error, writeFaults);
    }
    if (!ok) form_.platform.dialogs->showMessage(error);
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

TableFiles::Reload TableFiles::reload(bool ask) {
    if (form_.title().empty()) {
        form_.platform.dialogs->showMessage(kNoFileName);
        return Reload::NoFile;
    }
    CellStore& cells = form_.cells;
    if (ask && cells.Modified && !cells.ConfirmDiscard("Liste der Änderungen verwerfen und erneut Laden?"))
        return Reload::Refused;
    StringGrid& grid = form_.StrGrid;
    const int fixedRows = grid.fixedRows(), fixedCols = grid.fixedCols();
    const int col = grid.col(), row = grid.row();
    std::vector<int> widths;
    for (int c = 0; c < grid.colCount(); ++c) widths.push_back(grid.colWidth(c));
    // A reload that fails leaves the table, its changes and its journal as they were.
    if (!LoadTableFile(form_.title())) return Reload::Failed;
    cells.ClearJournal();
    cells.SetModified(false);
    cells.EditStartText.clear();
    form_.sort.reset();
    form_.commands.setEnabled("mnuMainShowAllCols", false);
    grid.beginUpdate();
    for (int c = 0; c < static_cast<int>(widths.size()) && c < grid.colCount(); ++c) {
        grid.setColWidth(c, widths[static_cast<std::size_t>(c)]);
        if (widths[static_cast<std::size_t>(c)] == StringGrid::kHiddenWidth)
            form_.commands.setEnabled("mnuMainShowAllCols", true);
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
    cells.ClearJournal();
    form_.sort.SortIndicatorColumn = -1;
    return Reload::Done;
}

void TableFiles::mnuMainCyclicalReLoadClick() {
    if (form_.title().empty()) {
        form_.platform.dialogs->showMessage(kNoFileName);
        return;
    }
    StringsChooser chooser(*form_.platform.dialogs, form_.locale);
    form_.timReload.setEnabled(false);
    const auto& intervals = reloadIntervals();
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        chooser.ChooserAddItem(intervals[i].caption);
        chooser.ChooserSetChecked(static_cast<int>(i), form_.timReload.interval() == intervals[i].milliseconds);
    }
    if (!chooser.ChooserExecute({}, "Select time to reload", false, false, true)) return;
    for (const auto& interval : intervals) {
        if (!chooser.ChooserIsChecked(interval.caption)) continue;
        form_.timReload.setInterval(interval.milliseconds);
        form_.timReload.setEnabled(interval.milliseconds != kStopInterval);
    }
}

void TableFiles::timReloadTimer() {
    form_.timReload.setEnabled(false);
    // The tick starts the timer again whatever the reload did, an escaping error included.
    struct Restart {
        CoreTimer& timer;
        ~Restart() { timer.setEnabled(true); }
    } restart{form_.timReload};
    mnuMainReLoadClick();
}

}  // namespace tabulyst
