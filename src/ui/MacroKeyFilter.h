#pragma once
// The macro key hook on Qt: an application-wide event filter that hands every
// key press and release to the core's hook once, before any widget or menu
// shortcut sees it, and swallows a key whose macro played.
#include <QObject>
#include <optional>

namespace tabulyst {
class MacroKeyHook;
}

namespace tabulyst::ui {

class MacroKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit MacroKeyFilter(MacroKeyHook& hook, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One keystroke reaches the filter several times: as the shortcut check,
    // at the window, at the focus widget and at each parent it propagates to.
    struct Stroke {
        int key;
        int modifiers;
        unsigned long long timestamp;
        bool operator==(const Stroke&) const = default;
    };

    MacroKeyHook& hook_;
    std::optional<Stroke> lastPress_;
    std::optional<Stroke> lastRelease_;
    bool swallowed_ = false;
};

}  // namespace tabulyst::ui
