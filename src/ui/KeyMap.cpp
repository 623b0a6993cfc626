#include "ui/KeyMap.h"

#include <utility>

namespace tabulyst::ui {

namespace {
struct KeyPair {
    int qt;
    std::uint16_t vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, vk::Back}, {Qt::Key_Tab, vk::Tab},       {Qt::Key_Backtab, vk::Tab},
    {Qt::Key_Return, vk::Return},  {Qt::Key_Enter, vk::Return},  {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},    {Qt::Key_PageUp, vk::Prior},  {Qt::Key_PageDown, vk::Next},
    {Qt::Key_End, vk::End},        {Qt::Key_Home, vk::Home},     {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},          {Qt::Key_Right, vk::Right},   {Qt::Key_Down, vk::Down},
    {Qt::Key_Insert, vk::Insert},  {Qt::Key_Delete, vk::Delete}, {Qt::Key_Less, vk::Oem102},
    {Qt::Key_Greater, vk::Oem102}, {Qt::Key_Shift, vk::Shift},   {Qt::Key_Control, vk::Control},
    {Qt::Key_Alt, vk::Menu},
};
}  // namespace

std::uint16_t virtualKeyOf(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint16_t>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::uint16_t>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<std::uint16_t>(vk::F1 + (qtKey - Qt::Key_F1));
    for (const auto& k : kKeys)
        if (k.qt == qtKey) return k.vk;
    return 0;
}

int qtKeyOf(std::uint16_t virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9') return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= vk::F1 && virtualKey <= vk::F1 + 23) return Qt::Key_F1 + (virtualKey - vk::F1);
    for (const auto& k : kKeys)
        if (k.vk == virtualKey) return k.qt;
    return 0;
}

Modifiers modifiersOf(Qt::KeyboardModifiers m) {
    return Modifiers{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

KeyStroke strokeOf(const QKeyEvent& event) {
    KeyStroke s{virtualKeyOf(event.key()), modifiersOf(event.modifiers())};
    if (event.key() == Qt::Key_Backtab) s.modifiers.shift = true;
    return s;
}

}  // namespace tabulyst::ui
