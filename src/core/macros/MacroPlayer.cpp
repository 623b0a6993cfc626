#include "core/macros/MacroPlayer.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "core/base/ScopedFlag.h"
#include "core/macros/MacroFiles.h"
#include "core/macros/MacroRecorder.h"
#include "core/platform/Platform.h"

namespace tabulyst {

MacroPlayer::MacroPlayer(const Platform& platform, const SettingsLocation& settings, MacroRecorder& recorder)
    : platform_(platform), settings_(settings), recorder_(recorder) {}

bool MacroPlayer::PlayMacro(int number) {
    if (playing_) return false;
    const std::string path = macroFilePath(settings_, number);
    if (!macroFileExists(path)) return false;
    MacroFileContents file = readMacroFile(path);
    if (!file.error.empty()) {
        platform_.dialogs->showMessage(file.error);
        return true;
    }
    // A recording in progress keeps its buffer: the played keys are recorded into it.
    if (!recorder_.recording()) recorder_.MacroBuffer = file.buffer;
    ScopedFlag busy(playing_);
    play(file.buffer);
    return true;
}

void MacroPlayer::play(const MacroBuffer& macro) {
    Keyboard* keyboard = platform_.keyboard;
    EventPump& events = *platform_.events;
    // The keys pressed and not yet released, oldest first.
    std::vector<std::uint16_t> held;
    auto inject = [&](std::uint16_t key, bool release) {
        if (key != 0 && keyboard) {
            keyboard->injectKey(key, release);
            std::erase(held, key);
            if (!release) held.push_back(key);
        }
        events.processEvents();
    };
    for (std::size_t i = 0; i < MacroBuffer::kEvents; ++i) {
        inject(macro.down[i], false);
        inject(macro.up[i], true);
    }
    // A recording cut off at its limit keeps presses whose releases it lost;
    // left down, Shift or Ctrl would stay held for every key typed or played after.
    const std::vector<std::uint16_t> left = std::exchange(held, {});
    for (auto key = left.rbegin(); key != left.rend(); ++key) inject(*key, true);
}

void MacroPlayer::mnuTempMacroClick() { PlayMacro(kTemporaryMacro); }

}  // namespace tabulyst
