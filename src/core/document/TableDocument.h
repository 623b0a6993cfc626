#pragma once
// The open table and what describes it: the grid, the edit journal with the
// modified state, the file it came from and that file's format, the layout
// its lines are cut with, and the sort state. Subsystems work on it; it tells
// what changed through its signals, the grid's and the journal's.
#include <string>
#include <string_view>

#include "core/base/Signal.h"
#include "core/document/EditJournal.h"
#include "core/document/SortState.h"
#include "core/files/FileEncoding.h"
#include "core/files/LayoutSettings.h"
#include "core/grid/StringGrid.h"

namespace tabulyst {

class Commands;
class Dialogs;

class TableDocument {
public:
    TableDocument(Commands& commands, Dialogs& dialogs);
    TableDocument(const TableDocument&) = delete;
    TableDocument& operator=(const TableDocument&) = delete;

    StringGrid StrGrid;
    EditJournal journal;
    SortState sort;
    // The layout in force: every read, save and paste cuts lines with it. Read
    // at start, changed only by the layout command.
    LayoutSettings layout;

    // The file's full path; empty while no file is behind the table.
    const std::string& path() const { return path_; }
    // How the file is written back and what the cells are in: every load sets
    // it, the conversion commands change its encoding with the cells.
    const FileFormat& format() const { return format_; }

    // A table was read from path in this format and is shown now.
    void setFile(std::string path, const FileFormat& format);
    // The table was saved under a new name.
    void setPath(std::string path);
    void setEncoding(const FileEncoding& encoding);

    // Text from the user or the clipboard (UTF-8) as this table's cells hold
    // it. False when a Windows-1252 table lacks one of its characters; lacking
    // is then the first of them.
    bool cellsFromUtf8(std::string_view utf8, std::string& cells, char32_t& lacking) const;
    // Cell text as UTF-8, for the clipboard and the screen.
    std::string utf8FromCells(std::string_view cells) const;
    // No file behind the table: no path, and a save writes Windows-1252 with CR LF.
    void forgetFile();

    Signal<> pathChanged;
    Signal<> formatChanged;

private:
    void setFormat(const FileFormat& format);

    std::string path_;
    FileFormat format_;
};

}  // namespace tabulyst
