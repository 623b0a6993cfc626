#include "core/files/StaleTemporaryFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

namespace tabulyst {

namespace {
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool isAlphanumeric(char c) { return kAlphabet.find(c) != std::string_view::npos; }

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};
}  // namespace

bool isTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix)) return false;
    for (char c : name.substr(prefix.size()))
        if (!isAlphanumeric(c)) return false;
    return true;
}

std::string randomTemporaryName(std::string_view prefix) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string name(prefix);
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) name += kAlphabet[pick(random)];
    return name;
}

std::size_t removeStaleTemporaryFiles(const std::string& folder, std::string_view prefix) {
    Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) return 0;
    DIR* listing = ::fdopendir(::dup(dir.get()));
    if (!listing) return 0;
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryName(entry->d_name, prefix)) continue;
        // O_NONBLOCK: a fifo of that name must not hang the save.
        Descriptor file(::openat(dir.get(), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (file.get() < 0) continue;
        struct stat opened {}, named {};
        if (::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) continue;
        // Held by a save that is running, here or in another editor.
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;
        // The name may have gone to another file since it was opened.
        if (::fstatat(dir.get(), entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_dev != opened.st_dev ||
            named.st_ino != opened.st_ino)
            continue;
        if (::unlinkat(dir.get(), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(listing);
    return removed;
}

}  // namespace tabulyst
