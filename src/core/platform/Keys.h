#pragma once
// Keys are Windows virtual-key codes: the key tables and the macro files speak them.
#include <cstdint>

namespace tabulyst {

namespace vk {
constexpr std::uint16_t Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
                        Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
                        Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Insert = 0x2D, Delete = 0x2E,
                        F1 = 0x70, F2 = 0x71, F3 = 0x72, F4 = 0x73, F9 = 0x78, F12 = 0x7B, Oem102 = 0xE2;
constexpr std::uint16_t letter(char c) { return static_cast<std::uint16_t>(c); }  // 'A'..'Z', '0'..'9'
// Further keys the macro files carry: numpad, locks, and the punctuation keys
// (named after a German layout's unshifted character in the comments).
constexpr std::uint16_t Clear = 0x0C, Pause = 0x13, Capital = 0x14, Apps = 0x5D, F5 = 0x74, F6 = 0x75, F7 = 0x76,
                        F8 = 0x77, F10 = 0x79, F11 = 0x7A, Numpad0 = 0x60, Multiply = 0x6A, Add = 0x6B,
                        Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F, NumLock = 0x90, Scroll = 0x91,
                        Oem1 = 0xBA /* ü */, OemPlus = 0xBB /* + */, OemComma = 0xBC /* , */, OemMinus = 0xBD /* - */,
                        OemPeriod = 0xBE /* . */, Oem2 = 0xBF /* # */, Oem3 = 0xC0 /* ö */, Oem4 = 0xDB /* ß */,
                        Oem5 = 0xDC /* ^ */, Oem6 = 0xDD /* ´ */, Oem7 = 0xDE /* ä */;
}  // namespace vk

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    friend bool operator==(const Modifiers&, const Modifiers&) = default;
};

namespace mods {
constexpr Modifiers None{};
constexpr Modifiers Shift{true, false, false};
constexpr Modifiers Ctrl{false, true, false};
constexpr Modifiers Alt{false, false, true};
constexpr Modifiers CtrlShift{true, true, false};
}  // namespace mods

struct KeyStroke {
    std::uint16_t key = 0;
    Modifiers modifiers;
};

}  // namespace tabulyst
