#include "core/files/ConfigFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include "core/files/SettingsLocation.h"

namespace tabulyst {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Blanks at either end of a value would be trimmed by the reader, so such a
// value is quoted; a value already in quotes is quoted once more.
std::string quoteValue(std::string_view value) {
    bool needs = !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                                    (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
    if (!needs) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

std::string unquoteValue(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// A section line without its closing bracket would make the parser take the
// lines after it into the section's name, and every save would write that name
// back one line longer. Such a line goes, with the keys under it, up to the next
// whole section line; the line breaks stay, so nothing else moves.
void dropBrokenSections(std::string& data) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::size_t pos = data.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    std::size_t out = pos;
    bool dropping = false;
    while (pos <= data.size()) {
        std::size_t end = data.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = data.size();
        const std::string_view line(data.data() + pos, end - pos);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line[first] == '[')
            dropping = line.find(']', first) == std::string_view::npos;
        if (!dropping) {
            std::memmove(data.data() + out, line.data(), line.size());  // out never passes pos
            out += line.size();
        }
        if (end == data.size()) break;
        data[out++] = data[end];
        pos = end + 1;
    }
    data.resize(out);
}

std::vector<std::string> inLoadOrder(CSimpleIniA::TNamesDepend& names) {
    names.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const auto& entry : names) result.emplace_back(entry.pItem);
    return result;
}

std::string readFailure(const std::string& path, const std::string& reason) {
    return "Die Konfigurationsdatei \"" + path + "\" kann nicht gelesen werden und bleibt unverändert: " + reason;
}

}  // namespace

struct ConfigFile::Editor::Impl {
    CSimpleIniA ini{false, false, false};
    std::optional<std::string> loaded;  // the file's bytes, when there was one
};

ConfigFile::Editor::Editor(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) { impl_->ini.SetSpaces(false); }
ConfigFile::Editor::~Editor() = default;

std::optional<std::string> ConfigFile::Editor::read(std::string_view section, std::string_view key) const {
    const char* value = impl_->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    if (!value) return std::nullopt;
    return unquoteValue(value);
}

std::vector<std::string> ConfigFile::Editor::keys(std::string_view section) const {
    CSimpleIniA::TNamesDepend names;
    impl_->ini.GetAllKeys(std::string(section).c_str(), names);
    return inLoadOrder(names);
}

std::vector<std::string> ConfigFile::Editor::sections() const {
    CSimpleIniA::TNamesDepend names;
    impl_->ini.GetAllSections(names);
    return inLoadOrder(names);
}

bool ConfigFile::Editor::write(std::string_view section, std::string_view key, std::string_view value) {
    if (!isStorableKey(key) || section.empty() || section.find_first_of("]\r\n") != std::string_view::npos)
        return false;
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
    auto rc = impl_->ini.SetValue(std::string(section).c_str(), std::string(key).c_str(), quoteValue(value).c_str());
    if (rc < 0) return false;
    changed_ = true;
    return true;
}

void ConfigFile::Editor::remove(std::string_view section, std::string_view key) {
    if (impl_->ini.Delete(std::string(section).c_str(), std::string(key).c_str(), false)) changed_ = true;
}

void ConfigFile::Editor::eraseSection(std::string_view section) {
    if (impl_->ini.Delete(std::string(section).c_str(), nullptr)) changed_ = true;
}

bool ConfigFile::isStorableKey(std::string_view key) {
    if (key.empty()) return false;
    if (key.find_first_of(std::string_view("=]\r\n\0", 5)) != std::string_view::npos) return false;
    if (key.front() == '[' || key.front() == ';' || key.front() == '#') return false;
    return !isBlank(key.front()) && !isBlank(key.back());
}

std::unique_ptr<ConfigFile::Editor> ConfigFile::load(std::string& error) const {
    auto editor = std::unique_ptr<Editor>(new Editor(std::make_unique<Editor::Impl>()));
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return editor;  // no file yet: empty
        error = readFailure(path_, std::strerror(errno));
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        error = readFailure(path_, std::strerror(S_ISDIR(st.st_mode) ? EISDIR : EINVAL));
        return nullptr;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxSize) {
        error = readFailure(path_, "Die Datei ist größer als 4 MB.");
        return nullptr;
    }
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (!file) {
        error = readFailure(path_, std::strerror(errno));
        return nullptr;
    }
    std::string data;
    char buffer[65536];
    bool failed = false;
    while (true) {
        std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        data.append(buffer, n);
        if (data.size() > kMaxSize) {
            std::fclose(file);
            error = readFailure(path_, "Die Datei ist größer als 4 MB.");
            return nullptr;
        }
        if (n < sizeof buffer) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    int readErrno = errno;
    std::fclose(file);
    if (failed) {
        error = readFailure(path_, std::strerror(readErrno));
        return nullptr;
    }
    editor->impl_->loaded = data;
    // The parser stops at a NUL byte; as a line break the rest stays readable.
    for (char& c : data)
        if (c == '\0') c = '\n';
    dropBrokenSections(data);
    if (editor->impl_->ini.LoadData(data) < 0) {
        error = readFailure(path_, "Der Inhalt kann nicht verarbeitet werden.");
        return nullptr;
    }
    return editor;
}

std::string ConfigFile::readError() const {
    std::string error;
    load(error);
    return error;
}

std::optional<std::string> ConfigFile::readString(std::string_view section, std::string_view key) const {
    std::string error;
    auto editor = load(error);
    if (!editor) return std::nullopt;
    return editor->read(section, key);
}

std::string ConfigFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto value = readString(section, key);
    return value ? *value : std::string(fallback);
}

int ConfigFile::readInteger(std::string_view section, std::string_view key, int fallback) const {
    auto value = readString(section, key);
    if (!value) return fallback;
    auto number = parseInteger(*value);
    return number ? *number : fallback;
}

std::vector<std::string> ConfigFile::readKeys(std::string_view section) const {
    std::string error;
    auto editor = load(error);
    if (!editor) return {};
    return editor->keys(section);
}

void ConfigFile::inspect(const std::function<void(const Editor&)>& look) const {
    std::string error;
    auto editor = load(error);
    if (!editor) editor = std::unique_ptr<Editor>(new Editor(std::make_unique<Editor::Impl>()));
    look(*editor);
}

std::string ConfigFile::update(const std::function<void(Editor&)>& change) {
    std::string error;
    auto editor = load(error);
    if (!editor) return error;
    change(*editor);
    if (!editor->changed_) return {};
    std::string text;
    if (editor->impl_->ini.Save(text, true) < 0)
        return "Die Konfigurationsdatei \"" + path_ + "\" kann nicht geschrieben werden.";
    // The recent files are stored again at every start, in the order they stand.
    if (editor->impl_->loaded == text) return {};
    return writeSettingsFile(path_, text);
}

std::string ConfigFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    std::string refused;
    auto error = update([&](Editor& e) {
        if (!e.write(section, key, value))
            refused = "Der Eintrag \"" + std::string(key) + "\" kann nicht in der Konfigurationsdatei gespeichert werden.";
    });
    return error.empty() ? refused : error;
}

std::string ConfigFile::deleteKey(std::string_view section, std::string_view key) {
    return update([&](Editor& e) { e.remove(section, key); });
}

std::string ConfigFile::eraseSection(std::string_view section) {
    return update([&](Editor& e) { e.eraseSection(section); });
}

std::optional<int> parseInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace tabulyst
