// Splitting a line into fields and joining them: split then join gives the
// line back; a line with n delimiters (counted left to right without overlap)
// has n + 1 fields and no field holds the delimiter; where splitting as the
// rule is written (append the delimiter, cut at its first occurrence while
// any is left) loses no text, it gives the same fields.
//
// Input: the delimiter in its notation (raw when it does not decode), a line
// feed, the line.
#include <cstdint>
#include <string>
#include <vector>

#include "core/files/DelimiterNotation.h"
#include "core/files/Fields.h"
#include "support/Check.h"
#include "support/Input.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

namespace {

std::vector<std::string> literalSplit(std::string_view line, std::string_view d) {
    std::vector<std::string> fields;
    std::string rest = std::string(line) + std::string(d);
    while (!rest.empty()) {
        const std::size_t at = d.empty() ? std::string::npos : rest.find(d);
        if (at == std::string::npos) {
            fields.push_back(rest);
            rest.clear();
        } else {
            fields.push_back(rest.substr(0, at));
            rest.erase(0, at + d.size());
        }
    }
    return fields;
}

std::string describe(std::string_view line, std::string_view d) {
    return "line \"" + printable(line) + "\" at \"" + printable(d) + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto [header, line] = splitHeader(data, size);
    std::string d = DecodeDelimiter(header);
    if (IsDecodeError(d)) d = std::string(header);

    std::vector<std::string_view> fields;
    splitFields(line, d, fields);
    FUZZ_CHECK_BYTES(joinFields(fields, d), std::string(line), "split then join: " + describe(line, d));
    if (d.empty()) {
        FUZZ_CHECK(fields.size() == (line.empty() ? 0u : 1u), "no delimiter: the line is one field");
        return 0;
    }
    std::size_t occurrences = 0;
    for (std::size_t at = line.find(d); at != std::string_view::npos; at = line.find(d, at + d.size())) ++occurrences;
    FUZZ_CHECK(fields.size() == occurrences + 1, "n delimiters give n + 1 fields: " + describe(line, d));
    for (std::string_view field : fields)
        FUZZ_CHECK(field.find(d) == std::string_view::npos, "no field holds the delimiter: " + describe(line, d));

    // Splitting the joined fields again gives the same fields.
    const std::string joined = joinFields(fields, d);
    std::vector<std::string_view> again;
    splitFields(joined, d, again);
    FUZZ_CHECK(again == fields, "split, join, split: " + describe(line, d));

    const std::vector<std::string> literal = literalSplit(line, d);
    std::vector<std::string_view> literalViews(literal.begin(), literal.end());
    if (joinFields(literalViews, d) == line)
        FUZZ_CHECK(std::vector<std::string>(fields.begin(), fields.end()) == literal,
                   "agrees with the rule as written where that keeps the line: " + describe(line, d));
    return 0;
}
