#include "core/files/LayoutCommand.h"

#include "core/app/MainForm.h"
#include "core/files/LayoutSettings.h"

namespace tabulyst {

LayoutCommand::LayoutCommand(MainForm& form)
    : Form2(form.config, Form5, *form.platform.dialogs), form_(form) {
    form.commands.on("mnuMainSetDelimiter", [this] { ToolButton4Click(); });
    form.commands.on("ToolButton4", [this] { ToolButton4Click(); });
}

void LayoutCommand::ToolButton4Click() {
    auto& layout = form_.layout;
    auto& dialogs = *form_.platform.dialogs;
    Form2.setShownDelimiter(layout.CurrentDelimiter);
    Form2.setShownMode(layout.DelimitedMode);
    Form2.setFieldLengths(layout.FieldLengths);
    if (!dialogs.showLayoutDialog(Form2)) return;
    if (form_.cells.Modified && !form_.cells.ConfirmDiscard("Änderungen verwerfen und Datei erneut laden?")) return;
    form_.cells.EditStartText.clear();
    form_.cells.SetModified(false);

    // The new setting is used even when it cannot be stored.
    auto error = WriteDelimiterFile(form_.settings.delimiterFile, Form2.ChosenDelimiter);
    if (!error.empty()) dialogs.showMessage(error);
    layout.CurrentDelimiter = Form2.ChosenDelimiter;

    layout.DelimitedMode = Form2.chosenDelimitedMode();
    error = WriteLayoutSettings(form_.config, layout.DelimitedMode, layout.FieldLengths);
    if (!error.empty()) dialogs.showMessage(error);

    form_.files.mnuMainReLoadClick();
}

}  // namespace tabulyst
