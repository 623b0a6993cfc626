#include "core/app/MainForm.h"

#include <charconv>
#include <optional>

#include "core/app/BuildVersion.h"
#include "core/files/LayoutSettings.h"
#include "core/files/TableScan.h"
#include "core/text/Utf8Text.h"

namespace tabulyst {

namespace {

// What the open table's cells hold, asked anew at each command.
std::function<text::TextEncoding()> cellEncodingOf(const TableDocument& document) {
    return [&document] { return document.format().encoding.cells(); };
}

}  // namespace

std::string executableFolderOf(const std::string& executablePath) {
    auto slash = executablePath.find_last_of('/');
    return slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
}

MainForm::MainForm(const Platform& p, std::string executablePath)
    : platform(p),
      document(commands, *p.dialogs),
      ExecutablePath(std::move(executablePath)),
      settings(SettingsLocation::decide(ExecutablePath)),
      config(settings.configFile),
      bookmarks(commands, document.StrGrid),
      navigation(document.StrGrid, document.journal, commands, StatusBar, *p.events,
                 [this] { return findReplace.ReplaceCounter < 0; }),
      charsets(document, commands, *p.dialogs, StatusBar, p.busy, p.progress),
      structure(document.StrGrid, document.journal, commands, document.sort, p.busy),
      hiddenColumns(document.StrGrid, document.journal, commands, *p.dialogs, locale, p.textMeasure, p.busy),
      recent(commands, config, document.journal,
             [this](const std::string& path) { return files.OpenTableFile(path); }),
      fileChooser(document, *p.dialogs),
      files(document, commands, platform, StatusBar, timReload, recent, fileChooser, locale),
      layoutCommand(document, commands, *p.dialogs, config, settings, files),
      clipboardTransfer(document.StrGrid, document.journal, commands, document.layout, document.format(), p),
      gridKeys(document.StrGrid, document.journal, commands, navigation, clipboardTransfer, structure, locale),
      printing(document.StrGrid, commands, platform, timReload, [this] { return document.path(); },
               [this] { return document.format().encoding.cells(); }),
      macros(commands, platform, settings),
      fixedHeaders(document.StrGrid, document.journal, commands),
      editedCells(document.StrGrid, document.journal, commands),
      newTable(document, commands, platform, fixedHeaders, timReload),
      findReplace(document.StrGrid, document.journal, commands, StatusBar, timHideStatusBar, *p.dialogs, p.busy,
                  locale, cellEncodingOf(document), p.progress),
      sorting(document.StrGrid, document.journal, document.sort, p.busy, locale, cellEncodingOf(document), p.progress),
      transforms(document.StrGrid, document.journal, commands, *p.dialogs, p.busy, locale, cellEncodingOf(document)),
      openLink(document.StrGrid, commands, *p.dialogs, p.opener),
      columnPicker(document.StrGrid, commands, *p.dialogs, locale, p.geometry, p.textMeasure,
                   [this] { return document.format().encoding.cells(); }),
      about(commands, *p.dialogs, p.opener) {
    document.StrGrid.setEvents(this);
    files.delimiterFound = [this](const std::string& delimiter) { layoutCommand.offerDelimiter(delimiter); };
    clipboardTransfer.takeText = [this](std::string_view utf8, std::string& cells) {
        return takeTypedText(utf8, cells);
    };
    // The bookmarks go with the journal.
    document.journal.cleared.connect([this] { bookmarks.clear(); });
    document.pathChanged.connect([this] { captionChanged(); });
    document.formatChanged.connect([this] { captionChanged(); });
    macros.recorder.captionChanged.connect([this] { captionChanged(); });
    commands.reportError = [this](const std::string& text) { platform.dialogs->showMessage(text); };
    timHideStatusBar.onTimer([this] { timHideStatusBarTimer(); });
    EditJournal& journal = document.journal;
    commands.on("mnuMainUndo", [&journal] { journal.mnuMainUndoClick(); });
    commands.on("btnUndo", [&journal] { journal.mnuMainUndoClick(); });
    commands.on("mnuMainReUndo", [&journal] { journal.mnuMainReUndoClick(); });
    commands.on("btnReUndo", [&journal] { journal.mnuMainReUndoClick(); });
    commands.on("mnuExit", [this] { closeRequested(); });
    commands.on("mnuStayOnTop", [this] { mnuStayOnTopClick(); });
    about.FormCreate(BuildVersion());
}

MainForm::~MainForm() { document.StrGrid.setEvents(nullptr); }

bool MainForm::takeTypedText(std::string_view utf8, std::string& cells) {
    char32_t lacking = 0;
    if (document.cellsFromUtf8(utf8, cells, lacking)) return true;
    std::string character;
    text::appendUtf8(character, lacking);
    const std::string question = "Windows-1252 kennt das Zeichen „" + character +
                                 "“ nicht. Soll die Tabelle in UTF-8 umgewandelt werden?";
    // Converting changes how the file is saved: Enter keeps the table as it is.
    if (!platform.dialogs->confirm(question, DefaultAnswer::No)) return false;
    convertTableToUtf8(document, platform.busy, platform.progress);
    return document.cellsFromUtf8(utf8, cells, lacking);
}

void MainForm::FormCreate() {
    // An empty journal, no bookmarks, undo and the jumps disabled.
    document.journal.ClearJournal();
    ExecutableFolder = executableFolderOf(ExecutablePath);
    commands.setEnabled("mnuMainStopReceiving", false);
    commands.setEnabled("mnuMainReLoad", false);
    commands.setEnabled("mnuMainCyclicalReLoad", false);
    document.journal.SetModified(false);
    LayoutSettings& layout = document.layout;
    layout.CurrentDelimiter = ReadDelimiterFile(settings.delimiterFile);
    layout.FieldLengths.clear();
    layout.DelimitedMode = ReadLayoutSettings(config, layout.FieldLengths);
    layout.QuotedFields = ReadQuotedFields(config);
    // Oldest key first, so the newest ends at the top.
    recent.readStoredFiles();
    commands.setEnabled("mnuMainShowAllCols", false);
    // The macro key hook: the ui installs its event filter right after this.
}

void MainForm::readCommandLineFileAhead() {
    if (commandLine.empty()) return;
    if (std::optional<TableLayout> layout = files.readAheadLayout()) readAhead_.start(commandLine[0], *layout);
}

void MainForm::sumReadAheadWithAdvances() {
    const TextMeasure* measure = platform.textMeasure;
    if (const TableScan::Weights* weights = summableWeights(measure ? measure->advanceTable() : nullptr))
        readAhead_.sumWith(*weights, summableWeights(measure->forUtf8Cells().advanceTable()));
}

void MainForm::FormPaint() {
    if (firstPaintDone_) return;
    firstPaintDone_ = true;
    if (commandLine.empty()) return;
    if (!files.OpenTableFile(commandLine[0], &readAhead_)) return;
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
        [this](int v) { document.StrGrid.setFixedRows(v); },
        [this](int v) { document.StrGrid.setFixedCols(v); },
        [this](int v) { document.StrGrid.setRow(v); },
        [this](int v) { document.StrGrid.setCol(v); },
    };
    for (std::size_t i = 0; i < 4; ++i) {
        if (auto v = number(i + 1)) {
            try {
                apply[i](*v);
            } catch (const GridError&) {
            }
        }
    }
    document.journal.ClearJournal();
}

