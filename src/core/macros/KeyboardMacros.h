#pragma once
// Keyboard macros: the recorder with its commands, the player and the key
// hook the ui installs in front of every key.
#include "core/macros/MacroKeyHook.h"
#include "core/macros/MacroPlayer.h"
#include "core/macros/MacroRecorder.h"

namespace tabulyst {

class MainForm;

class KeyboardMacros {
public:
    explicit KeyboardMacros(MainForm& form);

    MacroRecorder recorder;
    MacroPlayer player;
    tabulyst::MacroKeyHook hook;
};

}  // namespace tabulyst
