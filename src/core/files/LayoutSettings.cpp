#include "core/files/LayoutSettings.h"

#include <cstdio>

#include "core/files/ConfigFile.h"
#include "core/files/SettingsLocation.h"
#include "core/files/DelimiterNotation.h"
#include "core/files/FieldLength.h"

namespace tabulyst {

std::optional<TableLayout> decodeLayout(const LayoutSettings& settings, text::TextEncoding cells, std::string& error) {
    if (settings.DelimitedMode) {
        std::string delimiter = DecodeDelimiter(settings.CurrentDelimiter, cells);
        // Used as a delimiter the error text would garble every line.
        if (!IsDecodeError(delimiter)) {
            TableLayout layout = TableLayout::delimitedBy(std::move(delimiter), cells);
            layout.quoted = settings.QuotedFields;
            return layout;
        }
        error = std::move(delimiter);
        return std::nullopt;
    }
    std::string bad;
    std::vector<int> lengths = parseFieldLengths(settings.FieldLengths, bad);
    if (lengths.size() == settings.FieldLengths.size()) return TableLayout::fixed(std::move(lengths), cells);
    error = "'" + bad + "' ist keine gültige Feldlänge.";
    return std::nullopt;
}

std::optional<TableLayouts> decodeLayouts(const LayoutSettings& settings, std::string& error) {
    auto windows1252 = decodeLayout(settings, text::TextEncoding::Windows1252, error);
    if (!windows1252) return std::nullopt;
    auto utf8 = decodeLayout(settings, text::TextEncoding::Utf8, error);
    if (!utf8) return std::nullopt;
    return TableLayouts{std::move(*windows1252), std::move(*utf8)};
}

std::string ReadDelimiterFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return ";";
    char buffer[kMaxDelimiterFileBytes];
    std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);  // an error while closing changes nothing read
    if (failed) return ";";
    return notationFromStorage(std::string_view(buffer, n));
}

std::string WriteDelimiterFile(const std::string& path, const std::string& delimiter) {
    return writeSettingsFile(path, delimiter);
}

bool ReadLayoutSettings(const ConfigFile& config, std::vector<std::string>& lengths) {
    bool delimited = true;
    config.inspect([&](const ConfigFile::Editor& e) {
        auto mode = e.read("Common", "IsDelimitered");
        auto number = mode ? parseInteger(*mode) : std::nullopt;
        delimited = !number || *number != 0;
        for (int n = 0;; ++n) {
            auto text = e.read("Lengths", std::to_string(n));
            if (!text) break;
            if (!parseFieldLength(*text)) break;
            lengths.push_back(*text);
        }
    });
    return delimited;
}

bool ReadQuotedFields(const ConfigFile& config) {
    bool quoted = true;
    config.inspect([&](const ConfigFile::Editor& e) {
        auto stored = e.read("Common", "QuotedFields");
        auto number = stored ? parseInteger(*stored) : std::nullopt;
        quoted = !number || *number != 0;
    });
    return quoted;
}

std::string WriteLayoutSettings(ConfigFile& config, bool delimitedMode, const std::vector<std::string>& lengths,
                                bool quotedFields) {
    return config.update([&](ConfigFile::Editor& e) {
        e.write("Common", "IsDelimitered", delimitedMode ? "1" : "0");
        e.write("Common", "QuotedFields", quotedFields ? "1" : "0");
        e.eraseSection("Lengths");
        for (std::size_t n = 0; n < lengths.size(); ++n) e.write("Lengths", std::to_string(n), lengths[n]);
    });
}

}  // namespace tabulyst
