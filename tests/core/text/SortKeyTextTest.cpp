#include "core/text/SortKeyText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/grid/StringGrid.h"
#include "core/interaction/SortKeys.h"
#include "core/platform/Locale.h"

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
