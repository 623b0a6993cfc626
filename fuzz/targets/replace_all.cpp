// ReplaceAll against its literal reference of the tests (insert before the
// first occurrence, delete the first occurrence, search again from the start;
// the marker route through a random marker). Where the reference's
// replacements would insert more bytes than ReplaceAll's budget, the promised
// result is every original occurrence replaced once.
//
// Input: lines of flags ("i" for case-insensitive), search text, replacement,
// then the text. Short texts only: the reference is slow by design.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/text/ReplaceAll.h"
#include "support/Check.h"
#include "support/Input.h"
#include "support/LiteralTextOps.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

namespace {

// Every occurrence in the original text replaced once, left to right;
// occurrences counts them.
std::string replaceEachOnce(std::string_view s, std::string_view r, std::string_view t, bool caseSensitive,
                            const Locale& locale, std::size_t& occurrences) {
    occurrences = 0;
    const std::string folded = caseSensitive ? std::string(t) : locale.upper(t);
    const std::string search = caseSensitive ? std::string(s) : locale.upper(s);
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = folded.find(search); at != std::string::npos; at = folded.find(search, start)) {
        out.append(t.substr(start, at - start));
        out.append(r);
        ++occurrences;
        start = at + s.size();
    }
    out.append(t.substr(start));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view all(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (auto& part : parts) {
        const std::size_t end = all.find('\n');
        part = all.substr(0, end);
        all = end == std::string_view::npos ? std::string_view() : all.substr(end + 1);
    }
    const bool caseSensitive = !parts[0].starts_with("i");
    const std::string_view search = parts[1], replacement = parts[2], text = all;
    if (search.size() > 16 || replacement.size() > 16 || text.size() > 128) return 0;

    Locale locale;
    const std::string result = ReplaceAll(search, replacement, text, caseSensitive, locale);
    std::size_t occurrences = 0;
    const std::string once = search.empty() ? std::string(text)
                                            : replaceEachOnce(search, replacement, text, caseSensitive, locale, occurrences);
    literal::ReplaceAllReference reference(static_cast<unsigned>(size),
                                           replaceAllRescanBudget(text.size(), occurrences, replacement.size()));
    std::string expected;
    try {
        expected = reference(search, replacement, text, caseSensitive);
    } catch (const std::runtime_error&) {
        expected = once;
    }
    FUZZ_CHECK_BYTES(result, expected,
                     std::string(caseSensitive ? "case-sensitive" : "case-insensitive") + " \"" + printable(search) +
                         "\" by \"" + printable(replacement) + "\" in \"" + printable(text) + "\"");
    return 0;
}
