#include "core/text/CellReplacer.h"

#include <vector>

#include "core/text/ReplaceAll.h"
#include "core/platform/Locale.h"
#include "core/text/CaseFolding.h"
#include "core/text/Utf8Text.h"

namespace tabulyst::text {

namespace {

constexpr std::size_t kNone = std::string::npos;

// The characters of text as compared: folded, or as they stand.
std::string_view comparedForm(std::string_view text, bool fold, std::string& buffer) {
    if (!fold) return text;
    buffer.clear();
    for (std::size_t i = 0; i < text.size();) i += appendFoldedChar(text, i, buffer);
    return buffer;
}

}  // namespace

CellReplacer::CellReplacer(std::string_view search, std::string_view replacement, bool matchCase,
                           TextEncoding encoding, const Locale& locale)
    : search_(search),
      replacement_(replacement),
      matchCase_(matchCase),
      encoding_(encoding),
      locale_(locale),
      matcher_(search, MatchOptions{matchCase, false}, encoding, locale),
      needle_(matchCase ? std::string(search) : folded(search)),
      holds_(matcher_.occurrence(replacement, 0).has_value()),
      // Valid UTF-8 found bytewise is whole characters; ASCII compares alike in upper case and folded.
      bytewise_(encoding == TextEncoding::Windows1252 || (matchCase && isValidUtf8(search)) ||
                (!matchCase && isAscii(search) && isAscii(replacement))) {}

std::string CellReplacer::operator()(std::string_view text) const {
    if (search_.empty()) return std::string(text);
    if (bytewise_ && (matchCase_ || encoding_ == TextEncoding::Windows1252 || isAscii(text)))
        return ReplaceAll(search_, replacement_, text, matchCase_, locale_);
    if (holds_) return eachOnce(text);
    return rescanning(text);
}

std::string CellReplacer::eachOnce(std::string_view text) const {
    std::string out;
    std::size_t start = 0;
    for (auto found = matcher_.occurrence(text, 0); found; found = matcher_.occurrence(text, found->end)) {
        out.append(text.substr(start, found->begin - start));
        out.append(replacement_);
        start = found->end;
    }
    out.append(text.substr(start));
    return out;
}

// Where an occurrence ends out, made of its last characters (which begin at
// starts), or kNone.
std::size_t CellReplacer::endingMatch(const std::string& out, const std::vector<std::size_t>& starts) const {
    std::size_t left = needle_.size();
    std::string buffer;
    std::size_t end = out.size();
    for (std::size_t k = starts.size(); k-- > 0;) {
        const std::string_view c =
            comparedForm(std::string_view(out).substr(starts[k], end - starts[k]), !matchCase_, buffer);
        if (c.size() > left || needle_.compare(left - c.size(), c.size(), c) != 0) return kNone;
        left -= c.size();
        if (left == 0) return starts[k];
        end = starts[k];
    }
    return kNone;
}

// ReplaceAll's way, character by character: out is built left to right, and
// when it ends with an occurrence that is replaced and the replacement read
// again before the rest of the text. Past the budget every occurrence of the
// text is replaced once instead.
std::string CellReplacer::rescanning(std::string_view text) const {
    const auto first = matcher_.occurrence(text, 0);
    if (!first) return std::string(text);
    std::size_t budget = replaceAllRescanBudget(text.size(), 0, replacement_.size());
    bool fullBudget = false;
    std::size_t putBack = 0;
    std::string out(text.substr(0, first->begin));
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < out.size(); i += utf8CharAt(out, i).size) starts.push_back(i);
    std::vector<std::size_t> pending;  // read positions in copies of the replacement, the next at the back
    std::size_t next = first->begin;
    for (;;) {
        std::string_view source;
        std::size_t* pos = nullptr;
        if (!pending.empty()) {
            source = replacement_;
            pos = &pending.back();
        } else if (next < text.size()) {
            source = text;
            pos = &next;
        } else {
            break;
        }
        const std::size_t size = utf8CharAt(source, *pos).size;
        starts.push_back(out.size());
        out.append(source.substr(*pos, size));
        *pos += size;
        if (!pending.empty() && pending.back() == replacement_.size()) pending.pop_back();
        const std::size_t match = endingMatch(out, starts);
        if (match == kNone) continue;
        if (replacement_.size() > budget - putBack) {
            if (fullBudget) return eachOnce(text);
            fullBudget = true;
            std::size_t once = 0;
            for (auto f = matcher_.occurrence(text, 0); f; f = matcher_.occurrence(text, f->end)) ++once;
            budget = replaceAllRescanBudget(text.size(), once, replacement_.size());
            if (replacement_.size() > budget - putBack) return eachOnce(text);
        }
        putBack += replacement_.size();
        out.resize(match);
        while (!starts.empty() && starts.back() >= match) starts.pop_back();
        if (!replacement_.empty()) pending.push_back(0);
    }
    return out;
}

}  // namespace tabulyst::text
