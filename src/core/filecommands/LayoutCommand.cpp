#include "core/filecommands/LayoutCommand.h"

#include "core/app/MainForm.h"
#include "core/files/LayoutSettings.h"

namespace tabulyst {

namespace {
const char* const kLayoutKept =
    "Mit dieser Einstellung lässt sich die Datei nicht laden; die bisherige Einstellung bleibt bestehen.";
}

LayoutCommand::LayoutCommand(MainForm& form)
    : Form5(*form.platform.dialogs), Form2(form.config, Form5, *form.platform.dialogs), form_(form) {
    form.commands.on("mnuMainSetDelimiter", [this] { ToolButton4Click(); });
    form.commands.on("ToolButton4", [this] { ToolButton4Click(); });
}

void LayoutCommand::ToolButton4Click() {
    auto& layout = form_.layout;
    // The field-length dialog changes the lengths in place: what was in force before it.
    LayoutSettings before = layout;
    Form2.setShownDelimiter(layout.CurrentDelimiter);
    Form2.setShownMode(layout.DelimitedMode);
    Form2.setFieldLengths(layout.FieldLengths);
    if (!form_.platform.dialogs->showLayoutDialog(Form2)) return;
    if (form_.cells.Modified && !form_.cells.ConfirmDiscard("Änderungen verwerfen und Datei erneut laden?")) return;

    LayoutSettings chosen = layout;
    chosen.CurrentDelimiter = Form2.ChosenDelimiter;
    chosen.DelimitedMode = Form2.chosenDelimitedMode();
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
