#pragma once
// A timer as state: the ui runs a real timer while it is enabled and calls
// fire() on each tick; tests call fire() themselves.
#include <functional>
#include <utility>

#include "core/base/Signal.h"

namespace tabulyst {

class CoreTimer {
public:
    explicit CoreTimer(int intervalMs) : interval_(intervalMs) {}
    int interval() const { return interval_; }
    void setInterval(int ms) {
        interval_ = ms;
        changed();
    }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) {
        enabled_ = on;
        changed();  // re-enabling restarts the count
    }
    void onTimer(std::function<void()> handler) { handler_ = std::move(handler); }
    void fire() {
        if (enabled_ && handler_) handler_();
    }
    Signal<> changed;

private:
    int interval_;
    bool enabled_ = false;
    std::function<void()> handler_;
};

}  // namespace tabulyst
