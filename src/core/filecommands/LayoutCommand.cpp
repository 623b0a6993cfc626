#include "core/filecommands/LayoutCommand.h"

#include "core/app/MainForm.h"
#include "core/files/LayoutSettings.h"

namespace tabulyst {

namespace {
const char* const kLayoutKept =
    "Mit dieser Einstellung lässt sich die Datei nicht laden; die bisherige Einstellung bleibt bestehen.";
}

LayoutCommand::LayoutCommand(MainForm& form)
    : fieldLengthDialog(*form.platform.dialogs), layoutDialog(form.config, fieldLengthDialog, *form.platform.dialogs), form_(form) {
    form.commands.on("mnuMainSetDelimiter", [this] { chooseLayout(); });
    form.commands.on("ToolButton4", [this] { chooseLayout(); });
}

void LayoutCommand::chooseLayout() {
    auto& layout = form_.layout;
    // The field-length dialog changes the lengths in place: what was in force before it.
    LayoutSettings before = layout;
    layoutDialog.setShownDelimiter(layout.CurrentDelimiter);
    layoutDialog.setShownMode(layout.DelimitedMode);
    layoutDialog.setFieldLengths(layout.FieldLengths);
    if (!form_.platform.dialogs->showLayoutDialog(layoutDialog)) return;
    if (form_.cells.Modified && !form_.cells.ConfirmDiscard("Änderungen verwerfen und Datei erneut laden?")) return;

    LayoutSettings chosen = layout;
    chosen.CurrentDelimiter = layoutDialog.ChosenDelimiter;
    chosen.DelimitedMode = layoutDialog.chosenDelimitedMode();
    TableFiles::Reload outcome = TableFiles::Reload::Failed;
    const unsigned long tablesRead = form_.files.tablesRead();
    try {
        apply(std::move(chosen));
        outcome = form_.files.reload(false);
    } catch (...) {
        // Whatever failed: the layout in force is the one the table shown was cut with.
        if (form_.files.tablesRead() == tablesRead) apply(std::move(before));
        throw;
    }
    if (outcome == TableFiles::Reload::Failed) {
        // The table shown was cut with the layout before: it stays, and so does that layout.
        form_.platform.dialogs->showMessage(kLayoutKept);
        apply(std::move(before));
    } else if (outcome == TableFiles::Reload::NoFile) {
        form_.cells.EditStartText.clear();
        form_.cells.SetModified(false);
    }
}

void LayoutCommand::apply(LayoutSettings settings) {
    auto& dialogs = *form_.platform.dialogs;
    auto& layout = form_.layout;
    // In force at once, without a request for memory; stored as far as it goes.
    layout = std::move(settings);
    auto error = WriteDelimiterFile(form_.settings.delimiterFile, layout.CurrentDelimiter);
    if (!error.empty()) dialogs.showMessage(error);
    error = WriteLayoutSettings(form_.config, layout.DelimitedMode, layout.FieldLengths);
    if (!error.empty()) dialogs.showMessage(error);
}

}  // namespace tabulyst
