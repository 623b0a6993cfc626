#pragma once
// Text width as the sum of per-character advances: one table lookup per byte,
// so fitting the columns of a million-row table stays quick. The ui fills the
// table from the grid font once.
#include <array>
#include <memory>
#include <string_view>

#include "core/platform/Desktop.h"

namespace tabulyst {

class AdvanceTable : public TextMeasure {
public:
    AdvanceTable() : utf8_(new AdvanceTable(ForUtf8{})) { advances_.fill(0); }
    void setAdvance(unsigned char ch, int pixels) {
        advances_[ch] = pixels;
        widest_ = 0;
        for (int a : advances_) widest_ = a > widest_ ? a : widest_;
        if (utf8_) utf8_->takeUtf8From(*this);
    }
    int advance(unsigned char ch) const { return advances_[ch]; }
    const std::array<int, 256>& advances() const { return advances_; }
    int textWidth(std::string_view text) const override { return sum(text); }
    int maxCharWidth() const override { return widest_; }
    const AdvanceTable* advanceTable() const override { return this; }
    // For UTF-8 cells: a character's width goes on its first byte, the bytes
    // that continue it weigh nothing. Characters beyond the code page have no
    // advance of their own here: a two-byte one counts as an "o", a longer one
    // (East Asian characters, emoji) as an "M".
    const TextMeasure& forUtf8Cells() const override { return utf8_ ? *utf8_ : *this; }
    // The same as textWidth, without the call through the interface.
    int sum(std::string_view text) const {
        int width = 0;
        for (char ch : text) width += advances_[static_cast<unsigned char>(ch)];
        return width;
    }

private:
    struct ForUtf8 {};
    explicit AdvanceTable(ForUtf8) { advances_.fill(0); }
    void takeUtf8From(const AdvanceTable& codePage) {
        for (int b = 0; b < 0x80; ++b) advances_[b] = codePage.advances_[b];
        for (int b = 0x80; b < 0xC0; ++b) advances_[b] = 0;
        for (int b = 0xC0; b < 0xE0; ++b) advances_[b] = codePage.advances_['o'];
        for (int b = 0xE0; b < 0x100; ++b) advances_[b] = codePage.advances_['M'];
        widest_ = codePage.widest_;
    }

    std::array<int, 256> advances_;
    int widest_ = 0;
    std::unique_ptr<AdvanceTable> utf8_;  // only the code page's table has one
};

}  // namespace tabulyst
