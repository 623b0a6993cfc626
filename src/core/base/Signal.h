#pragma once
// A minimal observer list: the core announces what changed, the ui listens.
// A listener that goes before the signal disconnects with what connect gave it.
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace tabulyst {

template <typename... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;
    using Connection = std::size_t;

    Connection connect(Slot slot) {
        slots_.push_back({++last_, std::move(slot)});
        return last_;
    }
    void disconnect(Connection connection) {
        std::erase_if(slots_, [connection](const Entry& e) { return e.id == connection; });
    }
    void operator()(Args... args) const {
        for (const auto& entry : slots_) entry.slot(args...);
    }

private:
    struct Entry {
        Connection id;
        Slot slot;
    };
    std::vector<Entry> slots_;
    Connection last_ = 0;
};

// Connections that end with their holder: a listener that may go before the
// signals it listens to keeps its connections here.
class Connections {
public:
    Connections() = default;
    Connections(const Connections&) = delete;
    Connections& operator=(const Connections&) = delete;
    ~Connections() {
        for (auto& end : ends_) end();
    }

    template <typename... Args, typename Slot>
    void connect(Signal<Args...>& signal, Slot&& slot) {
        const auto connection = signal.connect(std::forward<Slot>(slot));
        ends_.push_back([&signal, connection] { signal.disconnect(connection); });
    }

private:
    std::vector<std::function<void()>> ends_;
};

}  // namespace tabulyst
