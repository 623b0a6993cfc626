#include "core/macros/KeyboardMacros.h"

#include "core/app/MainForm.h"

namespace tabulyst {

KeyboardMacros::KeyboardMacros(MainForm& form)
    : recorder(form), player(form, recorder), hook(recorder, player) {
    form.commands.on("mnuMainStartReceiving", [this] { recorder.mnuMainStartReceivingClick(); });
    form.commands.on("mnuMainStopReceiving", [this] { recorder.mnuMainStopReceivingClick(); });
    form.commands.on("mnuTempMacro", [this] { player.mnuTempMacroClick(); });
}

}  // namespace tabulyst