bool MainForm::FormClose() {
    EditJournal& journal = document.journal;
    if (journal.Modified && !journal.ConfirmDiscard("Änderungen verwerfen und beenden?")) return false;
    return true;
}

void MainForm::mnuStayOnTopClick() { commands.setChecked("mnuStayOnTop", !commands.checked("mnuStayOnTop")); }

void MainForm::timHideStatusBarTimer() {
    timHideStatusBar.setEnabled(false);
    StatusBar.hide();
}

const std::string& MainForm::caption() const {
    const std::string& temporary = macros.recorder.caption();
    return temporary.empty() ? document.path() : temporary;
}

std::string MainForm::windowText() const {
    if (!macros.recorder.caption().empty()) return macros.recorder.caption();
    const std::string encoding = encodingCaption(document.format().encoding);
    return document.path().empty() ? "[" + encoding + "]" : document.path() + "  [" + encoding + "]";
}

void MainForm::gridKeyDown(KeyStroke stroke, int pageRows) {
    StrGridKeyDown(stroke);
    if (stroke.key == 0) return;
    document.StrGrid.handleKey(stroke, pageRows);
}

void MainForm::StrGridKeyDown(KeyStroke& stroke) { gridKeys.StrGridKeyDown(stroke); }

bool MainForm::selectCell(int col, int row) { return navigation.StrGridSelectCell(col, row); }
void MainForm::click() { navigation.StrGridClick(); }
void MainForm::getEditText(int col, int row) { document.journal.StrGridGetEditText(col, row); }
void MainForm::setEditText(int col, int row, const std::string& value) {
    document.journal.StrGridSetEditText(col, row, value);
}
void MainForm::rowMoved(int from, int to) { structure.StrGridRowMoved(from, to); }
void MainForm::columnMoved(int from, int to) { structure.StrGridColumnMoved(from, to); }

}  // namespace tabulyst
