#pragma once
// The main window without any widget: it creates the document and the
// subsystems that work on it, wires them to each other and to the commands,
// and runs the window's start, first paint and close. The ui shows the
// document and the commands and forwards the user's input here.
#include <string>
#include <vector>

#include "core/app/AboutWindow.h"
#include "core/base/CoreTimer.h"
#include "core/base/Signal.h"
#include "core/document/TableDocument.h"
#include "core/filecommands/FileChooser.h"
#include "core/filecommands/LayoutCommand.h"
#include "core/filecommands/RecentFiles.h"
#include "core/filecommands/TableFiles.h"
#include "core/files/ConfigFile.h"
#include "core/files/SettingsLocation.h"
#include "core/files/TableReadAhead.h"
#include "core/interaction/ClipboardTransfer.h"
#include "core/interaction/ColumnPicker.h"
#include "core/interaction/GridKeys.h"
#include "core/interaction/Navigation.h"
#include "core/interaction/Sorting.h"
#include "core/macros/KeyboardMacros.h"
#include "core/output/Bookmarks.h"
#include "core/output/CellPainter.h"
#include "core/output/PrintCommand.h"
#include "core/platform/Locale.h"
#include "core/platform/Platform.h"
#include "core/table/CharsetCommands.h"
#include "core/table/EditedCellHistory.h"
#include "core/table/FixedHeaders.h"
#include "core/table/HiddenColumns.h"
#include "core/table/NewTable.h"
#include "core/table/StructureEdits.h"
#include "core/textops/CellTransforms.h"
#include "core/textops/FindReplace.h"
#include "core/textops/OpenLink.h"
#include "core/window/Commands.h"
#include "core/window/StatusLine.h"

namespace tabulyst {

class MainForm : private GridEvents {
public:
    // executablePath: the running binary's full path.
    MainForm(const Platform& platform, std::string executablePath);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;
    ~MainForm() override;

    static constexpr int kWidth = 678;
    static constexpr int kHeight = 452;

    Platform platform;
    Commands commands;
    TableDocument document;
    StatusLine StatusBar;
    // Case mapping, decimal separator, date and time formats; the ui fills it at start.
    Locale locale;
    std::string ExecutableFolder;
    std::string ExecutablePath;
    CoreTimer timHideStatusBar{3000};
    CoreTimer timReload{50000};
    // The settings folder is chosen once, when the window is created.
    SettingsLocation settings;
    ConfigFile config;
    // The command line after the executable (file, fixed rows, fixed columns, row, column).
    std::vector<std::string> commandLine;

    // The subsystems, each attached to its commands; tests drive them directly.
    Bookmarks bookmarks;
    Navigation navigation;
    CharsetCommands charsets;
    StructureEdits structure;
    HiddenColumns hiddenColumns;
    RecentFiles recent;
    FileChooser fileChooser;
    TableFiles files;
    LayoutCommand layoutCommand;
    ClipboardTransfer clipboardTransfer;
    GridKeys gridKeys;
    PrintCommand printing;
    KeyboardMacros macros;
    FixedHeaders fixedHeaders;
    EditedCellHistory editedCells;
    NewTable newTable;
    FindReplace findReplace;
    Sorting sorting;  // header clicks that sort the rows
    CellTransforms transforms;
    OpenLink openLink;
    ColumnPicker columnPicker;
    AboutWindow about;

    void FormCreate();
    // The table named on the command line is read while the windows are made,
    // its fields summed once the advances are known.
    void readCommandLineFileAhead();
    void sumReadAheadWithAdvances();
    // The main window's paint event; only the first one acts.
    void FormPaint();
    // True when the window may close.
    bool FormClose();
    void mnuStayOnTopClick();
    void timHideStatusBarTimer();

    // Text typed or pasted (UTF-8) as the cells hold it. A Windows-1252 table
    // lacking one of its characters is offered to become a UTF-8 table; false
    // when the text is not taken.
    bool takeTypedText(std::string_view utf8, std::string& cells);

    // What the window shows: the file's path, or a temporary caption (while a
    // macro is recorded) that leaves the path as it is.
    const std::string& caption() const;
    // The window's text: the temporary caption, or the path with the encoding the next save writes.
    std::string windowText() const;
    Signal<> captionChanged;

    // A key pressed in the grid or its editor, after the menu shortcuts had
    // their turn: the main window's handler, then the grid's own movement.
    void gridKeyDown(KeyStroke stroke, int pageRows);
    // The main window's key handler; setting stroke.key to 0 consumes it.
    void StrGridKeyDown(KeyStroke& stroke);

    // The grid widget's mouse: a press on a cell (-1: on a border grip), a
    // release (the cell's horizontal extent and the pointer's x; a release in
    // the header cell the press began in sorts), and a plain click on a
    // header cell that moved nothing.
    void StrGridMouseDown(int col) { sorting.StrGridMouseDown(col); }
    void StrGridMouseUp(int col, int row, int cellLeft, int cellRight, int x, bool shift) {
        sorting.StrGridMouseUp(col, row, cellLeft, cellRight, x, shift);
    }
    void headerClick() { navigation.StrGridClick(); }
    // How a cell is painted: its draw state, the bookmarks and the sort marks.
    CellLook StrGridDrawCell(int col, int row, const CellDrawState& state) const {
        return tabulyst::StrGridDrawCell(col, row, state, bookmarks, document.sort);
    }

    Signal<> closeRequested;  // Exit: the ui closes the window, which runs FormClose

private:
    bool selectCell(int col, int row) override;
    void click() override;
    void getEditText(int col, int row) override;
    void setEditText(int col, int row, const std::string& value) override;
    void rowMoved(int from, int to) override;
    void columnMoved(int from, int to) override;

    TableReadAhead readAhead_;
    bool firstPaintDone_ = false;
};

// The folder of an executable path including the trailing separator.
std::string executableFolderOf(const std::string& executablePath);

}  // namespace tabulyst
