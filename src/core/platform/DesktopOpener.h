#pragma once
// The desktop's opener: starts the application associated with a file, a
// folder or an address. The core decides what to hand it and what its outcome
// means (ShellOpen); the ui starts the opener program.
#include <functional>
#include <string>

namespace tabulyst {

struct OpenerExit {
    bool started = false;  // false: the opener program could not be started
    int exitCode = 0;      // its exit status when it ran
};

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Starts the opener with target (UTF-8) as its one and only
    // argument, never through a shell. done runs once with the outcome; the
    // opener may take its time, so that can be later, from the event loop.
    virtual void open(const std::string& target, std::function<void(OpenerExit)> done) = 0;
};

}  // namespace tabulyst
