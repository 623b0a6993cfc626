#pragma once
// Playing a macro file back: every recorded press and release is injected in
// order, and the program handles each before the next one comes.
#include "core/macros/MacroBuffer.h"

namespace tabulyst {

class MacroRecorder;
struct Platform;
struct SettingsLocation;

class MacroPlayer {
public:
    MacroPlayer(const Platform& platform, const SettingsLocation& settings, MacroRecorder& recorder);

    // Plays the macro of a function key number (3 to 12) or the temporary one
    // (kTemporaryMacro). False when there is no such file, and while another
    // macro plays, so a macro never starts one itself. A file that cannot be
    // read is reported and plays nothing.
    bool PlayMacro(int number);
    void mnuTempMacroClick();
    bool playing() const { return playing_; }

private:
    void play(const MacroBuffer& macro);

    const Platform& platform_;
    const SettingsLocation& settings_;
    MacroRecorder& recorder_;
    bool playing_ = false;
};

}  // namespace tabulyst
