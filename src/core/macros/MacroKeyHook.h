#pragma once
// The application-wide key hook: sees every key press and release before it
// is dispatched, records them while recording, and plays the macro of an
// unmodified F3 to F12 otherwise.
#include <cstdint>

namespace tabulyst {

class MacroRecorder;
class MacroPlayer;

class MacroKeyHook {
public:
    MacroKeyHook(MacroRecorder& recorder, MacroPlayer& player);

    bool ShiftDown = false;
    bool CtrlDown = false;
    bool AltDown = false;

    // A key press about to be dispatched; true when a macro played instead,
    // and the key must have no further effect.
    bool keyDown(std::uint16_t key);
    // A key release about to be dispatched; it is always dispatched.
    void keyUp(std::uint16_t key);
    // The program lost the keyboard: releases happen elsewhere, unseen.
    void releaseModifiers();

    static bool isMacroKey(std::uint16_t key);  // F3 to F12

private:
    void setModifier(std::uint16_t key, bool down);

    MacroRecorder& recorder_;
    MacroPlayer& player_;
};

}  // namespace tabulyst
