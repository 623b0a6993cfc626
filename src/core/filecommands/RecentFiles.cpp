#include "core/filecommands/RecentFiles.h"

#include <utility>

#include "core/window/Commands.h"
#include "core/document/EditJournal.h"
#include "core/files/ConfigFile.h"
#include "core/text/ReplaceAll.h"

namespace tabulyst {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

}  // namespace

RecentFiles::RecentFiles(Commands& commands, ConfigFile& config, EditJournal& journal,
                         std::function<bool(const std::string&)> open)
    : open(std::move(open)), commands_(commands), config_(config), journal_(journal) {}

std::string RecentFiles::RecentItemName(std::string_view path) {
    std::string name(path);
    // Paths are UTF-8, so the umlauts are searched as their UTF-8 bytes.
    static const std::pair<const char*, const char*> kSpelt[] = {
        {".", "_"}, {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"}};
    static const Locale kLocale;  // unused by case-sensitive replacing
    for (const auto& [search, replacement] : kSpelt) name = ReplaceAll(search, replacement, name, true, kLocale);
    std::string kept;
    kept.reserve(name.size());
    for (char c : name)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') kept += c;
    return kept;
}

std::size_t RecentFiles::find(std::string_view name) const {
    const auto& items = commands_.dynamicItems(kMenu);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalNoCase(items[i].name, name)) return i;
    return std::string::npos;
}

void RecentFiles::moveToTop(std::size_t index) {
    if (index == 0) return;
    DynamicMenuItem item = commands_.dynamicItems(kMenu)[index];
    commands_.removeDynamicItem(kMenu, item.name);
    std::string name = item.name;
    commands_.insertDynamicItem(kMenu, 0, std::move(item), [this, name] { RecentFileClick(name); });
}

void RecentFiles::AddRecentFile(const std::string& path) {
    addMenuItem(path);
    RecordRecentFile(path);
}

void RecentFiles::addMenuItem(const std::string& path) {
    std::string name = itemNameOf(path);
    auto existing = find(name);
    if (existing != std::string::npos) {
        moveToTop(existing);  // the caption stays as first spelt
        return;
    }
    commands_.insertDynamicItem(kMenu, 0, DynamicMenuItem{name, path, kGroupIndex},
                                [this, name] { RecentFileClick(name); });
    const auto& items = commands_.dynamicItems(kMenu);
    if (items.size() > kMaxItems) {
        std::string oldest = items.back().name;  // the removal destroys the item
        commands_.removeDynamicItem(kMenu, oldest);
    }
}

void RecentFiles::record(ConfigFile::Editor& e, const std::string& path) {
    // A path the INI format cannot hold as a key stays in the menu only.
    if (!ConfigFile::isStorableKey(path)) return;
    e.remove(kSection, path);
    e.write(kSection, path, "1");
    auto keys = e.keys(kSection);
    for (std::size_t i = 0; i + kMaxItems < keys.size(); ++i) e.remove(kSection, keys[i]);
}

void RecentFiles::RecordRecentFile(const std::string& path) {
    // The recent list does not report failures of the configuration file.
    config_.update([&](ConfigFile::Editor& e) { record(e, path); });
}

void RecentFiles::RecentFileClick(const std::string& clicked) {
    const std::string itemName = clicked;  // the item and its name may go while the file loads
    if (!commands_.exists(itemName)) return;
    if (journal_.Modified && !journal_.ConfirmDiscard("Änderungen verwerfen und neue Datei laden?")) return;
    std::string caption = commands_.state(itemName).caption;
    // The load itself adds the path to the list, whether or not it succeeds.
    if (!open || !open(caption)) return;
    auto index = find(itemName);
    if (index != std::string::npos) moveToTop(index);
    RecordRecentFile(caption);
}

void RecentFiles::readStoredFiles() {
    // Recorded again in one change, which leaves the file unwritten when it stays as it was.
    config_.update([&](ConfigFile::Editor& e) {
        for (const auto& path : e.keys(kSection)) {
            addMenuItem(path);
            record(e, path);
        }
    });
}

std::vector<std::string> RecentFiles::captions() const {
    std::vector<std::string> result;
    for (const auto& item : commands_.dynamicItems(kMenu)) result.push_back(item.caption);
    return result;
}

}  // namespace tabulyst
