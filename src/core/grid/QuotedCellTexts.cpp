#include "core/grid/QuotedCellTexts.h"

#include <algorithm>

namespace tabulyst {

namespace {

void appendUnquoted(std::string& out, std::string_view field) {
    // Runs up to and with each quote at once; the second quote of a pair is passed.
    for (std::string_view rest = insideQuotes(field);;) {
        const std::size_t quote = rest.find('"');
        if (quote == std::string_view::npos) {
            out.append(rest);
            return;
        }
        out.append(rest.substr(0, quote + 1));
        rest.remove_prefix(quote + 1);
        if (!rest.empty() && rest.front() == '"') rest.remove_prefix(1);
    }
}

}  // namespace

std::string unquotedField(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    appendUnquoted(text, field);
    return text;
}

void QuotedCellTexts::add(std::size_t offset, std::string_view field) {
    appendUnquoted(bytes_, field);
    offsets_.push_back(offset);
    ends_.push_back(bytes_.size());
}

std::string_view QuotedCellTexts::find(std::size_t offset) const {
    const auto it = std::lower_bound(offsets_.begin(), offsets_.end(), offset);
    if (it == offsets_.end() || *it != offset) return {};
    const auto index = static_cast<std::size_t>(it - offsets_.begin());
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

void QuotedCellTexts::dropFrom(std::size_t offset) {
    const auto index = static_cast<std::size_t>(std::lower_bound(offsets_.begin(), offsets_.end(), offset) - offsets_.begin());
    offsets_.resize(index);
    ends_.resize(index);
    bytes_.resize(index == 0 ? 0 : ends_.back());
}

void QuotedCellTexts::append(const QuotedCellTexts& other, std::size_t from) {
    const auto first = static_cast<std::size_t>(
        std::lower_bound(other.offsets_.begin(), other.offsets_.end(), from) - other.offsets_.begin());
    if (first == other.offsets_.size()) return;
    const std::size_t begin = first == 0 ? 0 : other.ends_[first - 1];
    const std::size_t shift = bytes_.size() - begin;
    bytes_.append(other.bytes_, begin);
    for (std::size_t i = first; i < other.offsets_.size(); ++i) {
        offsets_.push_back(other.offsets_[i]);
        ends_.push_back(other.ends_[i] + shift);
    }
}

}  // namespace tabulyst
