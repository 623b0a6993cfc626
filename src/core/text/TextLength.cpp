#include "core/text/TextLength.h"

#include <algorithm>

#include "core/text/Utf8Text.h"

namespace tabulyst::text {

std::size_t characterCount(std::string_view text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? utf8Length(text) : text.size();
}

std::size_t charactersEnd(std::string_view text, std::size_t pos, std::size_t n, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return utf8Advance(text, pos, n);
    pos = std::min(pos, text.size());
    return pos + std::min(n, text.size() - pos);
}

std::string_view firstCharacters(std::string_view text, std::size_t n, TextEncoding encoding) {
    return text.substr(0, charactersEnd(text, 0, n, encoding));
}

void fixedLength(std::string_view text, std::size_t n, TextEncoding encoding, std::string& out) {
    const std::string_view kept = firstCharacters(text, n, encoding);
    out.assign(kept);
    out.append(n - characterCount(kept, encoding), ' ');
}

std::size_t LengthCutter::next(std::size_t length) {
    const std::size_t end = charactersEnd(line_, pos_, length, encoding_);
    // Short when the line ran out before the field did.
    if (end == line_.size() && characterCount(line_.substr(pos_), encoding_) < length) short_ = true;
    pos_ = end;
    return end;
}

}  // namespace tabulyst::text
