#pragma once
// Key injection on Qt: a virtual key becomes a key event posted to the widget
// that has the keyboard, carrying the Shift, Ctrl and Alt that injected keys
// hold down. The events stay inside this program.
#include "core/platform/Keyboard.h"
#include "core/platform/Keys.h"

namespace tabulyst::ui {

class QtKeyboard : public Keyboard {
public:
    void injectKey(std::uint16_t virtualKey, bool release) override;
    void beep() override;

private:
    Modifiers held_;
    unsigned long long stamp_ = 0;
};

}  // namespace tabulyst::ui
