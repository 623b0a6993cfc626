#pragma once
// A big table file mapped into memory instead of read: mapping 90 MB of a file
// the system has cached takes a few milliseconds, reading it into fresh memory
// ten times as long. The bytes must stay what was read while the table shows
// them, so a file is only mapped under a read lease: before another process
// may write to the file or shorten it, the kernel tells us, and the bytes are
// copied into private memory at the same addresses before it goes on. Where no
// lease can be had (a file of another owner, a network file system, a file
// open for writing) the caller reads the file as before.
#include <cstddef>
#include <memory>

#include "core/grid/TableText.h"

namespace tabulyst {

class FileSnapshot final : public TextBytes {
public:
    // Files smaller than this are read: mapping them gains nothing.
    static constexpr std::size_t kSmallestMapped = std::size_t{1} << 20;

    // Maps the regular file open for reading at fd whole, read-only, with
    // slack zero bytes behind it; nullptr when it cannot be kept unchanged
    // this way. The snapshot keeps its own handle on the file.
    static std::unique_ptr<FileSnapshot> take(int fd, std::size_t slack);
    ~FileSnapshot() override;
    FileSnapshot(const FileSnapshot&) = delete;
    FileSnapshot& operator=(const FileSnapshot&) = delete;

    char* data() override { return base_; }
    std::size_t size() const override { return size_; }
    // Copies the bytes into private memory (at the same addresses) and gives
    // the file back; afterwards they may be written.
    void makeWritable() override;
    // Whether the bytes still lie in the file's own pages.
    bool mapped() const;
    // Whether another process began to write to the file while it was mapped.
    bool fileWritten() const;

private:
    FileSnapshot(int fd, char* base, std::size_t size, std::size_t length);
    friend class LeaseWatch;
    void makePrivateLocked();

    int fd_;             // holds the lease while the bytes are the file's pages
    char* base_;
    std::size_t size_;   // the file's bytes
    std::size_t length_; // the whole mapping, slack included, in whole pages
    bool written_ = false;
};

}  // namespace tabulyst
