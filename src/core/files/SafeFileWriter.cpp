#include "core/files/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/files/StaleTemporaryFiles.h"

namespace tabulyst {

namespace {
constexpr std::size_t kBufferSize = 1 << 20;

// The file a path finally names, following symbolic links, also to a file
// that does not exist yet.
std::string resolveTarget(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p(path);
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        fs::path link = fs::read_symlink(p, ec);
        if (ec) break;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return p.string();
}

// The path through which a descriptor of this process can be linked into a
// folder without special rights.
std::string descriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

constexpr int kNameAttempts = 100;
}  // namespace

std::string SafeFileWriter::temporaryPrefix(const std::string& target) {
    return "." + std::filesystem::path(target).filename().string() + ".tabulyst-";
}

// A file without a name vanishes with the process, whenever that ends. The
// lock keeps other saves away from it once it has a name.
bool SafeFileWriter::openUnnamed(const std::string& folder) {
#ifdef O_TMPFILE
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    // Without /proc it could not be given a name at the end.
    if (::access(descriptorPath(fd).c_str(), F_OK) != 0) {
        ::close(fd);
        return false;
    }
    // Where files cannot be locked, no save removes them either.
    ::flock(fd, LOCK_EX);
    fd_ = fd;
    unnamed_ = true;
    return true;
#else
    (void)folder;
    return false;
#endif
}

// A named file, locked before anything is written to it. A save removing
// stale files may have taken the name between creation and lock; then the
// name is no longer this file's and another one is made.
bool SafeFileWriter::openNamed(const std::string& pattern, int& err) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = pattern;
        int fd = ::mkstemp(name.data());
        if (fd < 0) {
            err = errno;
            return false;
        }
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::flock(fd, LOCK_EX);  // where files cannot be locked, no save removes them either
        struct stat opened {}, named {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino) {
            fd_ = fd;
            temp_ = name;
            return true;
        }
        ::close(fd);
    }
    err = EEXIST;
    return false;
}

// Links the unnamed file into the folder under a fresh temporary name.
bool SafeFileWriter::giveName() {
    const std::string folder = std::filesystem::path(target_).parent_path().string();
    const std::string prefix = (folder.empty() ? std::string() : folder + "/") + temporaryPrefix(target_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = randomTemporaryName(prefix);
        if (::linkat(AT_FDCWD, descriptorPath(fd_).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp_ = name;
            unnamed_ = false;
            return true;
        }
        if (errno != EEXIST) return fail(errno);
    }
    return fail(EEXIST);
}

SafeFileWriter::SafeFileWriter(std::string path, const WriteFaults* faults)
    : path_(std::move(path)), target_(resolveTarget(path_)), faults_(faults) {}

SafeFileWriter::~SafeFileWriter() { discard(); }

std::string fileWriteError(const std::string& path, int err) {
    return "Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(err);
}

bool SafeFileWriter::fail(int err) {
    if (!failed_) error_ = fileWriteError(path_, err);
    failed_ = true;
    return false;
}

bool SafeFileWriter::open() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::path(target_).parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);  // a failure shows when the file is created

    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return fail(EISDIR);
        // A read-only file stays protected, although the folder would take its replacement.
        if (::access(target_.c_str(), W_OK) != 0) return fail(errno);
    }
    const std::string pattern =
        (folder.empty() ? std::string() : folder.string() + "/") + temporaryPrefix(target_) + "XXXXXX";
    // What saves of this file killed before left behind.
    removeStaleTemporaryFiles(folder.string(), temporaryPrefix(target_));
    int tempErr = EACCES;
    if (!faults_ || !faults_->refuseTempFile) {
        if (!(faults_ && faults_->refuseUnnamedFile)) openUnnamed(folder.string());
        if (fd_ < 0) openNamed(pattern, tempErr);
    }
    if (fd_ < 0) {
        // Some folders take no new file while the file itself may be written.
        struct stat st {};
        if (::stat(target_.c_str(), &st) == 0 && ::access(target_.c_str(), W_OK) == 0) {
            fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd_ < 0) return fail(errno);
            inPlace_ = true;
        } else {
            return fail(tempErr);
        }
    }
    buffer_.reserve(kBufferSize);
    return true;
}

bool SafeFileWriter::flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        std::size_t chunk = buffer_.size() - done;
        if (faults_ && written_ + chunk > faults_->failAfterBytes) {
            chunk = faults_->failAfterBytes > written_ ? faults_->failAfterBytes - written_ : 0;
            if (chunk == 0) return fail(faults_->error);
        }
        ssize_t n = ::write(fd_, buffer_.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
        written_ += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool SafeFileWriter::write(std::string_view bytes) {
    if (failed_ || fd_ < 0) return false;
    if (buffer_.size() + bytes.size() > kBufferSize && !flush()) return false;
    if (bytes.size() >= kBufferSize) {
        buffer_.assign(bytes);
        return flush();
    }
    buffer_.append(bytes);
    return true;
}

bool SafeFileWriter::commit() {
    if (failed_ || fd_ < 0) {
        discard();
        return false;
    }
    if (!flush()) {
        discard();
        return false;
    }
    if (::fsync(fd_) != 0 && errno != EINVAL) {
        fail(errno);
        discard();
        return false;
    }
    if (!inPlace_) {
        struct stat st {};
        if (::stat(target_.c_str(), &st) == 0) {
            ::fchmod(fd_, st.st_mode & 07777);
            if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
                // another owner cannot be kept by an ordinary user; the content matters more
            }
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd_, 0666 & ~mask);
        }
    }
    if (inPlace_) {
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) return fail(errno);
        return true;
    }
    if (unnamed_ && !giveName()) {
        discard();
        return false;
    }
    if (faults_ && faults_->beforeRename) faults_->beforeRename();
    // The lock (on the open file) lasts until the file has its final name.
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        fail(errno);
        discard();
        return false;
    }
    temp_.clear();
    // After fsync the bytes are on disk; closing cannot lose them any more.
    ::close(fd_);
    fd_ = -1;
    return true;
}

void SafeFileWriter::discard() {
    // Removed while still locked, so no other save takes the name meanwhile.
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace tabulyst
