#pragma once
// The recent-file list: up to ten items after mnuFileListSep in the "&Datei"
// menu, newest at the top, and the keys of section "Recent" of the
// configuration file, oldest first. Menu and keys are trimmed separately.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/ConfigFile.h"

namespace tabulyst {

class Commands;
class EditJournal;

class RecentFiles {
public:
    static constexpr std::size_t kMaxItems = 10;
    static constexpr int kGroupIndex = 254;
    static constexpr const char* kMenu = "mnuMainFile";
    static constexpr const char* kSection = "Recent";

    // open: the one way a table file is opened (true when it loaded).
    RecentFiles(Commands& commands, ConfigFile& config, EditJournal& journal,
                std::function<bool(const std::string&)> open);

    // What a click opens its file with; tests record the attempts in its place.
    std::function<bool(const std::string&)> open;

    // Puts the file's entry at the top of the menu list and records it.
    void AddRecentFile(const std::string& path);
    // Records the path as the newest key of "Recent".
    void RecordRecentFile(const std::string& path);
    // The click of the item named itemName.
    void RecentFileClick(const std::string& itemName);
    // Rebuilds the menu list from the stored keys, oldest first (start).
    void readStoredFiles();

    // The item name's part after "MainMenu_": dots become "_", umlauts and ß
    // are spelt out, everything but ASCII letters, digits and "_" goes.
    static std::string RecentItemName(std::string_view path);
    static std::string itemNameOf(std::string_view path) { return "MainMenu_" + RecentItemName(path); }

    // The menu list's captions, top first.
    std::vector<std::string> captions() const;

private:
    // The item whose name equals name apart from case, or npos.
    std::size_t find(std::string_view name) const;
    void moveToTop(std::size_t index);
    // AddRecentFile's two halves: the menu's, and the stored keys'.
    void addMenuItem(const std::string& path);
    static void record(ConfigFile::Editor& e, const std::string& path);

    Commands& commands_;
    ConfigFile& config_;
    EditJournal& journal_;
};

}  // namespace tabulyst
