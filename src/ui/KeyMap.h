#pragma once
// Qt key events to the Windows virtual-key codes the core speaks.
#include <QKeyEvent>

#include "core/platform/Keys.h"

namespace tabulyst::ui {

// The virtual key of a Qt key, or 0 when it has none.
std::uint16_t virtualKeyOf(int qtKey);
int qtKeyOf(std::uint16_t virtualKey);
Modifiers modifiersOf(Qt::KeyboardModifiers m);
KeyStroke strokeOf(const QKeyEvent& event);

}  // namespace tabulyst::ui
