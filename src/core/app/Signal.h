#pragma once
// A minimal observer list: the core announces what changed, the ui listens.
#include <functional>
#include <utility>
#include <vector>

namespace tabulyst {

template <typename... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;
    void connect(Slot slot) { slots_.push_back(std::move(slot)); }
    void operator()(Args... args) const {
        for (const auto& slot : slots_) slot(args...);
    }

private:
    std::vector<Slot> slots_;
};

}  // namespace tabulyst
