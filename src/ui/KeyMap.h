#pragma once
// Qt key events to the Windows virtual-key codes the core speaks, and back:
// one table of the keys of a German keyboard, which the grid's keys and the
// macro files (recorded here or elsewhere) share.
#include <QKeyEvent>
#include <QString>

#include "core/platform/Keys.h"

namespace tabulyst::ui {

// The virtual key of a Qt key, or 0 when it has none. keypad: the key is on
// the numeric keypad (Qt::KeypadModifier).
std::uint16_t virtualKeyOf(int qtKey, bool keypad = false);
// The Qt key of a virtual key, unshifted.
int qtKeyOf(std::uint16_t virtualKey);
Modifiers modifiersOf(Qt::KeyboardModifiers m);
KeyStroke strokeOf(const QKeyEvent& event);

// What a key event of a virtual key carries on a German layout under the held
// modifiers: the Qt key, the typed text (none with Ctrl or Alt) and the modifiers.
struct QtKeyPress {
    int key = 0;
    QString text;
    Qt::KeyboardModifiers modifiers;
};
QtKeyPress qtKeyPressOf(std::uint16_t virtualKey, Modifiers held);

}  // namespace tabulyst::ui
