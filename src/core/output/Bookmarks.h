#pragma once
// The bookmark list: 1024 cell slots whose used ones form a prefix, in the
// order the bookmarks were set, and the commands that toggle and visit them.
#include <array>
#include <cstdint>
#include <vector>

namespace tabulyst {

class Commands;
class StringGrid;

struct BookmarkSlot {
    int col = -1;
    int row = -1;
};

class Bookmarks {
public:
    static constexpr int kSlots = 1024;
    Bookmarks(Commands& commands, StringGrid& grid);

    // Changed through the methods below; whoever writes a slot directly calls
    // UpdateBookmarkCommands afterwards, which also refreshes the lookup.
    std::array<BookmarkSlot, kSlots> BookmarkList{};
    int BookmarkCursor = -1;

    // Painting asks this for every visible cell, so it looks the position up
    // in a sorted copy of the used slots instead of scanning all of them.
    bool IsBookmarked(int col, int row) const;
    // Frees the slot holding the position; the later slots move down by one.
    void RemoveBookmark(int col, int row);
    bool empty() const { return BookmarkList[0].col == -1; }
    // Frees every slot and resets the cursor (the journal clear does this).
    void clear();
    // The next, previous and delete commands are enabled exactly when a bookmark exists.
    void UpdateBookmarkCommands();

    void btnSetBookMarkClick();
    void btnNextBookMarkClick();
    void btnPrevBookMarkClick();
    void btnDeleteBookMarksClick();

private:
    static std::uint64_t key(int col, int row) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(col)) << 32) | static_cast<std::uint32_t>(row);
    }
    bool used(int slot) const { return BookmarkList[static_cast<std::size_t>(slot)].col != -1; }
    // The highest used slot, or -1.
    int lastUsedSlot() const;
    void visit(int slot);

    Commands& commands_;
    StringGrid& grid_;
    std::vector<std::uint64_t> lookup_;  // keys of the used slots, sorted
};

}  // namespace tabulyst
