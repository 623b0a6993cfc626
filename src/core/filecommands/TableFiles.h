#pragma once
// The file commands of the main window: Open, loading under the layout
// settings, Save and Save As, Reload and cyclic reload.
#include <string>
#include <vector>

#include "core/base/Signal.h"
#include "core/files/FileEncoding.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/SafeFileWriter.h"
#include "core/files/TableReader.h"
#include "core/grid/StringGrid.h"

namespace tabulyst {

class MainForm;

class TableFiles {
public:
    explicit TableFiles(MainForm& form);

    // How the lines of the current file end; a new table ends them with CR LF.
    LineEnds fileLineEnds = LineEnds::CrLf;
    // Whether the file's last line ends with a line end; a save writes it back so.
    bool fileLastLineEnded = true;
    // How the current file is encoded: every load sets it, the user's own
    // UTF-8 conversions of all cells reset it to plain Windows-1252.
    const FileEncoding& fileEncoding() const { return fileEncoding_; }
    // The window's caption: the file's path and the encoding the next save writes.
    std::string windowCaption() const;
    Signal<> encodingChanged;
    // A new table has no file behind it: plain Windows-1252 with CR LF line ends.
    void forgetFileFormat();
    // How many tables were read and shown so far: whether the one shown is still the one before.
    unsigned long tablesRead() const { return tablesRead_; }
    // Failures tests provoke in the writer; none in the program.
    const WriteFaults* writeFaults = nullptr;

    void ToolBtnOpenClick();
    // Opens path in place of the table shown; a table that does not load
    // leaves an empty table without a file name.
    bool OpenTableFile(const std::string& path);
    // Reads path and shows it when the whole file was read; false (after a
    // message) leaves the table shown, its title and its file format as they were.
    bool LoadTableFile(const std::string& path);
    // Starts reading the table file at path while the windows are made, with
    // the layout the first load will use; the fields are summed once the
    // advances are known. LoadTableFile takes what was read.
    void readAhead(const std::string& path);
    void sumAheadWithAdvances();

    void SaveCurrentFile();
    void SaveFileAs();
    // Writes rows and columns from 1; padded tells whether cells were padded.
    bool SaveTableFile(const std::string& path, bool includeHidden, bool& padded);
    bool WriteDelimitedFile(const std::string& path, bool includeHidden);
    bool WriteFixedLengthFile(const std::string& path, bool includeHidden, bool pad);
    bool CellsFitFieldLengths() const;

    void mnuMainReLoadClick();
    enum class Reload { Done, NoFile, Refused, Failed };
    // ask: whether changes are confirmed away first (the caller may have asked already).
    Reload reload(bool ask = true);
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
    void setReloadCommands(bool enabled);
    // The layout a read cuts lines with; false after telling what is wrong with it.
    bool readLayout(TableReadLayout& layout) const;
    bool readTable(const std::string& path);
    // The title and file format of a table with no file behind it.
    void forgetFile();
    // The width fit a read feeds, from the grid's widths before it.
    ColumnWidthFit startWidthFit(const StringGrid& grid) const;
    // Header numbers, fitted widths and the removal of an empty last row.
    void finishRead(StringGrid& grid, ColumnWidthFit& fit);
    // The field lengths as numbers; false for a bad one, told in a message unless tell is false.
    bool parsedFieldLengths(std::vector<int>& lengths, bool tell = true) const;
    // The decoded delimiter; false when it cannot be decoded, with the decoder's error text unless tell is false.
    bool decodedDelimiter(std::string& delimiter, bool tell = true) const;
    bool writeTable(const std::string& path, bool delimited, bool includeHidden, bool pad);
    // Tells once per file why a UTF-8 file was read as it stands.
    void takeNotice(const std::string& path, const TableReadResult& result);
    void setFileEncoding(const FileEncoding& encoding);

    MainForm& form_;
    FileEncoding fileEncoding_;
    unsigned long tablesRead_ = 0;
    // The file whose encoding notice the status line told last: a reload does not repeat it.
    std::string noticedPath_;
};

}  // namespace tabulyst
