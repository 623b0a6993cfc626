#include "core/text/SortKeyText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/grid/StringGrid.h"
#include "core/interaction/SortKeys.h"
#include "core/platform/Locale.h"
#include "core/text/SortKeyColumn.h"

namespace tabulyst::text {
namespace {

const Locale kLocale = Locale::german();

// The texts ordered by their keys, each head checked against its key.
std::vector<std::string> sortedByKeys(std::vector<std::string> texts, TextEncoding encoding) {
    const SortKeyMaker maker(encoding, kLocale);
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const std::string& t : texts) {
        std::string key;
        maker.append(t, key);
        keyed.emplace_back(key, t);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < keyed.size(); ++i) {
        bool exactA = false, exactB = false;
        const auto a = maker.head(keyed[i - 1].first, exactA), b = maker.head(keyed[i].first, exactB);
        EXPECT_LE(a, b) << keyed[i].second;
        if (a == b && exactA && exactB) {
            EXPECT_EQ(keyed[i - 1].first, keyed[i].first) << keyed[i].second;
        }
    }
    std::vector<std::string> sorted;
    for (auto& k : keyed) sorted.push_back(k.second);
    return sorted;
}

TEST(SortKeyMaker, Utf8TextSortsInGermanOrder) {
    const std::vector<std::vector<std::string>> orders = {
        {"\xC3\x84rger", "\xC5\x81ukasz", "Oskar", "Zo\xC3\xAB"},            // Ärger Łukasz Oskar Zoë
        {"", "a", "\xC3\xA4", "ab", "abcdefgh", "abcdefghi", "b"},            // short before long, ä beside a
        {"Muller", "M\xC3\xBCller", "Mullers"},                               // the accent counts after the letters
        {"\xC3\xA9t\xC3\xA9", "Zeit", "\xCE\xB1\xCE\xB2"},                    // été, Zeit, αβ
        {"1", "10", "2", "a"},  // digits before letters, one by one (numbers sort as numbers anyway)
    };
    for (const auto& order : orders) {
        std::vector<std::string> shuffled(order.rbegin(), order.rend());
        EXPECT_EQ(sortedByKeys(shuffled, TextEncoding::Utf8), order);
    }
    // Case does not count; an invalid byte sorts as its Windows-1252 character.
    const SortKeyMaker maker(TextEncoding::Utf8, kLocale);
    std::string a, b, c, d;
    maker.append("\xC5\x81UKASZ", a);
    maker.append("\xC5\x82ukasz", b);
    maker.append("\xE4rger", c);
    maker.append("\xC3\xA4rger", d);
    EXPECT_EQ(a, b);
    EXPECT_EQ(c, d);
}

TEST(SortKeyMaker, AColumnMakesEachTextsKeyOnceAndRanksThem) {
    const SortKeyMaker maker(TextEncoding::Utf8, kLocale);
    SortKeyColumn column(maker);
    const std::vector<std::string> cells = {"Zo\xC3\xAB", "\xC3\x84rger", "zo\xC3\xAB", "Oskar", "\xC3\x84rger", ""};
    auto text = [&](std::size_t i) { return cells[i % 6] + (i < 6 ? std::string() : std::to_string(i / 6)); };
    std::vector<std::string> texts;  // the column keeps views of them while it is made
    for (std::size_t i = 0; i < 6 * 300; ++i) texts.push_back(text(i));
    for (const std::string& t : texts) column.add(t);  // past the first size of the lookup
    EXPECT_EQ(column.distinctCount(), 5u * 300);
    const std::vector<std::uint32_t> ranks = column.ranks();
    // Zoë and zoë: two texts, one key, one rank.
    EXPECT_EQ(ranks[0], ranks[2]);
    EXPECT_EQ(ranks[1], ranks[4]);
    EXPECT_EQ(ranks[5], 0u);
    EXPECT_LT(ranks[1], ranks[3]);
    EXPECT_LT(ranks[3], ranks[0]);
    for (std::size_t i = 0; i < column.size(); i += 7) {
        std::string key;
        maker.append(text(i), key);
        EXPECT_EQ(column.key(i), key) << i;
    }

    // Mostly distinct texts: past some thousands each gets its own key, ranked alike.
    SortKeyColumn codes(maker);
    std::vector<std::string> many;
    for (int i = 0; i < 9000; ++i) many.push_back("K" + std::to_string(i % 6000));
    for (const std::string& t : many) codes.add(t);
    const std::vector<std::uint32_t> codeRanks = codes.ranks();
    EXPECT_EQ(codeRanks[1], codeRanks[6001]);
    EXPECT_LT(codeRanks[1], codeRanks[10]);  // K1 before K10
    EXPECT_LT(codeRanks[10], codeRanks[2]);
}

TEST(SortKeyMaker, Windows1252KeysAndHeadsAreThoseOfTodaysSort) {
    const std::vector<std::string> cells = {"", "b", "Zeit", "\xC4nderung", "abcdefg", "ABCDEFGH", "abcdefgh1", "a"};
    StringGrid grid;
    grid.setColCount(2);
    grid.setRowCount(static_cast<int>(cells.size()) + 1);
    for (std::size_t i = 0; i < cells.size(); ++i) grid.setCell(1, static_cast<int>(i + 1), cells[i]);
    const int column[] = {1};
    const std::vector<SortItem> items = SortKeys(grid, column, 1, static_cast<int>(cells.size()), kLocale).items();
    const SortKeyMaker maker(TextEncoding::Windows1252, kLocale);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::string key;
        maker.append(cells[i], key);
        EXPECT_EQ(key, kLocale.upper(cells[i]));
        bool exact = false;
        EXPECT_EQ(maker.head(key, exact), items[i].head) << cells[i];
        EXPECT_EQ(exact, (items[i].exact & SortItem::kFirstExact) != 0) << cells[i];
    }
    // Byte order of the upper case: Ä after Z, as it always was.
    EXPECT_EQ(sortedByKeys({"\xC4nderung", "Zeit"}, TextEncoding::Windows1252),
              (std::vector<std::string>{"Zeit", "\xC4nderung"}));
}

}  // namespace
}  // namespace tabulyst::text
