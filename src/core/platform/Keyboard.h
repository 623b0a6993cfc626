#pragma once
// Key injection and the beep: how keyboard macros act on the program.
#include <cstdint>

namespace tabulyst {

class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Puts a press or release of a virtual key into the program's own input,
    // so it acts as if typed: it passes the key hook, then reaches the focus.
    virtual void injectKey(std::uint16_t virtualKey, bool release) = 0;
    // The toolkit's beep; its pitch and length are not ours to choose.
    virtual void beep() = 0;
};

}  // namespace tabulyst
