#include "core/app/MainForm.h"

namespace tabulyst {

std::string executableFolderOf(const std::string& executablePath) {
    auto slash = executablePath.find_last_of('/');
    return slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
}

MainForm::MainForm(const Platform& p, std::string executablePath)
    : platform(p),
      bookmarks(commands),
      cells(StrGrid, commands, bookmarks, *p.dialogs),
      ExecutablePath(std::move(executablePath)),
      navigation(StrGrid, cells, commands, StatusBar, *p.events, ReplaceCounter) {
    StrGrid.setEvents(this);
    timHideStatusBar.onTimer([this] { timHideStatusBarTimer(); });
    commands.on("mnuMainUndo", [this] { cells.mnuMainUndoClick(); });
    commands.on("btnUndo", [this] { cells.mnuMainUndoClick(); });
    commands.on("mnuMainReUndo", [this] { cells.mnuMainReUndoClick(); });
    commands.on("btnReUndo", [this] { cells.mnuMainReUndoClick(); });
    commands.on("mnuExit", [this] { closeRequested(); });
    commands.on("mnuStayOnTop", [this] { mnuStayOnTopClick(); });
}

MainForm::~MainForm() { StrGrid.setEvents(nullptr); }

void MainForm::FormCreate() {
    // 1. An empty journal, no bookmarks, undo and the jumps disabled.
    cells.ClearJournal();
    // 2. Working state of other subsystems (the column picker list does not exist yet).
    sort.SortKeyCount = -1;
    sort.SortKeyColumns.fill(-1);
    // 3.
    ExecutableFolder = executableFolderOf(ExecutablePath);
    // 4.
    sort.HeaderPressColumn = -1;
    MacroRecording = false;
    commands.setEnabled("mnuMainStopReceiving", false);
    ReplaceCounter = 0;
    // 5. The context menu's items also appear in "&Editieren": the command
    //    tables list them once and the ui shows them in both places.
    // 6.
    setTitle("");
    commands.setEnabled("mnuMainReLoad", false);
    commands.setEnabled("mnuMainCyclicalReLoad", false);
    // 7.
    cells.EditStartText.clear();
    cells.SetModified(false);
    // 8. Layout settings are read here (delimiter file, configuration file).
    // 9.
    sort.SortIndicatorColumn = -1;
    sort.SortDescending = false;
    Utf8File = false;
    // 10. The recent-file list is rebuilt here from the configuration file.
    // 11.
    commands.setEnabled("mnuMainShowAllCols", false);
    // 12. The macro key hook is installed here.
}

void MainForm::FormPaint() {
    if (firstPaintDone_) return;
    firstPaintDone_ = true;
    // The command-line file is opened here once loading exists.
}

bool MainForm::FormClose() {
    if (cells.Modified && !cells.ConfirmDiscard("Änderungen verwerfen und beenden?")) return false;
    return true;
}

void MainForm::mnuStayOnTopClick() { commands.setChecked("mnuStayOnTop", !commands.checked("mnuStayOnTop")); }

void MainForm::timHideStatusBarTimer() {
    timHideStatusBar.setEnabled(false);
    StatusBar.hide();
}

void MainForm::setTitle(const std::string& title) {
    title_ = title;
    titleChanged();
}

void MainForm::gridKeyDown(KeyStroke stroke, int pageRows) {
    StrGridKeyDown(stroke);
    if (stroke.key == 0) return;
    StrGrid.handleKey(stroke, pageRows);
}

void MainForm::StrGridKeyDown(KeyStroke&) {}

bool MainForm::selectCell(int col, int row) { return navigation.StrGridSelectCell(col, row); }
void MainForm::click() { navigation.StrGridClick(); }
void MainForm::getEditText(int col, int row) { cells.StrGridGetEditText(col, row); }
void MainForm::setEditText(int col, int row, const std::string& value) { cells.StrGridSetEditText(col, row, value); }
void MainForm::rowMoved(int, int) {}
void MainForm::columnMoved(int, int) {}

}  // namespace tabulyst
