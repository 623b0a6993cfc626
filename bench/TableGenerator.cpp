#include "TableGenerator.h"

#include <cstdint>
#include <string_view>

#include "core/platform/Utf8Codec.h"

namespace tabulyst::bench {

namespace {
// Words with umlauts and ß, in Windows-1252.
constexpr std::string_view kWords[] = {
    "M\xFCller", "Stra\xDF" "e", "B\xE4" "ckerei", "K\xF6ln", "Gr\xFC\xDF" "e", "\xC4rger", "\xD6lfarbe",
    "\xDC" "bung", "Fu\xDF" "ball", "Sch\xFCssel", "Gem\xFCse", "H\xE4ndler", "Br\xF6tchen", "Wei\xDF" "bier",
    "Tisch", "Lampe", "Fenster", "Garten", "Wasser", "Bahnhof"};
constexpr std::size_t kWordCount = sizeof(kWords) / sizeof(kWords[0]);

struct Random {
    std::uint64_t state;
    std::uint32_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33);
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }
};

void appendNumber(std::string& out, long long v) { out += std::to_string(v); }

void appendPadded(std::string& out, unsigned v, int digits) {
    std::string s = std::to_string(v);
    if (static_cast<int>(s.size()) < digits) out.append(static_cast<std::size_t>(digits) - s.size(), '0');
    out += s;
}

std::string upper(std::string_view word) {
    std::string out(word);
    for (char& ch : out) {
        auto b = static_cast<unsigned char>(ch);
        if (b >= 'a' && b <= 'z') ch = static_cast<char>(b - 32);
        else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) ch = static_cast<char>(b - 32);
    }
    return out;
}
}  // namespace

std::string generateTable(std::size_t rows, Variant variant) {
    std::string out;
    out.reserve(rows * 96);
    generateTable(rows, variant, [&out](std::string_view block) { out += block; });
    return out;
}

void generateTable(std::size_t rows, Variant variant, const std::function<void(std::string_view)>& write) {
    Random rnd{20261208};
    std::string out;
    if (variant == Variant::Utf8Bom) out = "\xEF\xBB\xBF";
    std::string line;
    const std::string_view end = variant == Variant::Lf ? "\n" : "\r\n";
    for (std::size_t r = 1; r <= rows; ++r) {
        line.clear();
        appendNumber(line, static_cast<long long>(r));                                   // running number
        line += ';';
        appendNumber(line, static_cast<long long>(rnd.below(199999)) - 99999);           // signed integer
        line += ';';
        appendNumber(line, rnd.below(100000));                                           // decimal with comma
        line += ',';
        appendPadded(line, rnd.below(100), 2);
        line += ';';
        appendPadded(line, 1 + rnd.below(28), 2);                                        // date dd.mm.yyyy
        line += '.';
        appendPadded(line, 1 + rnd.below(12), 2);
        line += '.';
        appendNumber(line, 1990 + rnd.below(40));
        line += ';';
        line += kWords[rnd.below(kWordCount)];                                           // a word
        line += ';';
        line += kWords[rnd.below(kWordCount)];                                           // two words
        line += ' ';
        line += kWords[rnd.below(kWordCount)];
        line += ';';
        if (rnd.below(5) != 0) {                                                         // a float, mostly
            appendNumber(line, rnd.below(1000));
            line += ',';
            appendPadded(line, rnd.below(1000000), 6);
        }
        line += ';';
        line += upper(kWords[rnd.below(kWordCount)]);                                    // upper-case word
        line += ";K";
        appendPadded(line, rnd.below(100000000), 8);                                     // code
        line += ';';
        line.append(rnd.below(13), 'x');                                                 // 0 to 12 x
        if (variant == Variant::Utf8Bom) {
            out += utf8FromWindows1252(line);
            if (r % 10 == 0) out += "\xC5\x81";  // a character Windows-1252 lacks, every tenth row
        } else {
            out += line;
        }
        out += end;
        if (out.size() >= (std::size_t{4} << 20)) {
            write(out);
            out.clear();
        }
    }
    write(out);
}

std::string generateWideLine(std::size_t fields) {
    // The table's rows one after the other, joined by delimiters instead of line ends.
    std::string line = generateTable(fields / 10 + 1, Variant::CrLf);
    std::size_t out = 0, count = 1;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\n') continue;
        char c = line[i] == '\r' ? ';' : line[i];
        if (c == ';' && ++count > fields) break;
        line[out++] = c;
    }
    line.resize(out);
    return line + "\r\n";
}

}  // namespace tabulyst::bench
