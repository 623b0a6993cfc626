#pragma once
// Runs a step on every way out of a scope, errors included.
#include <utility>

namespace tabulyst {

template <class F>
class AtExit {
public:
    explicit AtExit(F f) : f_(std::move(f)) {}
    ~AtExit() { f_(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    F f_;
};

}  // namespace tabulyst
