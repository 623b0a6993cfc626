#pragma once
// The main window's state and behaviour without any widget: the grid, the
// command states, the journal, the status line and timers, and the commands.
// The ui shows it and forwards the user's input to it.
#include <string>
#include <vector>

#include <functional>

#include "core/window/Commands.h"
#include "core/files/ConfigFile.h"
#include "core/filecommands/RecentFiles.h"
#include "core/files/SettingsLocation.h"
#include "core/app/AboutWindow.h"
#include "core/base/CoreTimer.h"
#include "core/base/Signal.h"
#include "core/window/StatusLine.h"
#include "core/grid/StringGrid.h"
#include "core/filecommands/FileChooser.h"
#include "core/filecommands/LayoutCommand.h"
#include "core/files/LayoutSettings.h"
#include "core/filecommands/TableFiles.h"
#include "core/interaction/ClipboardTransfer.h"
#include "core/interaction/ColumnPicker.h"
#include "core/interaction/GridKeys.h"
#include "core/interaction/Navigation.h"
#include "core/document/SortState.h"
#include "core/macros/KeyboardMacros.h"
#include "core/interaction/Sorting.h"
#include "core/output/Bookmarks.h"
#include "core/output/PrintCommand.h"
#include "core/platform/Locale.h"
#include "core/platform/Platform.h"
#include "core/table/CellStore.h"
#include "core/table/CharsetCommands.h"
#include "core/table/EditedCellHistory.h"
#include "core/table/FixedHeaders.h"
#include "core/table/HiddenColumns.h"
#include "core/table/NewTable.h"
#include "core/table/StructureEdits.h"
#include "core/textops/FindReplace.h"
#include "core/textops/CellTransforms.h"
#include "core/textops/OpenLink.h"

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
    StringGrid StrGrid;
    StatusLine StatusBar;
    Bookmarks bookmarks;
    CellStore cells;
    SortState sort;
    int ReplaceCounter = 0;
    bool MacroRecording = false;
    bool Utf8File = false;
    // Case mapping, decimal separator, date and time formats; the ui fills it at start.
    Locale locale;
    std::string ExecutableFolder;
    std::string ExecutablePath;
    CoreTimer timHideStatusBar{3000};
    CoreTimer timReload{50000};
    Navigation navigation;
    CharsetCommands charsets;
    StructureEdits structure;
    // The grid widget's visible width in pixels, kept set by the ui; column
    // fitting after hiding or showing columns uses two thirds of it.
    int gridClientWidth = 0;
    HiddenColumns hiddenColumns;
    // The settings folder is chosen once, when the window is created.
    SettingsLocation settings;
    ConfigFile config;
    LayoutSettings layout;
    // The open and reload paths of the table-file readers: empty until loading exists.
    std::function<bool(const std::string&)> openTableFile;  // OpenTableFile
    RecentFiles recent;
    LayoutCommand layoutCommand;
    ClipboardTransfer clipboardTransfer;
    GridKeys gridKeys;
    TableFiles files;
    PrintCommand printing;
    // The recorder, player and key hook of the keyboard macros.
    KeyboardMacros macros;
    FixedHeaders fixedHeaders;
    EditedCellHistory editedCells;
    NewTable newTable;
    FindReplace findReplace;
    // Header clicks that sort the rows.
    Sorting sorting;
    CellTransforms transforms;
    OpenLink openLink;
    ColumnPicker columnPicker;
    AboutWindow about;

    // The command line after the executable (file, fixed rows, fixed columns, row, column).
    std::vector<std::string> commandLine;

    void FormCreate();
    // The table named on the command line is read while the windows are made.
    void readCommandLineFileAhead();
    // The main window's paint event; only the first one acts.
    void FormPaint();
    // True when the window may close.
    bool FormClose();
    void mnuStayOnTopClick();
    void timHideStatusBarTimer();

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    // What the window shows: the title, or a temporary caption (while a macro
    // is recorded) that leaves the title, the current file, as it is.
    const std::string& caption() const { return temporaryCaption_.empty() ? title_ : temporaryCaption_; }
    void setTemporaryCaption(const std::string& caption);  // empty: the title again
    // The window's text: the temporary caption, or the title with the encoding the next save writes.
    std::string windowText() const { return temporaryCaption_.empty() ? files.windowCaption() : temporaryCaption_; }

    // A key pressed in the grid or its editor, after the menu shortcuts had
    // their turn: the main window's handler, then the grid's own movement.
    void gridKeyDown(KeyStroke stroke, int pageRows);
    // The main window's key handler; setting stroke.key to 0 consumes it.
    void StrGridKeyDown(KeyStroke& stroke);

    Signal<> titleChanged;
    Signal<> closeRequested;  // Exit: the ui closes the window, which runs FormClose
    // The open and save dialogs; after titleChanged, which it follows.
    FileChooser fileChooser{*this};

private:
    bool selectCell(int col, int row) override;
    void click() override;
    void getEditText(int col, int row) override;
    void setEditText(int col, int row, const std::string& value) override;
    void rowMoved(int from, int to) override;
    void columnMoved(int from, int to) override;

    std::string title_;
    std::string temporaryCaption_;
    bool firstPaintDone_ = false;
};

// The folder of an executable path including the trailing separator.
std::string executableFolderOf(const std::string& executablePath);

}  // namespace tabulyst
