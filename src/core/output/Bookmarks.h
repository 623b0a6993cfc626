#pragma once
// The bookmark list: 1024 cell slots whose used ones form a prefix.
#include <array>

namespace tabulyst {

class Commands;

struct BookmarkSlot {
    int col = -1;
    int row = -1;
};

class Bookmarks {
public:
    static constexpr int kSlots = 1024;
    explicit Bookmarks(Commands& commands) : commands_(commands) {}

    std::array<BookmarkSlot, kSlots> BookmarkList{};
    int BookmarkCursor = -1;

    bool IsBookmarked(int col, int row) const;
    bool empty() const { return BookmarkList[0].col == -1; }
    // Frees every slot and resets the cursor (the journal clear does this).
    void clear();
    // The next, previous and delete commands are enabled exactly when a bookmark exists.
    void UpdateBookmarkCommands();

private:
    Commands& commands_;
};

}  // namespace tabulyst
