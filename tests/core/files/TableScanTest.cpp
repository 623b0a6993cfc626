#include "core/files/TableScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/grid/TableText.h"

namespace tabulyst {
namespace {

// A file of a few MiB, split in many pieces: fields of every width, lines of
// every field count; with quoted, every fourth field in quotes with a pair inside.
std::string bigFile(bool quoted) {
    std::string bytes;
    for (int i = 0; bytes.size() < (std::size_t{5} << 19); ++i) {
        for (int f = 0; f <= i % 7; ++f) {
            if (f) bytes += ';';
            std::string field(static_cast<std::size_t>((i * 13 + f * 5) % 23), static_cast<char>('a' + (i + f) % 26));
            bytes += quoted && (i + f) % 4 == 0 ? "\"" + field + "\"\"x\"" : field;
        }
        bytes += "\r\n";
    }
    return bytes;
}

// For each field place, the widest sum of weights of the cells shown, line by line.
std::vector<int> widestByLine(const std::string& bytes, const TableScan::Weights& weights) {
    std::vector<int> widest(1, 0);
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t stop = bytes.find('\r', start);
        std::size_t place = 1;
        int sum = 0;
        bool inQuotes = false;  // the file's quoted fields hold no delimiter
        for (std::size_t at = start; at <= stop; ++at) {
            if (at == stop || bytes[at] == ';') {
                if (widest.size() <= place) widest.resize(place + 1, 0);
                widest[place] = std::max(widest[place], sum);
                ++place;
                sum = 0;
            } else if (bytes[at] == '"' && (inQuotes || at == start || bytes[at - 1] == ';')) {
                // The quotes around a field and one of each pair inside are not shown.
                if (inQuotes && bytes[at + 1] == '"') sum += weights['"'], ++at;
                else inQuotes = !inQuotes;
            } else {
                sum += weights[static_cast<unsigned char>(bytes[at])];
            }
        }
        start = stop + 2;
    }
    return widest;
}

TEST(TableScanTest, PiecesSplitBeforeTheAdvancesWereKnownAreSummedAllTheSame) {
    for (bool quoted : {false, true}) {
        SCOPED_TRACE(quoted ? "quoted fields" : "plain fields");
        const std::string bytes = bigFile(quoted);
        const TableLayout layout = quoted ? TableLayout::quotedBy(";") : TableLayout::delimitedBy(";");
        TableScan::Weights weights{}, others{};
        for (int ch = 0; ch < 256; ++ch) {
            weights[static_cast<std::size_t>(ch)] = 1 + ch % 9;
            others[static_cast<std::size_t>(ch)] = 2;
        }
        const std::vector<int> expected = widestByLine(bytes, weights);
        const auto lines = static_cast<std::uint32_t>(std::count(bytes.begin(), bytes.end(), '\n'));

        enum class When { FromTheStart, BetweenTwoRounds, AtTheEnd, OthersAtFirst };
        for (When when : {When::FromTheStart, When::BetweenTwoRounds, When::AtTheEnd, When::OthersAtFirst}) {
            SCOPED_TRACE(static_cast<int>(when));
            TableText text(layout);
            std::memcpy(text.reserve(bytes.size() + TableText::kSlack), bytes.data(), bytes.size());
            text.setSize(bytes.size());
            Utf8Detector detector;
            TableScan scan(text, layout, detector);
            ASSERT_GT(scan.pieceCount(), 8u);
            if (when == When::FromTheStart) scan.sumWith(&weights);
            if (when == When::OthersAtFirst) scan.sumWith(&others);
            workOnAllProcessors(scan);
            if (when == When::BetweenTwoRounds) {
                // The second round finds no piece to split: it sums those split.
                scan.sumWith(&weights);
                scan.work();
            }
            scan.finish(&weights);
            text.finish();
            EXPECT_EQ(text.lineCount(), lines);
            std::vector<int> widest = scan.widest();
            widest.resize(std::max(widest.size(), expected.size()), 0);
            for (std::size_t p = 1; p < expected.size(); ++p) EXPECT_EQ(widest[p], expected[p]) << "place " << p;
        }
    }
}

}  // namespace
}  // namespace tabulyst
