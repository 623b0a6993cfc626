#pragma once
// Cell text is Windows-1252 bytes in the core; Qt speaks Unicode.
#include <QString>
#include <string>
#include <string_view>

namespace tabulyst::ui {

QString fromAnsi(std::string_view bytes);
// Characters outside Windows-1252 become "?".
std::string toAnsi(const QString& text);
// Literal texts in the core's sources are UTF-8.
inline QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

}  // namespace tabulyst::ui
