#include "core/macros/MacroKeyHook.h"

#include "core/macros/MacroPlayer.h"
#include "core/macros/MacroRecorder.h"
#include "core/platform/Keys.h"

namespace tabulyst {

MacroKeyHook::MacroKeyHook(MacroRecorder& recorder, MacroPlayer& player) : recorder_(recorder), player_(player) {}

bool MacroKeyHook::isMacroKey(std::uint16_t key) { return key >= vk::F3 && key <= vk::F12; }

void MacroKeyHook::setModifier(std::uint16_t key, bool down) {
    if (key == vk::Shift) ShiftDown = down;
    if (key == vk::Control) CtrlDown = down;
    if (key == vk::Menu) AltDown = down;
}

bool MacroKeyHook::keyDown(std::uint16_t key) {
    setModifier(key, true);
    if (recorder_.recording()) {
        // Function keys would start macros on replay, and Alt's press is not
        // kept; both only beep, and still act.
        if (isMacroKey(key) || key == vk::Menu) recorder_.beep();
        else recorder_.record(key, false);
        return false;
    }
    if (!isMacroKey(key) || ShiftDown || CtrlDown || AltDown) return false;
    return player_.PlayMacro(key - (vk::F1 - 1));
}

void MacroKeyHook::keyUp(std::uint16_t key) {
    setModifier(key, false);
    if (recorder_.recording() && !isMacroKey(key) && !AltDown) recorder_.record(key, true);
}

void MacroKeyHook::releaseModifiers() {
    ShiftDown = false;
    CtrlDown = false;
    AltDown = false;
}

}  // namespace tabulyst
