#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/files/quoted/QuotedFields.h"
#include "core/files/quoted/QuotedPieces.h"
#include "core/files/quoted/QuotedReference.h"
#include "core/files/quoted/QuotedScan.h"

namespace tabulyst {
namespace {

// Texts made of few kinds of bytes, so that quotes meet delimiters, line ends,
// pairs, code 26 and round borders in every way.
std::string randomText(std::mt19937& random, std::size_t size, std::string_view delimiter) {
    static const std::string kBytes = "aab\"\"\"\r\n\n;|\t\xE9";
    std::string text;
    while (text.size() < size) {
        const unsigned pick = random() % 64;
        if (pick == 0) text += '\x1A';
        else if (pick < 6 && !delimiter.empty()) text += delimiter;
        else text += kBytes[random() % kBytes.size()];
    }
    return text;
}

std::vector<QuotedLayout> layouts() {
    std::vector<QuotedLayout> all;
    static const std::string_view kDelimiters[] = {";", "||", "aa", "", "\t", "\"", "\r\n", "\n;"};
    for (std::string_view delimiter : kDelimiters)
        for (bool crLf : {false, true})
            for (bool quoted : {true, false})
                for (bool code26 : {true, false}) {
                    QuotedLayout layout;
                    layout.lineEnd = crLf ? '\r' : '\n';
                    layout.crLf = crLf;
                    layout.delimiter = delimiter;
                    layout.quoted = quoted;
                    layout.stopAtCode26 = code26;
                    all.push_back(layout);
                }
    return all;
}

std::string describe(const QuotedLayout& layout) {
    return "delimiter of " + std::to_string(layout.delimiter.size()) + " bytes (first " +
           std::to_string(layout.delimiter.empty() ? -1 : static_cast<int>(layout.delimiter[0])) + "), " +
           (layout.crLf ? "CR" : "LF") + " lines, quoted " + std::to_string(layout.quoted) + ", code 26 " +
           std::to_string(layout.stopAtCode26);
}

TEST(QuotedScanTest, RandomTextsReadInOnePassAndInPiecesAsTheReferenceReadsThem) {
    std::mt19937 random(20261209);
    for (const QuotedLayout& layout : layouts()) {
        for (int round = 0; round < 60; ++round) {
            const std::string text = randomText(random, random() % (round < 40 ? 90 : 400), layout.delimiter);
            const std::vector<QuotedRecord> expected = splitQuotedReference(text, layout);

            QuotedRecordList fast;
            scanQuotedRecords(text.data(), text.size(), true, layout, fast);
            ASSERT_EQ(fast.records(), expected) << describe(layout) << "\ntext: " << testing::PrintToString(text);

            const std::vector<std::size_t> starts = quotedPieceStarts(text, layout, 1 + random() % 40);
            const QuotedPiecesOutcome pieces = scanQuotedInPieces(text, layout, starts, 1 + random() % 3);
            ASSERT_EQ(pieces.records, expected)
                << describe(layout) << ", " << starts.size() << " pieces\ntext: " << testing::PrintToString(text);
        }
    }
}

// A table as a writer makes it: random cells, quoted where they need it and
// now and then where they do not, with a stray quote here and there.
std::string writtenTable(std::mt19937& random, std::size_t size, const QuotedLayout& layout) {
    static const std::string kBytes = "abc \"\"\r\n;|\xE9";
    std::string text;
    while (text.size() < size) {
        const unsigned cells = 1 + random() % 8;
        for (unsigned c = 0; c < cells; ++c) {
            if (c) text += layout.delimiter;
            std::string cell;
            for (unsigned n = random() % 24; n > 0; --n) cell += kBytes[random() % kBytes.size()];
            if (random() % 50 == 0) text += '"';
            if (random() % 3 == 0 || cellNeedsQuotes(cell, layout.delimiter)) appendQuoted(text, cell);
            else text += cell;
        }
        text += layout.crLf ? "\r\n" : "\n";
    }
    return text;
}

TEST(QuotedScanTest, RandomWrittenTablesReadInOnePassAndInPiecesAsTheReferenceReadsThem) {
    std::mt19937 random(7);
    for (const QuotedLayout& layout : layouts()) {
        if (!quotingActive(layout) || !delimiterUsable(layout)) continue;
        for (int round = 0; round < 8; ++round) {
            const std::string text = writtenTable(random, 500 + random() % 6000, layout);
            const std::vector<QuotedRecord> expected = splitQuotedReference(text, layout);
            QuotedRecordList fast;
            scanQuotedRecords(text.data(), text.size(), true, layout, fast);
            ASSERT_EQ(fast.records(), expected) << describe(layout) << "\ntext: " << testing::PrintToString(text);
            const std::vector<std::size_t> starts = quotedPieceStarts(text, layout, 64 + random() % 700);
            ASSERT_EQ(scanQuotedInPieces(text, layout, starts, 2).records, expected)
                << describe(layout) << ", " << starts.size() << " pieces\ntext: " << testing::PrintToString(text);
        }
    }
}

// A table of many rows; every fifth row has its fields in quotes, some with
// the delimiter, some with a line break, some with pairs of quotes.
std::string quotedTable(std::size_t rows, bool crLf) {
    const std::string lineEnd = crLf ? "\r\n" : "\n";
    std::string text;
    for (std::size_t r = 0; r < rows; ++r) {
        for (int f = 0; f < 6; ++f) {
            if (f) text += ';';
            const std::string value = "v" + std::to_string(r * 7 + static_cast<std::size_t>(f));
            if (r % 5 != 0) {
                text += value;
            } else if (f % 3 == 0) {
                text += "\"" + value + ";" + value + "\"";
            } else if (f % 3 == 1) {
                text += "\"" + value + lineEnd + "and a second line" + lineEnd + "and a third\"";
            } else {
                text += "\"say \"\"" + value + "\"\"\"";
            }
        }
        text += lineEnd;
    }
    return text;
}

TEST(QuotedScanTest, PiecesThatStartInsideQuotedFieldsJoinAsOnePass) {
    for (bool crLf : {false, true}) {
        const std::string text = quotedTable(20000, crLf);
        QuotedLayout layout;
        layout.lineEnd = crLf ? '\r' : '\n';
        layout.crLf = crLf;
        layout.delimiter = ";";
        layout.stopAtCode26 = true;
        const std::vector<QuotedRecord> expected = splitQuotedReference(text, layout);
        ASSERT_EQ(expected.size(), 20000u);

        const std::vector<std::size_t> starts = quotedPieceStarts(text, layout, text.size() / 32);
        const auto insideRecords = std::count_if(starts.begin(), starts.end(), [&](std::size_t start) {
            return std::none_of(expected.begin(), expected.end(), [&](const QuotedRecord& r) { return r.start == start; });
        });
        ASSERT_GT(insideRecords, 0) << "some piece must start inside a quoted field for this test to mean anything";

        const QuotedPiecesOutcome pieces = scanQuotedInPieces(text, layout, starts, 4);
        EXPECT_EQ(pieces.records, expected);
        // A piece that started in a quoted field agrees again after a record or two.
        EXPECT_LT(pieces.scannedAgain, text.size() / 100);
    }
}

TEST(QuotedScanTest, APieceStopsWhereItsLastRecordRunsOnBehindIt) {
    QuotedLayout layout;
    layout.delimiter = ";";
    const std::string text = "a;b\n\"c\nd\";e\nf\n";
    // Cut after "c\n": the quote is still open there.
    QuotedRecordList piece;
    const QuotedScanResult result = scanQuotedRecords(text.data(), 7, false, layout, piece);
    EXPECT_EQ(result.how, QuotedScanEnd::Unfinished);
    EXPECT_EQ(result.unfinished, 4u);
    ASSERT_EQ(piece.records().size(), 1u) << "only the record before it";
    EXPECT_EQ(piece.records()[0].stop, 3u);

    // A last line without its line end is not known to be whole either.
    QuotedRecordList cut;
    EXPECT_EQ(scanQuotedRecords(text.data(), 13, false, layout, cut).how, QuotedScanEnd::Unfinished);
    EXPECT_EQ(cut.records().size(), 2u);
}

}  // namespace
}  // namespace tabulyst
