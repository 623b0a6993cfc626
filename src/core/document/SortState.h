#pragma once
// What the last sort used; painted on the headers and remapped by column drags.
#include <array>

namespace tabulyst {

struct SortState {
    std::array<int, 5> SortKeyColumns{-1, -1, -1, -1, -1};  // key 1 first
    int SortKeyCount = -1;
    int SortIndicatorColumn = -1;
    bool SortDescending = false;
    bool MultiKeySort = false;
    int HeaderPressColumn = -1;

    void reset() {
        SortKeyColumns.fill(-1);
        SortKeyCount = -1;
        SortIndicatorColumn = -1;
    }
};

}  // namespace tabulyst
