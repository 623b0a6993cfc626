#include "ui/KeyMap.h"

#include <utility>

namespace tabulyst::ui {

namespace {
struct KeyRow {
    std::uint16_t vk;
    int qt;          // the Qt key unshifted
    int shiftedQt;   // with Shift, when it differs
    const char16_t* text;         // typed on a German layout, or nullptr
    const char16_t* shiftedText;  // typed with Shift
    bool keypad = false;
};
// Rows of one virtual key after its first are further Qt names of it (dead keys).
// Letters and function keys are ranges, handled beside the table.
constexpr KeyRow kKeys[] = {
    {vk::Back, Qt::Key_Backspace, 0, nullptr, nullptr},
    {vk::Tab, Qt::Key_Tab, Qt::Key_Backtab, nullptr, nullptr},
    {vk::Clear, Qt::Key_Clear, 0, nullptr, nullptr},
    {vk::Return, Qt::Key_Return, 0, nullptr, nullptr},
    {vk::Return, Qt::Key_Enter, 0, nullptr, nullptr},
    {vk::Shift, Qt::Key_Shift, 0, nullptr, nullptr},
    {vk::Control, Qt::Key_Control, 0, nullptr, nullptr},
    {vk::Menu, Qt::Key_Alt, 0, nullptr, nullptr},
    {vk::Pause, Qt::Key_Pause, 0, nullptr, nullptr},
    {vk::Capital, Qt::Key_CapsLock, 0, nullptr, nullptr},
    {vk::Escape, Qt::Key_Escape, 0, nullptr, nullptr},
    {vk::Space, Qt::Key_Space, 0, u" ", u" "},
    {vk::Prior, Qt::Key_PageUp, 0, nullptr, nullptr},
    {vk::Next, Qt::Key_PageDown, 0, nullptr, nullptr},
    {vk::End, Qt::Key_End, 0, nullptr, nullptr},
    {vk::Home, Qt::Key_Home, 0, nullptr, nullptr},
    {vk::Left, Qt::Key_Left, 0, nullptr, nullptr},
    {vk::Up, Qt::Key_Up, 0, nullptr, nullptr},
    {vk::Right, Qt::Key_Right, 0, nullptr, nullptr},
    {vk::Down, Qt::Key_Down, 0, nullptr, nullptr},
    {vk::Insert, Qt::Key_Insert, 0, nullptr, nullptr},
    {vk::Delete, Qt::Key_Delete, 0, nullptr, nullptr},
    {'0', Qt::Key_0, Qt::Key_Equal, u"0", u"="},
    {'1', Qt::Key_1, Qt::Key_Exclam, u"1", u"!"},
    {'2', Qt::Key_2, Qt::Key_QuoteDbl, u"2", u"\""},
    {'3', Qt::Key_3, Qt::Key_section, u"3", u"§"},
    {'4', Qt::Key_4, Qt::Key_Dollar, u"4", u"$"},
    {'5', Qt::Key_5, Qt::Key_Percent, u"5", u"%"},
    {'6', Qt::Key_6, Qt::Key_Ampersand, u"6", u"&"},
    {'7', Qt::Key_7, Qt::Key_Slash, u"7", u"/"},
    {'8', Qt::Key_8, Qt::Key_ParenLeft, u"8", u"("},
    {'9', Qt::Key_9, Qt::Key_ParenRight, u"9", u")"},
    {vk::Apps, Qt::Key_Menu, 0, nullptr, nullptr},
    {vk::Numpad0 + 0, Qt::Key_0, 0, u"0", u"0", true},
    {vk::Numpad0 + 1, Qt::Key_1, 0, u"1", u"1", true},
    {vk::Numpad0 + 2, Qt::Key_2, 0, u"2", u"2", true},
    {vk::Numpad0 + 3, Qt::Key_3, 0, u"3", u"3", true},
    {vk::Numpad0 + 4, Qt::Key_4, 0, u"4", u"4", true},
    {vk::Numpad0 + 5, Qt::Key_5, 0, u"5", u"5", true},
    {vk::Numpad0 + 6, Qt::Key_6, 0, u"6", u"6", true},
    {vk::Numpad0 + 7, Qt::Key_7, 0, u"7", u"7", true},
    {vk::Numpad0 + 8, Qt::Key_8, 0, u"8", u"8", true},
    {vk::Numpad0 + 9, Qt::Key_9, 0, u"9", u"9", true},
    {vk::Multiply, Qt::Key_Asterisk, 0, u"*", u"*", true},
    {vk::Add, Qt::Key_Plus, 0, u"+", u"+", true},
    {vk::Subtract, Qt::Key_Minus, 0, u"-", u"-", true},
    {vk::Decimal, Qt::Key_Comma, 0, u",", u",", true},
    {vk::Decimal, Qt::Key_Period, 0, u".", u".", true},
    {vk::Divide, Qt::Key_Slash, 0, u"/", u"/", true},
    {vk::NumLock, Qt::Key_NumLock, 0, nullptr, nullptr},
    {vk::Scroll, Qt::Key_ScrollLock, 0, nullptr, nullptr},
    {vk::Oem1, Qt::Key_Udiaeresis, 0, u"ü", u"Ü"},
    {vk::OemPlus, Qt::Key_Plus, Qt::Key_Asterisk, u"+", u"*"},
    {vk::OemComma, Qt::Key_Comma, Qt::Key_Semicolon, u",", u";"},
    {vk::OemMinus, Qt::Key_Minus, Qt::Key_Underscore, u"-", u"_"},
    {vk::OemPeriod, Qt::Key_Period, Qt::Key_Colon, u".", u":"},
    {vk::Oem2, Qt::Key_NumberSign, Qt::Key_Apostrophe, u"#", u"'"},
    {vk::Oem3, Qt::Key_Odiaeresis, 0, u"ö", u"Ö"},
    {vk::Oem4, Qt::Key_ssharp, Qt::Key_Question, u"ß", u"?"},
    {vk::Oem5, Qt::Key_AsciiCircum, Qt::Key_degree, u"^", u"°"},
    {vk::Oem5, Qt::Key_Dead_Circumflex, 0, nullptr, nullptr},
    {vk::Oem6, Qt::Key_acute, Qt::Key_QuoteLeft, u"´", u"`"},
    {vk::Oem6, Qt::Key_Dead_Acute, Qt::Key_Dead_Grave, nullptr, nullptr},
    {vk::Oem7, Qt::Key_Adiaeresis, 0, u"ä", u"Ä"},
    {vk::Oem102, Qt::Key_Less, Qt::Key_Greater, u"<", u">"},
};

constexpr int kFunctionKeys = 24;

const KeyRow* rowOf(std::uint16_t virtualKey) {
    for (const auto& k : kKeys)
        if (k.vk == virtualKey) return &k;
    return nullptr;
}
}  // namespace

std::uint16_t virtualKeyOf(int qtKey, bool keypad) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint16_t>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeys)
        return static_cast<std::uint16_t>(vk::F1 + (qtKey - Qt::Key_F1));
    // A keypad key without a keypad row (Home, arrows with Num Lock off) is the main key.
    for (int pass = keypad ? 0 : 1; pass < 2; ++pass)
        for (const auto& k : kKeys)
            if (k.keypad == (pass == 0) && (k.qt == qtKey || (k.shiftedQt != 0 && k.shiftedQt == qtKey))) return k.vk;
    return 0;
}

