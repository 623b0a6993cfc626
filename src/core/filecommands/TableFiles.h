#pragma once
// The file commands of the main window: Open, loading under the layout
// settings, Save and Save As, Reload and cyclic reload.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/files/FitColumnWidths.h"
#include "core/files/SafeFileWriter.h"
#include "core/files/TableReader.h"

namespace tabulyst {

class Commands;
class ProgressScope;
class CoreTimer;
class FileChooser;
class Locale;
class RecentFiles;
class StatusLine;
class TableDocument;
class TableReadAhead;
struct Platform;

class TableFiles {
public:
    TableFiles(TableDocument& document, Commands& commands, const Platform& platform, StatusLine& status,
               CoreTimer& reloadTimer, RecentFiles& recent, FileChooser& chooser, const Locale& locale);

    // How many tables were read and shown so far: whether the one shown is still the one before.
    unsigned long tablesRead() const { return tablesRead_; }
    // Failures tests provoke in the writer; none in the program.
    const WriteFaults* writeFaults = nullptr;

    void ToolBtnOpenClick();
    // The one way a table file is opened (the open dialog, the recent list, a
    // drop, the command line): in place of the table shown; a table that does
    // not load leaves an empty table without a file name. ahead: what the
    // start read of the file already, taken or given up.
    bool OpenTableFile(const std::string& path, TableReadAhead* ahead = nullptr);
    // Told the delimiter a file just opened into one column seems to use.
    std::function<void(const std::string& delimiter)> delimiterFound;
    // The same after asking whether changes may go, when there are any.
    bool openAfterAsking(const std::string& path);
    // The layout the start reads the command line's file ahead with (as for
    // Windows-1252, the reader cuts a UTF-8 file again where it must); nothing
    // (and no word: the load tells) when the settings cut no line.
    std::optional<TableLayout> readAheadLayout() const;

    void SaveCurrentFile();
    void SaveFileAs();
    // Writes rows and columns from 1; padded tells whether cells were padded.
    bool SaveTableFile(const std::string& path, bool includeHidden, bool& padded);
    bool WriteDelimitedFile(const std::string& path, bool includeHidden);
    bool WriteFixedLengthFile(const std::string& path, bool includeHidden, bool pad);
    bool CellsFitFieldLengths() const;

    void mnuMainReLoadClick();
    // Stopped: the user stopped the read; the table stays as after Failed, without a message.
    enum class Reload { Done, NoFile, Refused, Failed, Stopped };
    // ask: whether changes are confirmed away first (the caller may have asked already);
    // keepWidths: whether the columns keep their widths, or are fitted to the table read.
    Reload reload(bool ask = true, bool keepWidths = true);
    void mnuMainCyclicalReLoadClick();
    void timReloadTimer();

    // The reload intervals offered, in order; the last one stops reloading.
    struct ReloadInterval {
        const char* caption;
        int milliseconds;
    };
    static const std::vector<ReloadInterval>& reloadIntervals();
    static constexpr int kStopInterval = 10000000;

private:
    // After an open into one column: tells delimiterFound what the file seems to use.
    void offerDelimiter(const std::string& path);
    // Reads path and shows it when the whole file was read; false (after a
    // message) leaves the table shown, its path and its file format as they were.
    bool LoadTableFile(const std::string& path, TableReadAhead* ahead = nullptr);
    void setReloadCommands(bool enabled);
    // The layout a read cuts lines with; nothing after telling what is wrong with it.
    std::optional<TableLayouts> readLayout() const;
    bool readTable(const std::string& path, TableReadAhead* ahead, ProgressScope& progress);
    // The width fit a read feeds, from the grid's widths before it.
    ColumnWidthFit startWidthFit(const StringGrid& grid) const;
    // Header numbers, fitted widths and the removal of an empty last row.
    void finishRead(StringGrid& grid, ColumnWidthFit& fit);
    bool writeTable(const std::string& path, bool delimited, bool includeHidden, bool pad);
    // Tells once per file why a UTF-8 file was read as it stands.
    void takeNotice(const std::string& path, const TableReadResult& result);

    TableDocument& document_;
    Commands& commands_;
    const Platform& platform_;
    StatusLine& status_;
    CoreTimer& reloadTimer_;
    RecentFiles& recent_;
    FileChooser& chooser_;
    const Locale& locale_;
    unsigned long tablesRead_ = 0;
    bool stopped_ = false;  // the last read was stopped by the user
    // The file whose encoding notice the status line told last: a reload does not repeat it.
    std::string noticedPath_;
    std::string noticed_;
};

}  // namespace tabulyst
