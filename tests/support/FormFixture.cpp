#include "support/FormFixture.h"

#include <string>

namespace tabulyst::testing {

void FormFixture::fill(int cols, int rows) {
    grid().setColCount(cols);
    grid().setRowCount(rows);
    for (int r = 1; r < rows; ++r)
        for (int c = 1; c < cols; ++c) grid().setCell(c, r, std::to_string(c) + "," + std::to_string(r));
    journal().ClearJournal();
}

void FormFixture::type(const std::string& text) {
    grid().openEditor();
    grid().editorTextChanged(text);
}

}  // namespace tabulyst::testing
