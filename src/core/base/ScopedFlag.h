#pragma once
// Sets a flag for a scope and clears it on every way out, errors included
// (JournalSuspended, PasteBusy).

namespace tabulyst {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace tabulyst
