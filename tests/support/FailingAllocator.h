#pragma once
// The test program's operator new asks the core's memory-request seam too, so
// a test can make the n-th request for memory of a command fail, wherever it is made.
#include "core/grid/MemoryRequests.h"

namespace tabulyst::testing {

// Arms the n-th request from now on to fail, for the scope's lifetime.
class FailingRequest {
public:
    explicit FailingRequest(long n) { failingMemoryRequest.store(n); }
    ~FailingRequest() { failingMemoryRequest.store(0); }
    FailingRequest(const FailingRequest&) = delete;
    FailingRequest& operator=(const FailingRequest&) = delete;
    // Whether the request armed has failed already.
    bool fired() const { return failingMemoryRequest.load() <= 0; }
};

}  // namespace tabulyst::testing
