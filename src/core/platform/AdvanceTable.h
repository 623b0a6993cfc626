#pragma once
// Text width as the sum of per-character advances: one table lookup per byte,
// so fitting the columns of a million-row table stays quick. The ui fills the
// table from the grid font once.
#include <array>
#include <string_view>

#include "core/platform/Desktop.h"

namespace tabulyst {

class AdvanceTable : public TextMeasure {
public:
    AdvanceTable() { advances_.fill(0); }
    void setAdvance(unsigned char ch, int pixels) {
        advances_[ch] = pixels;
        widest_ = 0;
        for (int a : advances_) widest_ = a > widest_ ? a : widest_;
    }
    int advance(unsigned char ch) const { return advances_[ch]; }
    const std::array<int, 256>& advances() const { return advances_; }
    int textWidth(std::string_view text) const override { return sum(text); }
    int maxCharWidth() const override { return widest_; }
    const AdvanceTable* advanceTable() const override { return this; }
    // The same as textWidth, without the call through the interface.
    int sum(std::string_view text) const {
        int width = 0;
        for (char ch : text) width += advances_[static_cast<unsigned char>(ch)];
        return width;
    }

private:
    std::array<int, 256> advances_;
    int widest_ = 0;
};

}  // namespace tabulyst
