#pragma once
// The configuration file: INI text read and written key by key, nothing kept
// in memory between calls, so the file on disk is always the truth. Section
// and key names compare without regard to ASCII case; a new key goes to the
// end of its section, a new section to the end of the file.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

class ConfigFile {
public:
    // A real configuration file is a few kilobytes; anything far larger is
    // not ours and is neither parsed nor overwritten.
    static constexpr std::uintmax_t kMaxSize = 4u * 1024u * 1024u;

    explicit ConfigFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // One loaded copy of the file, for a group of reads and writes that
    // belong together; see update().
    class Editor {
    public:
        ~Editor();
        Editor(const Editor&) = delete;
        Editor& operator=(const Editor&) = delete;

        std::optional<std::string> read(std::string_view section, std::string_view key) const;
        // The section's keys in file order.
        std::vector<std::string> keys(std::string_view section) const;
        // The sections in file order.
        std::vector<std::string> sections() const;
        // False (and nothing written) for a key the INI format cannot hold.
        bool write(std::string_view section, std::string_view key, std::string_view value);
        void remove(std::string_view section, std::string_view key);
        void eraseSection(std::string_view section);

    private:
        friend class ConfigFile;
        struct Impl;
        explicit Editor(std::unique_ptr<Impl> impl);
        std::unique_ptr<Impl> impl_;
        bool changed_ = false;
    };

    // Reads; a missing file or key gives nothing, an unreadable file likewise.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A value that is missing or not a decimal integer gives fallback.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    std::vector<std::string> readKeys(std::string_view section) const;
    // Several reads from one loading of the file; an unreadable file reads as empty.
    void inspect(const std::function<void(const Editor&)>& look) const;

    // Writes return an error text for the user, empty on success.
    std::string writeString(std::string_view section, std::string_view key, std::string_view value);
    std::string deleteKey(std::string_view section, std::string_view key);
    std::string eraseSection(std::string_view section);
    // Loads the file once, lets change read and edit it, and saves it once
    // when something changed. A file that cannot be read is never overwritten.
    std::string update(const std::function<void(Editor&)>& change);

    // Why the file cannot be read (too large, no permission, a folder), or
    // empty when it can (a missing file can).
    std::string readError() const;

    // Whether text can be an INI key: not empty, no '=', ']', line break or
    // NUL, no leading '[', ';' or '#', no blanks at either end.
    static bool isStorableKey(std::string_view key);

private:
    std::unique_ptr<Editor> load(std::string& error) const;
    std::string path_;
};

// A decimal integer with an optional sign filling the whole text and fitting
// into int; nothing otherwise.
std::optional<int> parseInteger(std::string_view text);

}  // namespace tabulyst
