#include "core/interaction/Sorting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/interaction/HoareQuicksort.h"
#include "support/FormFixture.h"
#include "support/LiteralSort.h"

namespace tabulyst::testing {
namespace {

using Column = std::vector<std::string>;

class SortingTest : public FormFixture {
protected:
    SortingTest() { form->locale = Locale::german(); }
    Sorting& sorting() { return form->sorting; }
    SortState& state() { return form->document.sort; }

    // Data columns given top to bottom; column 0 and row 0 numbered as after loading.
    void table(const std::vector<Column>& columns) {
        const int rows = static_cast<int>(columns.at(0).size());
        grid().setColCount(static_cast<int>(columns.size()) + 1);
        grid().setRowCount(rows + 1);
        for (int c = 0; c <= static_cast<int>(columns.size()); ++c) grid().setCell(c, 0, std::to_string(c));
        for (int r = 1; r <= rows; ++r) {
            grid().setCell(0, r, std::to_string(r));
            for (std::size_t c = 0; c < columns.size(); ++c)
                grid().setCell(static_cast<int>(c + 1), r, columns[c][static_cast<std::size_t>(r - 1)]);
        }
        grid().setCurrent(1, 1);
        journal().ClearJournal();
        journal().SetModified(false);
        state().reset();  // as loading a file does
    }
    Column column(int col) {
        Column out;
        for (int r = grid().fixedRows(); r < grid().rowCount(); ++r) out.emplace_back(grid().cell(col, r));
        return out;
    }
    // Press and release in the middle of the header cell of col, 100 pixels wide.
    void click(int col, bool shift = false) { release(col, 0, 50, shift); }
    void release(int col, int row, int x, bool shift = false, int pressCol = -2) {
        sorting().StrGridMouseDown(pressCol == -2 ? col : pressCol);
        sorting().StrGridMouseUp(col, row, 0, 100, x, shift);
    }
    std::vector<int> keys() { return {state().SortKeyColumns.begin(), state().SortKeyColumns.end()}; }
};

TEST_F(SortingTest, NumbersSortByValueAndASecondClickReverses) {
    table({{"9", "10", "1,5"}});
    click(1);
    EXPECT_EQ(column(1), (Column{"1,5", "9", "10"}));
    EXPECT_FALSE(state().SortDescending);
    click(1);
    EXPECT_EQ(column(1), (Column{"10", "9", "1,5"}));
    EXPECT_TRUE(state().SortDescending);
    EXPECT_EQ(state().SortIndicatorColumn, 1);
    EXPECT_TRUE(journal().Modified);
    // Leading blanks, signs, exponents and "," as the decimal point.
    table({{" 1e3", "-2,5", "+7", "0.5"}});
    click(1);
    EXPECT_EQ(column(1), (Column{"-2,5", "0.5", "+7", " 1e3"}));
    // A trailing blank is no number: the column is text.
    table({{"10", "9 ", "8"}});
    click(1);
    EXPECT_EQ(column(1), (Column{"10", "8", "9 "}));
}

TEST_F(SortingTest, TextsSortByTheCodesOfTheirUpperCase) {
    table({{"abc", "9", "10"}});
    click(1);
    EXPECT_EQ(column(1), (Column{"10", "9", "abc"}));
    table({{"\xE4", "Z", "b", "a", "Ab"}});  // ä (upper Ä, 0xC4) after Z
    click(1);
    EXPECT_EQ(column(1), (Column{"a", "Ab", "b", "Z", "\xE4"}));
}

TEST_F(SortingTest, EmptyCellsComeFirstInEveryKind) {
    table({{"5", "", "-1", ""}, {"b", "", "a", ""}, {"02.01.2024", "", "15.12.2023", ""}});
    for (int col : {1, 2, 3}) {
        click(col);
        Column sorted = column(col);
        EXPECT_EQ(sorted[0], "");
        EXPECT_EQ(sorted[1], "");
        EXPECT_NE(sorted[2], "");
    }
}

TEST_F(SortingTest, DatesSortChronologicallyInTheLocalesFormat) {
    table({{"02.01.2024", "15.12.2023", "01.01.2024,08:30", "01.01.2024 07:00:05", "1.1.2024"}});
    click(1);
    EXPECT_EQ(column(1), (Column{"15.12.2023", "1.1.2024", "01.01.2024 07:00:05", "01.01.2024,08:30", "02.01.2024"}));
    // With another date format the same texts are no dates.
    form->locale = Locale();
    table({{"02.01.2024", "15.12.2023"}});
    click(1);
    EXPECT_EQ(column(1), (Column{"02.01.2024", "15.12.2023"}));
}

TEST_F(SortingTest, ShiftClicksAddKeysTheNewestFirst) {
    table({{"2", "1", "2", "1"}, {"x", "y", "z", "w"}, {"b", "b", "a", "a"}});
    click(3, true);
    click(1, true);
    EXPECT_EQ(column(1), (Column{"1", "1", "2", "2"}));
    EXPECT_EQ(column(3), (Column{"a", "b", "a", "b"}));
    EXPECT_EQ(column(2), (Column{"w", "y", "z", "x"}));
    EXPECT_EQ(keys(), (std::vector<int>{1, 3, -1, -1, -1}));
    EXPECT_EQ(state().SortKeyCount, 2);
    EXPECT_TRUE(state().MultiKeySort);
    // One direction for all keys.
    click(1, true);
    EXPECT_EQ(column(1), (Column{"2", "2", "1", "1"}));
    EXPECT_EQ(column(3), (Column{"b", "a", "b", "a"}));
    EXPECT_EQ(keys(), (std::vector<int>{1, 3, -1, -1, -1}));
    // A plain click starts over with one key.
    click(2);
    EXPECT_EQ(keys(), (std::vector<int>{2, -1, -1, -1, -1}));
    EXPECT_EQ(state().SortKeyCount, 1);
    EXPECT_FALSE(state().MultiKeySort);
}

TEST_F(SortingTest, ASixthShiftKeyDropsTheOldestAndTheFirstKeyOnlyReverses) {
    table({{"a"}, {"b"}, {"c"}, {"d"}, {"e"}, {"f"}});
    for (int col = 1; col <= 6; ++col) click(col, true);
    EXPECT_EQ(keys(), (std::vector<int>{6, 5, 4, 3, 2}));
    EXPECT_EQ(state().SortKeyCount, 5);
    EXPECT_FALSE(state().SortDescending);
    click(6, true);
    EXPECT_EQ(keys(), (std::vector<int>{6, 5, 4, 3, 2}));
    EXPECT_TRUE(state().SortDescending);
}

TEST_F(SortingTest, ReleasesNearTheBordersInAnotherColumnOrOffTheHeaderDoNotSort) {
    table({{"b", "a"}, {"y", "x"}});
    release(1, 0, 10);   // the outer tenth of the 100 pixels
    release(1, 0, 90);
    release(1, 0, 50, false, 2);  // pressed in column 2
    release(1, 1, 50);   // a data row
    release(1, 0, 50, false, -1);  // no press in the grid
    EXPECT_EQ(column(1), (Column{"b", "a"}));
    EXPECT_FALSE(journal().Modified);
    EXPECT_EQ(state().SortIndicatorColumn, -1);
    EXPECT_EQ(state().HeaderPressColumn, -1);
    release(1, 0, 11);  // just inside
    EXPECT_EQ(column(1), (Column{"a", "b"}));
    EXPECT_EQ(state().HeaderPressColumn, -1);
    release(1, 0, 89);
    EXPECT_EQ(column(1), (Column{"b", "a"}));
}

TEST_F(SortingTest, AJournalWithEntriesIsDiscardedOnlyAfterYes) {
    table({{"b", "a"}, {"1", "2"}});
    journal().ChangeCell(2, 1, "3");
    click(1);
    ASSERT_EQ(fake.dialogs.questions, std::vector<std::string>{"Liste der Änderungen verwerfen und Sortieren?"});
    EXPECT_EQ(column(1), (Column{"b", "a"}));
    EXPECT_EQ(journal().JournalPos, 0);
    EXPECT_EQ(state().SortIndicatorColumn, -1);
    EXPECT_EQ(state().SortKeyCount, -1);
    EXPECT_FALSE(state().SortDescending);
    fake.dialogs.answers.push_back(true);
    click(1);
    EXPECT_EQ(column(1), (Column{"a", "b"}));
    EXPECT_EQ(column(2), (Column{"2", "3"}));
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(commands().enabled("mnuMainUndo"));
    // An empty journal: no question.
    click(1);
    EXPECT_EQ(fake.dialogs.questions.size(), 2u);
}

TEST_F(SortingTest, WholeRowsMoveWithTheirNumbersAndTheCurrentRowIsFoundAgain) {
    table({{"c", "a", "b", "d"}, {"3", "1", "2", "4"}});
    grid().setCurrent(2, 3);  // the row "b", "2"
    click(1);
    EXPECT_EQ(column(0), (Column{"2", "3", "1", "4"}));
    EXPECT_EQ(column(2), (Column{"1", "2", "3", "4"}));
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), 2);
    // The top row of the selection counts; the current cell ends alone in its row.
    grid().setCurrent(1, 4);
    grid().extendTo(2, 3);  // rows 3 and 4, the top one "c"
    click(1);               // descending
    EXPECT_EQ(column(1), (Column{"d", "c", "b", "a"}));
    EXPECT_EQ(grid().selection(), (GridRect{2, 2, 2, 2}));
    // A second fixed row stays where it is.
    grid().setFixedRows(2);
    click(2);
    EXPECT_EQ(grid().cell(1, 1), "d");
    EXPECT_EQ(column(1), (Column{"a", "b", "c"}));
}

