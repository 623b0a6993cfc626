#include "core/files/FileSnapshotAhead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <thread>

#include "core/files/FileEncoding.h"
#include "core/grid/TableText.h"

namespace tabulyst {

namespace {

struct Ahead {
    std::mutex mutex;
    std::thread worker;
    dev_t device = 0;
    ino_t inode = 0;
    std::unique_ptr<FileSnapshot> snapshot;
    ~Ahead() {
        if (worker.joinable()) worker.join();
    }
};

Ahead& ahead() {
    static Ahead state;
    return state;
}

}  // namespace

void snapshotAhead(const std::string& path) {
    Ahead& state = ahead();
    if (state.worker.joinable()) return;
    try {
        state.worker = std::thread([path, &state] {
            // Not blocking on a pipe: only regular files are mapped.
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            if (fd < 0) return;
            struct stat st {};
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && !fileStartsWithByteOrderMark(fd)) {
                auto snapshot = FileSnapshot::take(fd, TableText::kSlack);
                std::lock_guard lock(state.mutex);
                state.device = st.st_dev;
                state.inode = st.st_ino;
                state.snapshot = std::move(snapshot);
            }
            ::close(fd);
        });
    } catch (...) {
        // No second thread: the reader maps the file itself.
    }
}

std::unique_ptr<FileSnapshot> takeSnapshotAhead(int fd) {
    Ahead& state = ahead();
    if (state.worker.joinable()) state.worker.join();
    std::unique_ptr<FileSnapshot> snapshot;
    dev_t device = 0;
    ino_t inode = 0;
    {
        std::lock_guard lock(state.mutex);
        snapshot = std::move(state.snapshot);
        device = state.device;
        inode = state.inode;
    }
    struct stat st {};
    // A writer since then took the bytes out of the file's pages: they may be older than the file.
    if (!snapshot || ::fstat(fd, &st) != 0 || st.st_dev != device || st.st_ino != inode || !snapshot->mapped())
        return nullptr;
    return snapshot;
}

}  // namespace tabulyst
