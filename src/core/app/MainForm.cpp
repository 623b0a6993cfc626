#include "core/app/MainForm.h"

#include <charconv>
#include <optional>

#include "core/app/BuildVersion.h"

namespace tabulyst {

std::string executableFolderOf(const std::string& executablePath) {
    auto slash = executablePath.find_last_of('/');
    return slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
}

MainForm::MainForm(const Platform& p, std::string executablePath)
    : platform(p),
      bookmarks(commands, StrGrid),
      cells(StrGrid, commands, bookmarks, *p.dialogs),
      ExecutablePath(std::move(executablePath)),
      navigation(StrGrid, cells, commands, StatusBar, *p.events, ReplaceCounter),
      charsets(StrGrid, cells, commands, p.busy, Utf8File),
      structure(StrGrid, cells, commands, sort, p.busy),
      hiddenColumns(StrGrid, cells, commands, *p.dialogs, locale, p.textMeasure, p.busy, gridClientWidth),
      settings(SettingsLocation::decide(ExecutablePath)),
      config(settings.configFile),
      recent(commands, config, cells, [this](const std::string& path) { return openTableFile && openTableFile(path); }),
      layoutCommand(*this),
      clipboardTransfer(StrGrid, cells, commands, layout, p),
      gridKeys(StrGrid, cells, commands, navigation, clipboardTransfer, structure, locale),
      files(*this),
      printing(StrGrid, commands, platform, timReload, [this] { return title_; }),
      macros(*this),
      fixedHeaders(StrGrid, cells, commands),
      editedCells(StrGrid, cells, commands),
      newTable(*this),
      findReplace(StrGrid, cells, commands, StatusBar, timHideStatusBar, *p.dialogs, p.busy, locale, ReplaceCounter),
      sorting(StrGrid, cells, sort, p.busy, locale),
      transforms(StrGrid, cells, commands, *p.dialogs, p.busy, locale,
                 [this] { return files.fileEncoding().rawUtf8; }),
      openLink(StrGrid, commands, *p.dialogs, p.opener),
      columnPicker(StrGrid, commands, *p.dialogs, locale, p.geometry, p.textMeasure),
      about(commands, *p.dialogs, p.opener) {
    openTableFile = [this](const std::string& path) { return files.OpenTableFile(path); };
    StrGrid.setEvents(this);
    commands.reportError = [this](const std::string& text) { platform.dialogs->showMessage(text); };
    timHideStatusBar.onTimer([this] { timHideStatusBarTimer(); });
    commands.on("mnuMainUndo", [this] { cells.mnuMainUndoClick(); });
    commands.on("btnUndo", [this] { cells.mnuMainUndoClick(); });
    commands.on("mnuMainReUndo", [this] { cells.mnuMainReUndoClick(); });
    commands.on("btnReUndo", [this] { cells.mnuMainReUndoClick(); });
    commands.on("mnuExit", [this] { closeRequested(); });
    commands.on("mnuStayOnTop", [this] { mnuStayOnTopClick(); });
    about.FormCreate(BuildVersion());
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
    // 8.
    layout.CurrentDelimiter = ReadDelimiterFile(settings.delimiterFile);
    layout.FieldLengths.clear();
    layout.DelimitedMode = ReadLayoutSettings(config, layout.FieldLengths);
    // 9.
    sort.SortIndicatorColumn = -1;
    sort.SortDescending = false;
    Utf8File = false;
    // 10. Oldest key first, so the newest ends at the top.
    recent.readStoredFiles();
    // 11.
    commands.setEnabled("mnuMainShowAllCols", false);
    // 12. The macro key hook: the ui installs its event filter right after this.
}

void MainForm::readCommandLineFileAhead() {
    if (!commandLine.empty()) files.readAhead(commandLine[0]);
}

void MainForm::FormPaint() {
    if (firstPaintDone_) return;
    firstPaintDone_ = true;
    if (commandLine.empty()) return;
    const bool loaded = files.LoadTableFile(commandLine[0]);
    commands.setEnabled("mnuMainReLoad", loaded);
    commands.setEnabled("mnuMainCyclicalReLoad", loaded);
    if (!loaded) return;
    // Each parameter on its own: one that is no number or that the grid rejects is skipped.
    auto number = [this](std::size_t i) -> std::optional<int> {
        if (i >= commandLine.size() || commandLine[i].empty()) return std::nullopt;
        const std::string& text = commandLine[i];
        const char* first = text.data() + (text[0] == '+' ? 1 : 0);
        int value = 0;
        auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
        return value;
    };
    const std::function<void(int)> apply[] = {
        [this](int v) { StrGrid.setFixedRows(v); },
        [this](int v) { StrGrid.setFixedCols(v); },
        [this](int v) { StrGrid.setRow(v); },
        [this](int v) { StrGrid.setCol(v); },
    };
    for (std::size_t i = 0; i < 4; ++i) {
        if (auto v = number(i + 1)) {
            try {
                apply[i](*v);
            } catch (const GridError&) {
            }
        }
    }
    cells.ClearJournal();
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

void MainForm::setTitle(std::string title) {
    title_ = std::move(title);
    titleChanged();
}

void MainForm::setTemporaryCaption(const std::string& caption) {
    temporaryCaption_ = caption;
    titleChanged();
}

void MainForm::gridKeyDown(KeyStroke stroke, int pageRows) {
    StrGridKeyDown(stroke);
    if (stroke.key == 0) return;
    StrGrid.handleKey(stroke, pageRows);
}

void MainForm::StrGridKeyDown(KeyStroke& stroke) { gridKeys.StrGridKeyDown(stroke); }

bool MainForm::selectCell(int col, int row) { return navigation.StrGridSelectCell(col, row); }
void MainForm::click() { navigation.StrGridClick(); }
void MainForm::getEditText(int col, int row) { cells.StrGridGetEditText(col, row); }
void MainForm::setEditText(int col, int row, const std::string& value) { cells.StrGridSetEditText(col, row, value); }
void MainForm::rowMoved(int from, int to) { structure.StrGridRowMoved(from, to); }
void MainForm::columnMoved(int from, int to) { structure.StrGridColumnMoved(from, to); }

}  // namespace tabulyst
