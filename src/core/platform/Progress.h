#pragma once
// How far long work got: the ui shows a bar once the work runs for a while
// and keeps the window painting; work that can stop cleanly asks whether to go on.
#include <cstdint>
#include <string_view>

namespace tabulyst {

class Progress {
public:
    virtual ~Progress() = default;
    // Work named caption begins; stoppable: whether the user may stop it.
    virtual void begin(std::string_view caption, bool stoppable) = 0;
    // done of total is done; false once the user asked to stop stoppable work.
    virtual bool report(std::uint64_t done, std::uint64_t total) = 0;
    virtual void end() = 0;
};

// Begins on construction and ends on every exit; without a Progress it
// reports nothing and never stops.
class ProgressScope {
public:
    ProgressScope(Progress* progress, std::string_view caption, bool stoppable = false) : progress_(progress) {
        if (progress_) progress_->begin(caption, stoppable);
    }
    ~ProgressScope() {
        if (progress_) progress_->end();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    bool report(std::uint64_t done, std::uint64_t total) { return !progress_ || progress_->report(done, total); }
    Progress* progress() const { return progress_; }

private:
    Progress* progress_;
};

}  // namespace tabulyst
