#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Cell = std::pair<int, int>;

class BookmarksTest : public FormFixture {
protected:
    Bookmarks& bookmarks() { return form->bookmarks; }
    void toggle(int col, int row) {
        grid().setCurrent(col, row);
        commands().trigger("mnuMainToggleBookMark");
    }
    Cell next() { return runAndLocate("mnuMainNextBookMark"); }
    Cell previous() { return runAndLocate("mnuMainPrevBookMark"); }
    std::vector<Cell> list() {
        std::vector<Cell> out;
        for (const auto& s : bookmarks().BookmarkList)
            if (s.col != -1) out.emplace_back(s.col, s.row);
        return out;
    }
    bool commandsEnabled() {
        bool all = true, any = false;
        for (auto name : {"mnuMainNextBookMark", "mnuMainPrevBookMark", "mnuMainDeleteBookMarks", "btnNextBookMark",
                          "btnPrevBookMark", "btnDeleteBookMarks"}) {
            all = all && commands().enabled(name);
            any = any || commands().enabled(name);
        }
        EXPECT_EQ(all, any) << "the six commands go together";
        return all;
    }
};

TEST_F(BookmarksTest, TogglingAddsInOrderAndRemovingClosesTheGap) {
    fill(8, 10);
    EXPECT_FALSE(commandsEnabled());
    toggle(2, 2);
    EXPECT_TRUE(commandsEnabled());
    toggle(2, 2);  // twice on a cell leaves the list as it was
    EXPECT_TRUE(list().empty());
    EXPECT_FALSE(commandsEnabled());
    toggle(5, 9);
    toggle(2, 3);
    toggle(7, 1);
    toggle(4, 4);
    toggle(2, 3);  // a middle one: the later ones move down
    EXPECT_EQ(list(), (std::vector<Cell>{{5, 9}, {7, 1}, {4, 4}}));
    EXPECT_EQ(bookmarks().BookmarkList[3].col, -1);
    EXPECT_TRUE(bookmarks().IsBookmarked(7, 1));
    EXPECT_FALSE(bookmarks().IsBookmarked(2, 3));
    EXPECT_FALSE(bookmarks().IsBookmarked(1, 7));
    // Toggling does not move the cursor, and bookmarks are positions, not texts.
    EXPECT_EQ(bookmarks().BookmarkCursor, -1);
    grid().setCell(7, 1, "changed");
    EXPECT_TRUE(bookmarks().IsBookmarked(7, 1));
    // A slot written directly counts once the commands are updated.
    bookmarks().BookmarkList[3] = {6, 6};
    bookmarks().UpdateBookmarkCommands();
    EXPECT_TRUE(bookmarks().IsBookmarked(6, 6));
}

TEST_F(BookmarksTest, AFullListGivesUpSlotZero) {
    fill(34, 33);  // 33 x 32 data cells
    std::vector<Cell> set;
    for (int r = 1; r < 33 && set.size() < 1024; ++r)
        for (int c = 1; c < 34 && set.size() < 1024; ++c) {
            toggle(c, r);
            set.emplace_back(c, r);
        }
    ASSERT_EQ(list().size(), 1024u);
    toggle(33, 32);
    auto now = list();
    EXPECT_EQ(now.size(), 1024u);
    EXPECT_EQ(now[0], Cell(33, 32));
    EXPECT_EQ(now[1], set[1]);
    EXPECT_EQ(now[1023], set[1023]);
    EXPECT_FALSE(bookmarks().IsBookmarked(set[0].first, set[0].second));
    EXPECT_TRUE(bookmarks().IsBookmarked(33, 32));
}

TEST_F(BookmarksTest, NextAndPreviousFollowTheSettingOrderAndWrap) {
    fill(8, 10);
    toggle(5, 9);
    toggle(2, 3);
    toggle(7, 1);
    grid().setCurrent(1, 1);
    std::vector<Cell> visited;
    for (int i = 0; i < 4; ++i) visited.push_back(next());
    EXPECT_EQ(visited, (std::vector<Cell>{{5, 9}, {2, 3}, {7, 1}, {5, 9}}));

    commands().trigger("mnuMainDeleteBookMarks");
    toggle(5, 9);
    toggle(2, 3);
    toggle(7, 1);
    visited.clear();
    for (int i = 0; i < 4; ++i) visited.push_back(previous());
    EXPECT_EQ(visited, (std::vector<Cell>{{7, 1}, {2, 3}, {5, 9}, {7, 1}}));
}

TEST_F(BookmarksTest, AShrunkListSendsTheCursorToItsEnds) {
    fill(8, 10);
    // Five bookmarks, the cursor on the fifth, then two removed.
    auto shrink = [&] {
        commands().trigger("mnuMainDeleteBookMarks");
        for (int i = 1; i <= 5; ++i) toggle(i, i);
        for (int i = 0; i < 5; ++i) next();
        ASSERT_EQ(bookmarks().BookmarkCursor, 4);
        toggle(2, 2);
        toggle(4, 4);
        grid().setCurrent(7, 7);
    };
    shrink();
    EXPECT_EQ(previous(), Cell(5, 5));  // the last remaining, now the third
    EXPECT_EQ(bookmarks().BookmarkCursor, 2);
    shrink();
    EXPECT_EQ(next(), Cell(1, 1));  // past the end: the first
    EXPECT_EQ(bookmarks().BookmarkCursor, 0);
}

TEST_F(BookmarksTest, AnEmptyListMovesNothingAndDeleteAllEmptiesIt) {
    fill(8, 10);
    grid().setCurrent(3, 3);
    form->bookmarks.btnNextBookMarkClick();  // the disabled commands run anyway
    form->bookmarks.btnPrevBookMarkClick();
    EXPECT_EQ(current(), Cell(3, 3));
    EXPECT_EQ(bookmarks().BookmarkCursor, -1);

    toggle(2, 2);
    toggle(4, 4);
    next();
    commands().trigger("btnDeleteBookMarks");
    EXPECT_TRUE(list().empty());
    EXPECT_FALSE(bookmarks().IsBookmarked(2, 2));
    EXPECT_EQ(bookmarks().BookmarkCursor, -1);
    EXPECT_FALSE(commandsEnabled());
    // The first next after emptying goes to the oldest bookmark.
    toggle(6, 6);
    toggle(7, 7);
    EXPECT_EQ(next(), Cell(6, 6));
}

}  // namespace
}  // namespace tabulyst::testing
