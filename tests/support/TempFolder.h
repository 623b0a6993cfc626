#pragma once
// A fresh folder under the system's temporary directory, removed with everything in it.
#include <filesystem>
#include <string>

namespace tabulyst::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of name inside the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Whole-file helpers for checking what the program wrote.
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
    std::filesystem::path path_;
};

}  // namespace tabulyst::testing
