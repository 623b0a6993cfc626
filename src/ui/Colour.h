#pragma once
// The core gives colours as 0xRRGGBB numbers.
#include <QColor>

namespace tabulyst::ui {

inline QColor colourOf(unsigned rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace tabulyst::ui
