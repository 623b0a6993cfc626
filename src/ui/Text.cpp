#include "ui/Text.h"

#include <array>

namespace tabulyst::ui {

namespace {
// 0x80-0x9F of Windows-1252; zero marks the five unassigned codes, kept as the C1 control.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t unicodeOf(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80] ? kHigh[b - 0x80] : char16_t(b);
    return char16_t(b);
}

}  // namespace

QString fromAnsi(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* d = out.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) d[i] = QChar(unicodeOf(static_cast<unsigned char>(bytes[i])));
    return out;
}

}  // namespace tabulyst::ui