TEST_F(SortingTest, OfIdenticalRowsTheFirstBecomesCurrent) {
    table({{"a", "b", "a"}, {"x", "y", "x"}});
    grid().setCurrent(1, 3);
    click(2);
    EXPECT_EQ(column(2), (Column{"x", "x", "y"}));
    EXPECT_EQ(grid().row(), 1);
}

// A comparison that fails in the middle of the sort.
class FailingSorting : public Sorting {
public:
    using Sorting::Sorting;

protected:
    void orderItems(std::vector<SortItem>& items, const SortKeys& keys, bool descending) override {
        int calls = 0;
        auto compare = [&](const SortItem& a, const SortItem& b) {
            if (++calls == 5) throw std::runtime_error("comparison failed");
            return keys.compare(a, b);
        };
        hoareQuicksort(items, 0, static_cast<std::ptrdiff_t>(items.size()) - 1, compare, descending);
    }
};

TEST_F(SortingTest, ASortEndedByAnErrorStillClearsTheJournalAndTheCursor) {
    table({{"d", "c", "b", "a", "e", "f"}});
    journal().ChangeCell(1, 1, "g");
    fake.dialogs.answers.push_back(true);
    FailingSorting failing(grid(), journal(), state(), &fake.desktop, form->locale,
                           [] { return text::TextEncoding::Windows1252; });
    failing.StrGridMouseDown(1);
    EXPECT_THROW(failing.StrGridMouseUp(1, 0, 0, 100, 50, false), std::runtime_error);
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(commands().enabled("mnuMainUndo"));
    EXPECT_FALSE(fake.desktop.isBusy);
    EXPECT_FALSE(grid().updating());
    EXPECT_EQ(state().HeaderPressColumn, -1);
    EXPECT_EQ(column(1), (Column{"g", "c", "b", "a", "e", "f"}));  // no row half moved
}

