#pragma once
// The line a program prints for bench_startup when it is ready: the monotonic
// clock and the process's processor time in nanoseconds, and a count of what
// it loaded. Plain C++, so the reference program of the benchmark prints the same.
#include <cstdio>
#include <ctime>

namespace tabulyst::ui {

inline long long clockNanoseconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

inline void printReadyLine(long long count) {
    std::printf("ready %lld %lld %lld\n", clockNanoseconds(CLOCK_MONOTONIC), clockNanoseconds(CLOCK_PROCESS_CPUTIME_ID),
                count);
    std::fflush(stdout);
}

}  // namespace tabulyst::ui
