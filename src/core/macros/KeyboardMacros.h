#pragma once
// Keyboard macros: the recorder with its commands, the player and the key
// hook the ui installs in front of every key.
#include "core/macros/MacroKeyHook.h"
#include "core/macros/MacroPlayer.h"
#include "core/macros/MacroRecorder.h"

namespace tabulyst {

class Commands;
struct Platform;
struct SettingsLocation;

class KeyboardMacros {
public:
    KeyboardMacros(Commands& commands, const Platform& platform, const SettingsLocation& settings);

    MacroRecorder recorder;
    MacroPlayer player;
    tabulyst::MacroKeyHook hook;
};

}  // namespace tabulyst
