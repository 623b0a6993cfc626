#include "core/filecommands/LayoutCommand.h"

#include "core/document/TableDocument.h"
#include "core/filecommands/TableFiles.h"
#include "core/files/SettingsLocation.h"
#include "core/platform/Dialogs.h"
#include "core/window/Commands.h"
#include "core/files/LayoutSettings.h"

namespace tabulyst {

namespace {
const char* const kLayoutKept =
    "Mit dieser Einstellung lässt sich die Datei nicht laden; die bisherige Einstellung bleibt bestehen.";
}

LayoutCommand::LayoutCommand(TableDocument& document, Commands& commands, Dialogs& dialogs, ConfigFile& config,
                             const SettingsLocation& settings, TableFiles& files)
    : fieldLengthDialog(dialogs),
      layoutDialog(config, fieldLengthDialog, dialogs),
      document_(document),
      dialogs_(dialogs),
      config_(config),
      settings_(settings),
      files_(files) {
    commands.on("mnuMainSetDelimiter", [this] { chooseLayout(); });
    commands.on("ToolButton4", [this] { chooseLayout(); });
}

void LayoutCommand::chooseLayout() {
    auto& layout = document_.layout;
    // The field-length dialog changes the lengths in place: what was in force before it.
    LayoutSettings before = layout;
    layoutDialog.setShownDelimiter(layout.CurrentDelimiter);
    layoutDialog.setShownMode(layout.DelimitedMode);
    layoutDialog.setFieldLengths(layout.FieldLengths);
    layoutDialog.chkQuotedFields = layout.QuotedFields;
    if (!dialogs_.showLayoutDialog(layoutDialog)) return;
    EditJournal& journal = document_.journal;
    if (journal.Modified && !journal.ConfirmDiscard("Änderungen verwerfen und Datei erneut laden?")) return;

    LayoutSettings chosen = layout;
    chosen.CurrentDelimiter = layoutDialog.ChosenDelimiter;
    chosen.DelimitedMode = layoutDialog.chosenDelimitedMode();
    chosen.QuotedFields = layoutDialog.chkQuotedFields;
    switchTo(std::move(chosen), std::move(before));
}

void LayoutCommand::offerDelimiter(const std::string& delimiter) {
    const std::string shown = delimiter == "\t" ? "Tabulatoren" : "„" + delimiter + "“";
    // Taking it only cuts the file just opened anew: nothing is lost either way.
    if (!dialogs_.confirm("Die Datei trennt ihre Felder offenbar mit " + shown +
                              ", nicht mit dem eingestellten Trennzeichen. Dieses Trennzeichen übernehmen?",
                          DefaultAnswer::Yes))
        return;
    LayoutSettings chosen = document_.layout;
    chosen.CurrentDelimiter = delimiter;
    // The widths of the file cut into one column fit whole lines: the new columns are fitted.
    switchTo(std::move(chosen), document_.layout, false);
}

void LayoutCommand::switchTo(LayoutSettings chosen, LayoutSettings before, bool keepWidths) {
    TableFiles::Reload outcome = TableFiles::Reload::Failed;
    const unsigned long tablesRead = files_.tablesRead();
    try {
        apply(std::move(chosen));
        outcome = files_.reload(false, keepWidths);
    } catch (...) {
        // Whatever failed: the layout in force is the one the table shown was cut with.
        if (files_.tablesRead() == tablesRead) apply(std::move(before));
        throw;
    }
    if (outcome == TableFiles::Reload::Failed || outcome == TableFiles::Reload::Stopped) {
        // The table shown was cut with the layout before: it stays, and so does that layout.
        if (outcome == TableFiles::Reload::Failed) dialogs_.showMessage(kLayoutKept);
        apply(std::move(before));
    } else if (outcome == TableFiles::Reload::NoFile) {
        document_.journal.markUnmodified();
    }
}

void LayoutCommand::apply(LayoutSettings settings) {
    auto& dialogs = dialogs_;
    auto& layout = document_.layout;
    // In force at once, without a request for memory; stored as far as it goes.
    layout = std::move(settings);
    auto error = WriteDelimiterFile(settings_.delimiterFile, layout.CurrentDelimiter);
    if (!error.empty()) dialogs.showMessage(error);
    error = WriteLayoutSettings(config_, layout.DelimitedMode, layout.FieldLengths, layout.QuotedFields);
    if (!error.empty()) dialogs.showMessage(error);
}

}  // namespace tabulyst
