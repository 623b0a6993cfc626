#include "core/output/Bookmarks.h"

#include <algorithm>

#include "core/window/Commands.h"
#include "core/grid/CellMoves.h"
#include "core/grid/StringGrid.h"

namespace tabulyst {

Bookmarks::Bookmarks(Commands& commands, StringGrid& grid) : commands_(commands), grid_(grid) {
    commands.on("mnuMainToggleBookMark", [this] { btnSetBookMarkClick(); });
    commands.on("btnSetBookMark", [this] { btnSetBookMarkClick(); });
    commands.on("mnuMainNextBookMark", [this] { btnNextBookMarkClick(); });
    commands.on("btnNextBookMark", [this] { btnNextBookMarkClick(); });
    commands.on("mnuMainPrevBookMark", [this] { btnPrevBookMarkClick(); });
    commands.on("btnPrevBookMark", [this] { btnPrevBookMarkClick(); });
    commands.on("mnuMainDeleteBookMarks", [this] { btnDeleteBookMarksClick(); });
    commands.on("btnDeleteBookMarks", [this] { btnDeleteBookMarksClick(); });
}

bool Bookmarks::IsBookmarked(int col, int row) const {
    return !lookup_.empty() && std::binary_search(lookup_.begin(), lookup_.end(), key(col, row));
}

void Bookmarks::RemoveBookmark(int col, int row) {
    auto slot = std::find_if(BookmarkList.begin(), BookmarkList.end(),
                             [&](const BookmarkSlot& s) { return s.col == col && s.row == row; });
    if (slot == BookmarkList.end()) return;
    std::move(slot + 1, BookmarkList.end(), slot);
    BookmarkList.back() = BookmarkSlot{};
}

int Bookmarks::lastUsedSlot() const {
    for (int slot = kSlots - 1; slot >= 0; --slot)
        if (used(slot)) return slot;
    return -1;
}

void Bookmarks::clear() {
    BookmarkList.fill(BookmarkSlot{});
    BookmarkCursor = -1;
    UpdateBookmarkCommands();
}

void Bookmarks::UpdateBookmarkCommands() {
    lookup_.clear();
    for (const auto& slot : BookmarkList)
        if (slot.col != -1) lookup_.push_back(key(slot.col, slot.row));
    std::sort(lookup_.begin(), lookup_.end());
    bool any = !empty();
    for (auto name : {"mnuMainNextBookMark", "mnuMainPrevBookMark", "mnuMainDeleteBookMarks"})
        commands_.setEnabled(name, any);
}

void Bookmarks::btnSetBookMarkClick() {
    const int col = grid_.col(), row = grid_.row();
    if (IsBookmarked(col, row)) {
        RemoveBookmark(col, row);
    } else {
        auto free = std::find_if(BookmarkList.begin(), BookmarkList.end(), [](const BookmarkSlot& s) { return s.col == -1; });
        // A full list gives up its oldest bookmark.
        *(free == BookmarkList.end() ? BookmarkList.begin() : free) = BookmarkSlot{col, row};
    }
    UpdateBookmarkCommands();
    grid_.repaint();
}

void Bookmarks::visit(int slot) {
    const BookmarkSlot target = BookmarkList[static_cast<std::size_t>(slot)];
    moveCurrentToward(grid_, target.col, target.row);
}

void Bookmarks::btnNextBookMarkClick() {
    ++BookmarkCursor;
    if (BookmarkCursor > kSlots - 1) BookmarkCursor = 0;
    if (!used(BookmarkCursor)) BookmarkCursor = 0;
    if (!used(0)) {
        BookmarkCursor = -1;
        return;
    }
    visit(BookmarkCursor);
}

void Bookmarks::btnPrevBookMarkClick() {
    if (BookmarkCursor > 0) --BookmarkCursor;
    else BookmarkCursor = lastUsedSlot();
    if (BookmarkCursor < 0) return;
    // The list may have shrunk below the cursor since it was set.
    if (!used(BookmarkCursor)) BookmarkCursor = lastUsedSlot();
    if (BookmarkCursor < 0) return;
    visit(BookmarkCursor);
}

void Bookmarks::btnDeleteBookMarksClick() {
    clear();
    grid_.repaint();
}

}  // namespace tabulyst