int qtKeyOf(std::uint16_t virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= vk::F1 && virtualKey < vk::F1 + kFunctionKeys) return Qt::Key_F1 + (virtualKey - vk::F1);
    const KeyRow* row = rowOf(virtualKey);
    return row ? row->qt : 0;
}

Modifiers modifiersOf(Qt::KeyboardModifiers m) {
    return Modifiers{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

KeyStroke strokeOf(const QKeyEvent& event) {
    KeyStroke s{virtualKeyOf(event.key(), event.modifiers().testFlag(Qt::KeypadModifier)),
                modifiersOf(event.modifiers())};
    if (event.key() == Qt::Key_Backtab) s.modifiers.shift = true;
    return s;
}

QtKeyPress qtKeyPressOf(std::uint16_t virtualKey, Modifiers held) {
    QtKeyPress press;
    if (held.shift) press.modifiers |= Qt::ShiftModifier;
    if (held.ctrl) press.modifiers |= Qt::ControlModifier;
    if (held.alt) press.modifiers |= Qt::AltModifier;
    const bool typing = !held.ctrl && !held.alt;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        press.key = qtKeyOf(virtualKey);
        if (typing) press.text = QChar(held.shift ? virtualKey : virtualKey - 'A' + 'a');
        return press;
    }
    const KeyRow* row = rowOf(virtualKey);
    if (!row) {
        press.key = qtKeyOf(virtualKey);
        return press;
    }
    press.key = held.shift && row->shiftedQt != 0 ? row->shiftedQt : row->qt;
    // With Ctrl or Alt, Qt matches a typed Shift+< as ">" alone (Shift is used
    // up by the symbol); a posted key has no keyboard data for that, so it
    // comes in that form itself.
    if (!typing && held.shift && row->shiftedQt != 0) press.modifiers &= ~Qt::ShiftModifier;
    const char16_t* text = held.shift ? row->shiftedText : row->text;
    if (typing && text) press.text = QString::fromUtf16(text);
    if (row->keypad) press.modifiers |= Qt::KeypadModifier;
    return press;
}

}  // namespace tabulyst::ui
