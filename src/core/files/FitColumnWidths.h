#pragma once
// Widening the grid's columns to their texts after a table has been filled.
namespace tabulyst {

class StringGrid;
class TextMeasure;

// Widens every visible column (the fixed column included) to 1.25 times its
// widest non-empty text plus 0.5, rounded half to even, but by this step to no
// more than maxWidth. Columns never get narrower; hidden columns stay hidden.
void FitColumnWidths(StringGrid& grid, int maxWidth, const TextMeasure& measure);

// The width a text of textWidth pixels asks for.
int wantedColumnWidth(int textWidth);

}  // namespace tabulyst
