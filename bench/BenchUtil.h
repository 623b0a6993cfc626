#pragma once
// Timing and reporting helpers shared by the benchmark programs.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tabulyst::bench {

// Median wall time in seconds of runs calls of work; prepare runs untimed before each.
inline double medianSeconds(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {}) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Processor time of this process so far (all its threads), in seconds.
inline double processorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Peak resident memory of this process so far, in MiB.
inline double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

inline void report(const std::string& name, double seconds, double megabytes, const std::string& budget) {
    if (megabytes > 0)
        std::printf("%-34s %9.1f ms  %8.1f MB/s   budget %s\n", name.c_str(), seconds * 1000, megabytes / seconds,
                    budget.c_str());
    else
        std::printf("%-34s %9.3f ms                 budget %s\n", name.c_str(), seconds * 1000, budget.c_str());
    std::fflush(stdout);
}

// The median wall time as report() prints it, then the processor time of the
// same runs: other programs on the machine lengthen the one, not the other.
// Returns the median wall time.
inline double measure(const std::string& name, int runs, const std::function<void()>& work,
                      const std::function<void()>& prepare, const std::string& budget, double megabytes = 0) {
    std::vector<double> cpu;
    const double wall = medianSeconds(
        runs,
        [&] {
            const double start = processorSeconds();
            work();
            cpu.push_back(processorSeconds() - start);
        },
        prepare);
    std::sort(cpu.begin(), cpu.end());
    report(name, wall, megabytes, budget);
    std::printf("%-34s %9.1f ms processor time\n", "", cpu[cpu.size() / 2] * 1000);
    return wall;
}

}  // namespace tabulyst::bench
