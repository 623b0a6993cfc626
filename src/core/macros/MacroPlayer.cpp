#include "core/macros/MacroPlayer.h"

#include "core/app/MainForm.h"
#include "core/app/ScopedFlag.h"
#include "core/macros/MacroFiles.h"
#include "core/macros/MacroRecorder.h"

namespace tabulyst {

MacroPlayer::MacroPlayer(MainForm& form, MacroRecorder& recorder) : form_(form), recorder_(recorder) {}

bool MacroPlayer::PlayMacro(int number) {
    if (playing_) return false;
    const std::string path = macroFilePath(form_.settings, number);
    if (!macroFileExists(path)) return false;
    MacroFileContents file = readMacroFile(path);
    if (!file.error.empty()) {
        form_.platform.dialogs->showMessage(file.error);
        return true;
    }
    // A recording in progress keeps its buffer: the played keys are recorded into it.
    if (!recorder_.recording()) recorder_.MacroBuffer = file.buffer;
    ScopedFlag busy(playing_);
    play(file.buffer);
    return true;
}

void MacroPlayer::play(const MacroBuffer& macro) {
    Keyboard* keyboard = form_.platform.keyboard;
    EventPump& events = *form_.platform.events;
    for (std::size_t i = 0; i < MacroBuffer::kEvents; ++i) {
        if (macro.down[i] != 0 && keyboard) keyboard->injectKey(macro.down[i], false);
        events.processEvents();
        if (macro.up[i] != 0 && keyboard) keyboard->injectKey(macro.up[i], true);
        events.processEvents();
    }
}

void MacroPlayer::mnuTempMacroClick() { PlayMacro(kTemporaryMacro); }

}  // namespace tabulyst
