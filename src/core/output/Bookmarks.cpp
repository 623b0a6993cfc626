#include "core/output/Bookmarks.h"

#include "core/app/Commands.h"

namespace tabulyst {

bool Bookmarks::IsBookmarked(int col, int row) const {
    for (const auto& slot : BookmarkList) {
        if (slot.col == -1) return false;
        if (slot.col == col && slot.row == row) return true;
    }
    return false;
}

void Bookmarks::clear() {
    BookmarkList.fill(BookmarkSlot{});
    BookmarkCursor = -1;
    UpdateBookmarkCommands();
}

void Bookmarks::UpdateBookmarkCommands() {
    bool any = !empty();
    for (auto name : {"mnuMainNextBookMark", "mnuMainPrevBookMark", "mnuMainDeleteBookMarks"})
        commands_.setEnabled(name, any);
}

}  // namespace tabulyst
