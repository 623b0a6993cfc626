#pragma once
// Writes a file so that a failure never destroys the old one: the bytes go to a
// temporary file in the same folder, which is flushed to disk and renamed over
// the target. Where the folder takes no new file but the file itself is
// writable, the file is written in place instead.
//
// A save killed midway must leave nothing behind. Where the file system allows
// it the temporary file has no name until just before the rename; otherwise it
// is named ".<file>.tabulyst-XXXXXX" and locked while it is written, and every
// save removes the files of its own naming that no running editor holds locked.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tabulyst {

// Failures a test can provoke (a full disk, a folder without write access).
struct WriteFaults {
    bool refuseTempFile = false;                 // the folder takes no new file
    std::size_t failAfterBytes = static_cast<std::size_t>(-1);  // the disk fills up
    int error = 28;                              // ENOSPC
    bool refuseUnnamedFile = false;              // the file system cannot create a file without a name
    std::function<void()> beforeRename;          // runs when the temporary file is named, just before the rename
};

// "Die Datei "path" kann nicht geschrieben werden: " and the platform's text.
std::string fileWriteError(const std::string& path, int err);

class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string path, const WriteFaults* faults = nullptr);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates missing folders and opens the temporary (or, failing that, the target) file.
    bool open();
    bool write(std::string_view bytes);
    // Flushes, closes and puts the file in place; false when anything failed.
    bool commit();
    // The platform's text of the first failure, with the file name.
    const std::string& error() const { return error_; }
    // Whether the temporary file is still without a name in the folder.
    bool unnamed() const { return unnamed_; }

    // The name prefix of the temporary files of target (".<file name>.tabulyst-").
    static std::string temporaryPrefix(const std::string& target);

private:
    bool fail(int err);
    bool flush();
    void discard();
    bool openUnnamed(const std::string& folder);
    bool openNamed(const std::string& pattern, int& err);
    bool giveName();

    std::string path_;    // as given
    std::string target_;  // after following symbolic links
    std::string temp_;
    const WriteFaults* faults_;
    int fd_ = -1;
    bool inPlace_ = false;
    bool unnamed_ = false;
    bool failed_ = false;
    std::size_t written_ = 0;
    std::string buffer_;
    std::string error_;
};

}  // namespace tabulyst
