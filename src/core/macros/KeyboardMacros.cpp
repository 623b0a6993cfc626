#include "core/macros/KeyboardMacros.h"

#include "core/window/Commands.h"

namespace tabulyst {

KeyboardMacros::KeyboardMacros(Commands& commands, const Platform& platform, const SettingsLocation& settings)
    : recorder(commands, platform, settings), player(platform, settings, recorder), hook(recorder, player) {
    commands.on("mnuMainStartReceiving", [this] { recorder.mnuMainStartReceivingClick(); });
    commands.on("mnuMainStopReceiving", [this] { recorder.mnuMainStopReceivingClick(); });
    commands.on("mnuTempMacro", [this] { player.mnuTempMacroClick(); });
}

}  // namespace tabulyst
