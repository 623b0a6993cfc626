#include "ui/MacroKeyFilter.h"

#include <QKeyEvent>

#include "core/macros/MacroKeyHook.h"
#include "ui/KeyMap.h"

namespace tabulyst::ui {

MacroKeyFilter::MacroKeyFilter(MacroKeyHook& hook, QObject* parent) : QObject(parent), hook_(hook) {}

bool MacroKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ApplicationDeactivate) {
        hook_.releaseModifiers();
        return false;
    }
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Stroke stroke{key->key(), static_cast<int>(key->modifiers()), key->timestamp()};
    const std::uint16_t virtualKey = virtualKeyOf(key->key(), key->modifiers().testFlag(Qt::KeypadModifier));

    if (type == QEvent::KeyRelease) {
        // The window system's auto-repeat releases a held key between repeats; the key is still down.
        if (key->isAutoRepeat() || lastRelease_ == stroke) return false;
        lastRelease_ = stroke;
        lastPress_.reset();
        if (virtualKey != 0) hook_.keyUp(virtualKey);
        return false;
    }
    if (lastPress_ != stroke) {
        lastPress_ = stroke;
        lastRelease_.reset();
        swallowed_ = false;
        // A macro plays inside keyDown; its keys pass this filter meanwhile.
        const bool swallow = virtualKey != 0 && hook_.keyDown(virtualKey);
        lastPress_ = stroke;
        lastRelease_.reset();
        swallowed_ = swallow;
    }
    if (!swallowed_) return false;
    event->accept();  // a shortcut check accepted overrides the menu shortcut as well
    return true;
}

}  // namespace tabulyst::ui