// --- the fast sort against the literal one ---

std::string randomCell(std::mt19937& rng, int kind) {
    static const std::vector<std::string> numbers = {
        "1", "1,0", "1.0000000000000000001", "0,99999999999999999999", "-0", "0", " 2", "-2,5", "1e2", "100",
        "3", "+3", "12345678901234567890", "1e4000", "-1e4000"};
    static const std::vector<std::string> dates = {"01.01.2024", "1.1.2024 00:00", "31.12.2023 23:59:59",
                                                   "02.01.2024,12:00", "29.02.2024", "15.06.99"};
    static const std::vector<std::string> texts = {
        "abcdefg", "ABCDEFG", "abcdefgh", "abcdefga", "abcdef", "ab", "\xE4pfel", "\xC4PFEL", "Zebra",
        "zebra", "10", "9", "a b", std::string("ab\0c", 4), "~", "\xFF"};
    auto pick = [&](const std::vector<std::string>& list) { return list[rng() % list.size()]; };
    if (rng() % 5 == 0) return "";
    switch (kind) {
    case 0: return pick(numbers);
    case 1: return pick(dates);
    case 2: return pick(texts);
    default: return rng() % 10 == 0 ? pick(texts) : pick(numbers);  // mostly numbers: a text column
    }
}

TEST_F(SortingTest, GivesExactlyTheOrderOfTheLiteralSortTiesIncluded) {
    std::mt19937 rng(20240612);
    for (int round = 0; round < 300; ++round) {
        const int cols = 2 + static_cast<int>(rng() % 4), rows = 1 + static_cast<int>(rng() % 40);
        const int fixedRows = 1 + static_cast<int>(rng() % 2), fixedCols = 1 + static_cast<int>(rng() % 2);
        grid().setFixedRows(1);
        grid().setFixedCols(1);
        grid().setColCount(cols + fixedCols);
        grid().setRowCount(rows + fixedRows);
        std::vector<int> kinds;
        for (int c = 0; c < grid().colCount(); ++c) kinds.push_back(static_cast<int>(rng() % 4));
        for (int r = 0; r < grid().rowCount(); ++r)
            for (int c = 0; c < grid().colCount(); ++c)
                grid().setCell(c, r, c == 0 ? std::to_string(r) : randomCell(rng, kinds[static_cast<std::size_t>(c)]));
        if (rng() % 4 == 0)  // a trailing row empty in every cell
            for (int c = 0; c < grid().colCount(); ++c) grid().setCell(c, grid().rowCount() - 1, "");
        grid().setFixedRows(fixedRows);
        grid().setFixedCols(fixedCols);
        const int top = fixedRows + static_cast<int>(rng() % static_cast<unsigned>(rows));
        grid().setCurrent(fixedCols, top);

        std::vector<int> keyColumns;
        for (int k = 1 + static_cast<int>(rng() % 3); k > 0; --k)
            keyColumns.push_back(static_cast<int>(rng() % static_cast<unsigned>(grid().colCount())));
        const bool descending = rng() % 2;

        literal::Table expected(static_cast<std::size_t>(grid().rowCount()));
        for (int r = 0; r < grid().rowCount(); ++r)
            for (int c = 0; c < grid().colCount(); ++c) expected[static_cast<std::size_t>(r)].emplace_back(grid().cell(c, r));
        std::string signature;
        for (int c = fixedCols; c < grid().colCount(); ++c) signature += expected[static_cast<std::size_t>(top)][static_cast<std::size_t>(c)];
        literal::SortReference(expected, keyColumns, form->locale).sort(fixedRows, descending);

        sorting().sortByKeys(keyColumns, descending);
        for (int r = 0; r < grid().rowCount(); ++r)
            for (int c = 0; c < grid().colCount(); ++c)
                ASSERT_EQ(grid().cell(c, r), expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                    << "round " << round << " row " << r << " col " << c;
        int expectedRow = grid().rowCount() - 1;
        for (int r = fixedRows; r < grid().rowCount(); ++r) {
            std::string joined;
            for (int c = fixedCols; c < grid().colCount(); ++c) joined += expected[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (joined == signature) {
                expectedRow = r;
                break;
            }
        }
        ASSERT_EQ(grid().row(), expectedRow) << "round " << round;
    }
}

// --- recursion depth ---

// An order of n values on which Hoare's scheme with the middle pivot splits
// off one row at a time: built by letting the values take shape as the sort
// compares them, the pivot always becoming the smallest value left.
std::vector<int> unluckyOrder(int n) {
    const int gas = n;
    std::vector<int> value(static_cast<std::size_t>(n), gas);
    int solid = 0, candidate = -1;
    auto compare = [&](int x, int y) {
        auto& vx = value[static_cast<std::size_t>(x)];
        auto& vy = value[static_cast<std::size_t>(y)];
        if (vx == gas && vy == gas) (x == candidate ? vx : vy) = solid++;
        if (vx == gas) candidate = x;
        else if (vy == gas) candidate = y;
        return vx < vy ? -1 : vx > vy ? 1 : 0;
    };
    std::vector<int> items(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) items[static_cast<std::size_t>(i)] = i;
    hoareQuicksort(items, 0, n - 1, compare, false);
    for (auto& v : value)
        if (v == gas) v = solid++;
    return value;
}

// The depth the scheme reaches when it recurses into both parts.
int plainRecursionDepth(std::vector<int> items) {
    int deepest = 0;
    auto sort = [&](auto& self, int l, int r, int depth) -> void {
        deepest = std::max(deepest, depth);
        int i = l, j = r;
        const int pivot = items[static_cast<std::size_t>((l + r) / 2)];
        do {
            while (items[static_cast<std::size_t>(i)] < pivot) ++i;
            while (pivot < items[static_cast<std::size_t>(j)]) --j;
            if (i <= j) std::swap(items[static_cast<std::size_t>(i++)], items[static_cast<std::size_t>(j--)]);
        } while (i <= j);
        if (l < j) self(self, l, j, depth + 1);
        if (i < r) self(self, i, r, depth + 1);
    };
    sort(sort, 0, static_cast<int>(items.size()) - 1, 1);
    return deepest;
}

TEST(HoareQuicksort, StaysShallowWhereRecursingIntoBothPartsGoesDeep) {
    const int n = 3000;
    const std::vector<int> values = unluckyOrder(n);

    // Recursing into both parts would nest about one call per row.
    EXPECT_GT(plainRecursionDepth(values), n / 4);

    // The stack the comparisons run on stays within a few frames.
    std::vector<int> items = values;
    char base = 0;
    std::uintptr_t lowest = reinterpret_cast<std::uintptr_t>(&base);
    auto compare = [&lowest](int a, int b) {
        char probe = 0;
        lowest = std::min(lowest, reinterpret_cast<std::uintptr_t>(&probe));
        return a < b ? -1 : a > b ? 1 : 0;
    };
    hoareQuicksort(items, 0, n - 1, compare, false);
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
    EXPECT_LT(reinterpret_cast<std::uintptr_t>(&base) - lowest, 32u * 1024u);
}

}  // namespace
}  // namespace tabulyst::testing
