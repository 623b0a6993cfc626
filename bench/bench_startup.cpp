// The whole-process start-up figure: `tabulyst FILE` on the offscreen platform
// from exec to the first painted grid with every row loaded and the widths
// fitted, against a plain memchr read of the same file (bench_plainread),
// both started as fresh processes in turn within the same run.
// bench_startup TABULYST PLAINREAD FILE [RUNS [BUDGET_MS WHAT]]: with a budget,
// the ready time is also held against BUDGET_MS, the ready time of WHAT.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

long long monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Run {
    double wall = 0;  // exec to ready, seconds
    double cpu = 0;   // processor time of the process up to ready, seconds
    double peakMiB = 0;
    long long count = 0;  // rows or lines the program saw
};

// Starts argv with the benchmark's environment and reads its ready line.
bool runOnce(const std::vector<std::string>& args, const std::string& config, Run& run) {
    int out[2];
    if (pipe(out) != 0) return false;
    const long long start = monotonicNs();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (FILE* null = std::freopen("/dev/null", "w", stderr)) (void)null;
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("TABULYST_QUIT_WHEN_READY", "1", 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    long long ready = 0, cpu = 0;
    const std::size_t at = text.find("ready ");
    if (at == std::string::npos || std::sscanf(text.c_str() + at, "ready %lld %lld %lld", &ready, &cpu, &run.count) != 3)
        return false;
    run.wall = static_cast<double>(ready - start) / 1e9;
    run.cpu = static_cast<double>(cpu) / 1e9;
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_startup TABULYST PLAINREAD FILE [RUNS]\n");
        return 2;
    }
    const std::string editor = std::filesystem::absolute(argv[1]).string();
    const std::string plain = std::filesystem::absolute(argv[2]).string();
    const std::string file = std::filesystem::absolute(argv[3]).string();
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    const double mib = static_cast<double>(std::filesystem::file_size(file)) / 1048576.0;
    char folder[] = "/tmp/bench_startup_XXXXXX";
    if (!mkdtemp(folder)) return 1;

    std::vector<double> plainWall, plainCpu, wall, cpu, peak;
    long long rows = 0;
    for (int i = 0; i < runs; ++i) {
        Run p, e;
        if (!runOnce({plain, file}, folder, p) || !runOnce({editor, file}, folder, e)) {
            std::fprintf(stderr, "a run failed\n");
            return 1;
        }
        plainWall.push_back(p.wall);
        plainCpu.push_back(p.cpu);
        wall.push_back(e.wall);
        cpu.push_back(e.cpu);
        peak.push_back(e.peakMiB);
        rows = e.count;
    }
    std::filesystem::remove_all(folder);
    const double pw = median(plainWall), pc = median(plainCpu), ew = median(wall), ec = median(cpu);
    std::printf("median of %d runs each, whole processes, offscreen; the editor showed %lld rows\n", runs, rows);
    std::printf("%-34s %9.1f ms wall %9.1f ms processor time\n", "plain memchr read", pw * 1000, pc * 1000);
    std::printf("%-34s %9.1f ms wall %9.1f ms processor time\n", "start to grid ready", ew * 1000, ec * 1000);
    std::printf("%-34s %9.2f x wall %9.2f x processor time   budget 1.5 x\n", "start to grid ready / plain read",
                ew / pw, ec / pc);
    if (argc > 6) {
        const double budget = std::atof(argv[5]);
        std::printf("%-34s %9.1f ms wall, budget %.1f ms (%s)%s\n", "ready against the budget", ew * 1000, budget, argv[6],
                    ew * 1000 <= budget ? "" : "   OVER");
    }
    // The memory budget holds for big tables, where the program's own few dozen MiB do not count.
    std::printf("%-34s %9.0f MiB (%.2f x the file)%s\n", "peak resident of the editor", median(peak), median(peak) / mib,
                mib >= 512 ? "   budget 1.5 x" : "");
    return 0;
}
