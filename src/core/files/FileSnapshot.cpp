#include "core/files/FileSnapshot.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "core/grid/MemoryRequests.h"

namespace tabulyst {

namespace {

int leaseSignal() { return SIGRTMIN + 5; }

int wakeFd = -1;  // written by the signal handler, read by the watching thread

void onLeaseBreak(int) {
    const int saved = errno;
    const std::uint64_t one = 1;
    if (wakeFd >= 0) (void)!::write(wakeFd, &one, sizeof one);
    errno = saved;
}

std::size_t pageSize() { return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)); }

}  // namespace

// Every snapshot still in the file's pages, and the thread that copies them
// out when a lease is broken. Never destroyed: the thread may run to the end.
class LeaseWatch {
public:
    static LeaseWatch* get() {
        static LeaseWatch* watch = start();
        return watch;
    }
    std::mutex mutex;
    std::vector<FileSnapshot*> snapshots;

private:
    static LeaseWatch* start() {
        const int fd = ::eventfd(0, EFD_CLOEXEC);
        if (fd < 0) return nullptr;
        struct sigaction action {};
        action.sa_handler = onLeaseBreak;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        if (::sigaction(leaseSignal(), &action, nullptr) != 0) {
            ::close(fd);
            return nullptr;
        }
        wakeFd = fd;
        auto* watch = new LeaseWatch;
        try {
            std::thread([watch] { watch->run(); }).detach();
        } catch (...) {
            return nullptr;  // no lease is ever taken, so no signal comes
        }
        return watch;
    }

    void run() {
        for (;;) {
            std::uint64_t count = 0;
            if (::read(wakeFd, &count, sizeof count) < 0 && errno != EINTR) return;
            std::lock_guard lock(mutex);
            for (FileSnapshot* snapshot : snapshots)
                if (snapshot->fd_ >= 0 && ::fcntl(snapshot->fd_, F_GETLEASE) != F_RDLCK) {
                    snapshot->written_ = true;
                    snapshot->makePrivateLocked();
                }
        }
    }
};

FileSnapshot::FileSnapshot(int fd, char* base, std::size_t size, std::size_t length)
    : fd_(fd), base_(base), size_(size), length_(length) {}

std::unique_ptr<FileSnapshot> FileSnapshot::take(int file, std::size_t slack) {
    struct stat st {};
    if (::fstat(file, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) < kSmallestMapped)
        return nullptr;
    LeaseWatch* watch = LeaseWatch::get();
    if (!watch) return nullptr;
    // The same open file, on a handle of our own: the lease lives as long as it.
    const int fd = ::fcntl(file, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return nullptr;
    // The lease first: from then on nobody can start writing to the file
    // unnoticed, so the size seen next holds while the pages are mapped.
    bool ok = ::fcntl(fd, F_SETSIG, leaseSignal()) == 0 && ::fcntl(fd, F_SETOWN, ::getpid()) == 0 &&
              ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
    ok = ok && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) >= kSmallestMapped;
    if (!ok) {
        ::close(fd);
        return nullptr;
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    const std::size_t page = pageSize();
    const std::size_t length = (size + slack + page - 1) / page * page;
    // Zeroed private pages for the whole length, the file's pages over the
    // front: the slack behind the text never reaches past the file's end.
    void* area = memoryRequestRefused() ? MAP_FAILED
                                        : ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) {
        ::close(fd);
        return nullptr;
    }
    // Read-only: makeWritable puts private pages in their place first. The
    // pages come in as the threads splitting the text read them: filling the
    // page tables up front would hold the memory map meanwhile, and every
    // other thread that maps or unmaps memory (loading a library, a big
    // allocation) would wait for it.
    void* pages = ::mmap(area, size, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0);
    if (pages == MAP_FAILED) {
        ::munmap(area, length);
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<FileSnapshot> snapshot(new FileSnapshot(fd, static_cast<char*>(area), size, length));
    std::lock_guard lock(watch->mutex);
    watch->snapshots.push_back(snapshot.get());
    return snapshot;
}

FileSnapshot::~FileSnapshot() {
    if (LeaseWatch* watch = LeaseWatch::get()) {
        std::lock_guard lock(watch->mutex);
        std::erase(watch->snapshots, this);
    }
    ::munmap(base_, length_);
    if (fd_ >= 0) ::close(fd_);
}

bool FileSnapshot::mapped() const {
    LeaseWatch* watch = LeaseWatch::get();
    std::lock_guard lock(watch->mutex);
    return fd_ >= 0;
}

bool FileSnapshot::fileWritten() const {
    LeaseWatch* watch = LeaseWatch::get();
    std::lock_guard lock(watch->mutex);
    return written_;
}

void FileSnapshot::makeWritable() {
    std::lock_guard lock(LeaseWatch::get()->mutex);
    makePrivateLocked();
}

void FileSnapshot::makePrivateLocked() {
    if (fd_ < 0) return;
    // Piece by piece, each copied aside and then moved over the file's pages
    // in one step: a reader of the bytes at any moment sees the same text,
    // and the copy never needs room for more than one piece besides them.
    constexpr std::size_t kPiece = std::size_t{8} << 20;
    for (std::size_t at = 0; at < length_; at += kPiece) {
        const std::size_t piece = std::min(kPiece, length_ - at);
        void* copy = ::mmap(nullptr, piece, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (copy == MAP_FAILED) return;  // the lease stays until the kernel takes it after its grace period
        std::memcpy(copy, base_ + at, piece);
        if (::mremap(copy, piece, piece, MREMAP_MAYMOVE | MREMAP_FIXED, base_ + at) == MAP_FAILED) {
            ::munmap(copy, piece);
            return;
        }
    }
    ::fcntl(fd_, F_SETLEASE, F_UNLCK);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace tabulyst
