#include "ui/QtKeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/KeyMap.h"

namespace tabulyst::ui {

void QtKeyboard::injectKey(std::uint16_t virtualKey, bool release) {
    if (virtualKey == vk::Shift) held_.shift = !release;
    if (virtualKey == vk::Control) held_.ctrl = !release;
    if (virtualKey == vk::Menu) held_.alt = !release;
    // An open menu takes the keys before the focus widget, as typed keys go.
    QWidget* target = QApplication::activePopupWidget();
    if (!target) target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    const QtKeyPress press = qtKeyPressOf(virtualKey, held_);
    if (!target || press.key == 0) return;
    auto* event = new QKeyEvent(release ? QEvent::KeyRelease : QEvent::KeyPress, press.key, press.modifiers, press.text);
    // Each injected key is a keystroke of its own to the key hook, even when
    // the same key comes twice.
    event->setTimestamp(++stamp_);
    QCoreApplication::postEvent(target, event);
}

void QtKeyboard::beep() { QApplication::beep(); }

}  // namespace tabulyst::ui
