#pragma once
// The core's texts are UTF-8, but for cells, which are in their table's
// encoding: Windows-1252 or UTF-8. Qt speaks Unicode.
#include <QString>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace tabulyst::ui {

QString fromAnsi(std::string_view bytes);
inline QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string toUtf8(const QString& text) { return text.toStdString(); }
// A cell's text as the screen shows it.
inline QString fromCell(std::string_view bytes, text::TextEncoding cells) {
    return cells == text::TextEncoding::Utf8 ? fromUtf8(bytes) : fromAnsi(bytes);
}

}  // namespace tabulyst::ui
