#pragma once
// How a line of a table file maps to cells: split at a delimiter or cut into
// fixed field lengths. One set for the whole program, read at start and
// changed only by the layout command.
#include <optional>
#include <string>
#include <vector>

#include "core/grid/TableLayout.h"

namespace tabulyst {

class ConfigFile;

struct LayoutSettings {
    std::string CurrentDelimiter = ";";  // delimiter notation (UTF-8), not decoded
    bool DelimitedMode = true;
    std::vector<std::string> FieldLengths;  // whole-number texts, grid column 1 first
    // "Felder in Anführungszeichen": in delimited mode a field in quotes may
    // hold the delimiter, quotes and line breaks.
    bool QuotedFields = true;
};

// The layout the settings describe in their mode for a table whose cells are
// in that encoding, the one decoding of them for reading, saving and pasting.
// Nothing when the delimiter cannot be decoded or a field length is no
// length; error then tells why.
std::optional<TableLayout> decodeLayout(const LayoutSettings& settings, text::TextEncoding cells, std::string& error);
// The same for either encoding, for reading a file.
std::optional<TableLayouts> decodeLayouts(const LayoutSettings& settings, std::string& error);

// The delimiter file holds at most this many bytes of CurrentDelimiter.
inline constexpr std::size_t kMaxDelimiterFileBytes = 1024;

// The delimiter file's notation (at most 1024 bytes, as UTF-8), or ";" when it cannot be read.
std::string ReadDelimiterFile(const std::string& path);
// Writes the text's bytes and nothing else; an error text for the user, empty on success.
std::string WriteDelimiterFile(const std::string& path, const std::string& delimiter);

// Fills lengths from section "Lengths" (up to the first missing, non-numeric
// or negative key) and returns the mode from "IsDelimitered" of "Common".
bool ReadLayoutSettings(const ConfigFile& config, std::vector<std::string>& lengths);
// "QuotedFields" of "Common": on unless it is stored as 0.
bool ReadQuotedFields(const ConfigFile& config);
// Writes the mode and whether fields may be quoted, and replaces section
// "Lengths"; an error text, empty on success.
std::string WriteLayoutSettings(ConfigFile& config, bool delimitedMode, const std::vector<std::string>& lengths,
                                bool quotedFields);

}  // namespace tabulyst
