#pragma once
// How one grid cell looks: background, text colour and boldness, chosen from
// its draw state, the bookmarks and the last sort. The grid widget paints
// exactly this and decides nothing itself.
#include <cstdint>

namespace tabulyst {

class Bookmarks;
struct SortState;

// Colours of the user's desktop scheme, which the ui resolves.
enum class SystemColour : std::uint8_t { None, Highlight, ButtonFace, Window };

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    SystemColour system = SystemColour::None;  // when set, r, g and b are unused

    static constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return {r, g, b, SystemColour::None}; }
    static constexpr Colour of(SystemColour c) { return {0, 0, 0, c}; }
    friend bool operator==(const Colour&, const Colour&) = default;
};

// What the grid knows of a cell when it paints it.
struct CellDrawState {
    bool selected = false;  // inside the selection rectangle
    bool fixed = false;     // a fixed row or column
    bool focused = false;   // the grid has the input focus
};

struct CellLook {
    Colour background;
    Colour text;
    bool bold = false;  // bold added to the grid font's own style
    friend bool operator==(const CellLook&, const CellLook&) = default;
};

namespace cellcolours {
inline constexpr Colour kSelectedBookmarked = Colour::rgb(0, 111, 111);
inline constexpr Colour kSelectedUnfocused = Colour::rgb(64, 64, 240);
inline constexpr Colour kFrozen = Colour::rgb(255, 255, 0);
inline constexpr Colour kBookmarked = Colour::rgb(0, 255, 255);
inline constexpr Colour kSelectedText = Colour::rgb(255, 255, 255);
inline constexpr Colour kText = Colour::rgb(0, 0, 0);
// The headers of sort keys 1 to 5; key 1 is also the single sort column.
inline constexpr Colour kSortKeys[5] = {Colour::rgb(255, 0, 0), Colour::rgb(192, 64, 0), Colour::rgb(128, 128, 0),
                                        Colour::rgb(64, 192, 0), Colour::rgb(0, 255, 0)};
}  // namespace cellcolours

// The draw-cell decision: the first rule that applies wins.
CellLook StrGridDrawCell(int col, int row, const CellDrawState& state, const Bookmarks& bookmarks,
                         const SortState& sort);

}  // namespace tabulyst
