#include <gtest/gtest.h>

#include "core/output/CellPainter.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using namespace cellcolours;

class CellPainterTest : public FormFixture {
protected:
    CellPainterTest() {
        fill(8, 8);
        bookmark(3, 4);
    }
    void bookmark(int col, int row) {
        grid().setCurrent(col, row);
        commands().trigger("mnuMainToggleBookMark");
    }
    CellLook look(int col, int row, CellDrawState state) {
        return StrGridDrawCell(col, row, state, form->bookmarks, form->document.sort);
    }
    static constexpr CellDrawState kPlain{};
    static constexpr CellDrawState kFixed{false, true, true};
    static constexpr CellDrawState kSelectedFocused{true, false, true};
    static constexpr CellDrawState kSelectedWithoutFocus{true, false, false};
};

TEST_F(CellPainterTest, TheFirstRuleThatAppliesWins) {
    const CellLook bookmarkedSelected{kSelectedBookmarked, kSelectedText, true};
    const CellLook highlighted{Colour::of(SystemColour::Highlight), kSelectedText, true};
    const CellLook unfocused{kSelectedUnfocused, kSelectedText, true};
    const CellLook header{Colour::of(SystemColour::ButtonFace), kText, false};
    const CellLook frozen{kFrozen, kText, false};
    const CellLook bookmarked{kBookmarked, kText, false};
    const CellLook plain{Colour::of(SystemColour::Window), kText, false};
    struct Case {
        int col, row;
        CellDrawState state;
        CellLook expected;
    } cases[] = {
        {3, 4, kSelectedFocused, bookmarkedSelected},  // (0, 111, 111)
        {2, 4, kSelectedFocused, highlighted},
        {3, 4, kSelectedWithoutFocus, unfocused},         // (64, 64, 240), bookmarked or not
        {2, 4, kSelectedWithoutFocus, unfocused},
        {3, 0, kFixed, header},
        {0, 4, kFixed, header},
        {0, 0, kFixed, header},
        {3, 4, kFixed, frozen},                        // a frozen bookmarked cell stays yellow
        {2, 2, kFixed, frozen},
        {3, 4, kPlain, bookmarked},
        {3, 5, kPlain, plain},
        {4, 3, kPlain, plain},                         // the mirrored position is no bookmark
    };
    for (const auto& c : cases)
        EXPECT_EQ(look(c.col, c.row, c.state), c.expected) << c.col << "," << c.row;
}

TEST_F(CellPainterTest, SortMarksColourOnlyTheHeaderRow) {
    form->document.sort.SortIndicatorColumn = 2;
    EXPECT_EQ(look(2, 0, kFixed).background, Colour::rgb(255, 0, 0));
    EXPECT_EQ(look(3, 0, kFixed).background, Colour::of(SystemColour::ButtonFace));
    EXPECT_EQ(look(2, 1, kFixed).background, kFrozen);  // a frozen row below it
    EXPECT_EQ(look(2, 3, kPlain).background, Colour::of(SystemColour::Window));

    // Several keys: each its colour, key 1 first; the indicator column alone counts no more.
    form->document.sort.MultiKeySort = true;
    form->document.sort.SortKeyColumns = {5, 2, 7, 1, 3};
    form->document.sort.SortIndicatorColumn = 4;
    const Colour expected[] = {Colour::rgb(255, 0, 0), Colour::rgb(192, 64, 0), Colour::rgb(128, 128, 0),
                               Colour::rgb(64, 192, 0), Colour::rgb(0, 255, 0)};
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(look(form->document.sort.SortKeyColumns[k], 0, kFixed).background, expected[k]) << "key " << k + 1;
    EXPECT_EQ(look(4, 0, kFixed).background, Colour::of(SystemColour::ButtonFace));
}

}  // namespace
}  // namespace tabulyst::testing
