#include "core/files/TableReadAhead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/files/FileEncoding.h"
#include "core/files/FileSnapshot.h"
#include "core/grid/TableText.h"
#include "core/platform/Progress.h"

namespace tabulyst {

struct TableReadAhead::State {
    std::mutex mutex;
    std::condition_variable madeOrNot;
    bool settled = false;  // the scan is made, or there is none
    std::thread worker;
    TableLayout layout;
    struct stat file {};
    FileSnapshot* snapshot = nullptr;  // the text's bytes
    std::unique_ptr<TableText> text;
    std::unique_ptr<Utf8Detector> detector;
    std::unique_ptr<TableScan> scan;
    TableScan::Weights weights{};
    TableScan::Weights utf8Weights{};
    bool weighed = false;

    // Stops the worker after the piece it is on and forgets what it read.
    void drop() {
        {
            std::unique_lock lock(mutex);
            madeOrNot.wait(lock, [this] { return settled || !worker.joinable(); });
            if (scan) scan->cancel();
        }
        if (worker.joinable()) worker.join();
        scan.reset();
        detector.reset();
        text.reset();
        snapshot = nullptr;
    }
    ~State() { drop(); }
};

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// On the worker: maps the file and makes the scan of its text, or nothing.
void makeScan(TableReadAhead::State& state, const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return;
    struct stat st {};
    std::unique_ptr<FileSnapshot> snapshot;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        snapshot = FileSnapshot::take(fd, TableText::kSlack);
    ::close(fd);
    if (!snapshot) return;
    auto text = std::make_unique<TableText>(state.layout);
    FileSnapshot* bytes = snapshot.get();
    text->adopt(std::move(snapshot));
    auto detector = std::make_unique<Utf8Detector>();
    auto scan = std::make_unique<TableScan>(*text, state.layout, *detector);
    std::lock_guard lock(state.mutex);
    state.file = st;
    state.snapshot = bytes;
    state.text = std::move(text);
    state.detector = std::move(detector);
    state.scan = std::move(scan);
    if (state.weighed) state.scan->sumWith(&state.weights, &state.utf8Weights);
}

}  // namespace

TableReadAhead::TableReadAhead() : state_(std::make_unique<State>()) {}
TableReadAhead::~TableReadAhead() = default;

void TableReadAhead::start(const std::string& path, const TableLayout& layout) {
    State& state = *state_;
    if (state.worker.joinable() || std::thread::hardware_concurrency() < 2) return;
    state.settled = false;
    state.layout = layout;
    try {
        state.worker = std::thread([&state, path] {
            try {
                makeScan(state, path);
            } catch (...) {
                // Nothing read ahead: the reader reads the file itself.
            }
            TableScan* scan = nullptr;
            {
                std::lock_guard lock(state.mutex);
                state.settled = true;
                scan = state.scan.get();
            }
            state.madeOrNot.notify_all();
            // The windows keep one processor busy meanwhile.
            if (scan) workOnAllProcessors(*scan, 1);
        });
    } catch (...) {
        // No second thread: the reader reads the file itself.
    }
}

void TableReadAhead::sumWith(const TableScan::Weights& weights, const TableScan::Weights* utf8Weights) {
    State& state = *state_;
    std::lock_guard lock(state.mutex);
    if (state.weighed) return;
    state.weights = weights;
    state.utf8Weights = utf8Weights ? *utf8Weights : weights;
    state.weighed = true;
    if (state.scan) state.scan->sumWith(&state.weights, &state.utf8Weights);
}

std::optional<LinesReadAhead> TableReadAhead::take(int fd, const TableLayout& layout,
                                                   const TableScan::Weights* weights,
                                                   const TableScan::Weights* utf8Weights,
                                                   ProgressScope* progress) {
    State& state = *state_;
    if (!state.worker.joinable()) return std::nullopt;
    {
        std::unique_lock lock(state.mutex);
        state.madeOrNot.wait(lock, [&state] { return state.settled; });
    }
    struct stat st {};
    if (!state.scan || !(layout == state.layout) || ::fstat(fd, &st) != 0 || !sameFile(st, state.file)) {
        state.drop();
        return std::nullopt;
    }
    // The pieces left are summed with the reader's advances (those summed with others are summed again).
    if (weights && (!state.weighed || state.weights != *weights)) state.scan->sumWith(weights, utf8Weights);
    TableScan& scan = *state.scan;
    // Reported once before: the other thread may have split every piece by now.
    auto goOn = [&] { return !progress || progress->report(scan.piecesSplit(), scan.pieceCount()); };
    if (!goOn()) scan.cancel();
    else scan.work(goOn);
    state.worker.join();
    std::optional<LinesReadAhead> read;
    if (scan.cancelled()) {
        state.drop();
        read.emplace().cancelled = true;
        return read;
    }
    try {
        // A writer since then took the bytes out of the file's pages: they may be older than the file.
        if (!state.snapshot->fileWritten()) {
            state.scan->finish(weights, utf8Weights);
            read.emplace();
            read->detector = *state.detector;
            read->lineEnds = state.scan->lineEnds();
            read->lastLineEnded = state.scan->lastLineEnded();
            read->lengthMismatch = state.scan->lengthMismatch();
            read->widest = std::move(state.scan->widest());
            state.scan.reset();
            read->text = std::move(state.text);
        }
    } catch (...) {
        // The reader reads the file itself, and reports what fails.
        read.reset();
    }
    state.drop();
    return read;
}

void TableReadAhead::drop() { state_->drop(); }

}  // namespace tabulyst
