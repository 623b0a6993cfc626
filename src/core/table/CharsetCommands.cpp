#include "core/table/CharsetCommands.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/AtExit.h"
#include "core/window/Commands.h"
#include "core/grid/GridUpdateScope.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Platform.h"
#include "core/document/TableDocument.h"
#include "core/table/CharsetConversions.h"

namespace tabulyst {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool hasDataCell(const StringGrid& grid) { return grid.colCount() > 1 && grid.rowCount() > 1; }

// Rewrites the data cells of every row through convert (text in, converted text
// out, false when it stays as it is), one whole row at a time. True when a
// cell changed.
template <class Convert>
bool convertRows(StringGrid& grid, Convert convert) {
    bool changed = false;
    std::vector<std::string> converted;
    std::vector<std::string_view> views;
    for (int y = 1; y < grid.rowCount(); ++y) {
        const RowCells& row = grid.rowCells(y);
        const std::size_t stored = std::min<std::size_t>(row.size(), static_cast<std::size_t>(grid.colCount()));
        if (stored < 2) continue;
        converted.resize(stored);
        views.assign(stored, {});
        bool rowChanged = false;
        for (std::size_t x = 0; x < stored; ++x) {
            views[x] = row.cell(x);
            if (x == 0) continue;  // the row number
            if (convert(views[x], converted[x])) {
                views[x] = converted[x];
                rowChanged = true;
            }
        }
        if (!rowChanged) continue;
        changed = true;
        grid.setRowCells(y, RowCells::fromCells(views));
    }
    return changed;
}

}  // namespace

CharsetCommands::CharsetCommands(TableDocument& document, Commands& commands, BusyIndicator* busy)
    : grid_(document.StrGrid), cells_(document.journal), busy_(busy), document_(document) {
    commands.on("mnuMainOEMToChar", [this] { mnuMainOEMToCharClick(); });
    commands.on("mnuMainChartoOEM", [this] { mnuMainChartoOEMClick(); });
    commands.on("mnuMainUTF8toAnsi", [this] { mnuMainUTF8toAnsiClick(true); });
    commands.on("mnuMainAnsiToUTF8", [this] { mnuMainAnsiToUTF8Click(true); });
}

void CharsetCommands::mnuMainOEMToCharClick() { convertJournaled(oemToCharTable()); }
void CharsetCommands::mnuMainChartoOEMClick() { convertJournaled(charToOemTable()); }

void CharsetCommands::convertJournaled(const unsigned char* table) {
    AtExit modified([this] { cells_.SetModified(true); });
    BusyCursor cursor(busy_);
    GridUpdateScope update(grid_);
    std::string text;
    // Column by column, so the journal holds the changes in that order.
    for (int x = 1; x < grid_.colCount(); ++x) {
        for (int y = 1; y < grid_.rowCount(); ++y) {
            std::string_view cell = grid_.cell(x, y);
            // The conversion works on a zero-terminated copy: a zero byte ends the text.
            std::string_view before = cell.substr(0, cell.find('\0'));
            bool same = before.size() == cell.size() &&
                        std::all_of(cell.begin(), cell.end(), [table](char c) {
                            return table[static_cast<unsigned char>(c)] == static_cast<unsigned char>(c);
                        });
            if (same) continue;  // storing the same text would record nothing
            text.assign(before);
            for (char& c : text) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
            cells_.ChangeCell(x, y, text);
        }
    }
    // What storing every cell, changed or not, leaves behind.
    if (hasDataCell(grid_)) {
        cells_.noteDirectWrite();
        cells_.JumpPos = cells_.JournalPos;
    }
}

void CharsetCommands::userDone() {
    document_.setEncoding({});
}

void CharsetCommands::mnuMainUTF8toAnsiClick(bool byUser) {
    bool changed = false;
    AtExit done([this, &changed, byUser] {
        if (changed) cells_.SetModified(true);
        if (byUser) userDone();
    });
    BusyCursor cursor(busy_);
    GridUpdateScope update(grid_);
    if (!hasDataCell(grid_)) return;
    std::string_view first = grid_.cell(1, 1);
    if (first.size() > 2 && first.starts_with(kByteOrderMark)) {
        grid_.setCell(1, 1, std::string(first.substr(kByteOrderMark.size())));
        changed = true;
    }
    if (convertRows(grid_, [](std::string_view in, std::string& out) {
            if (!mayHoldUtf8(in)) return false;
            out = Utf8ToAnsiText(in);
            return out != in;
        }))
        changed = true;
}

void CharsetCommands::mnuMainAnsiToUTF8Click(bool byUser) {
    AtExit done([this, byUser] {
        cells_.SetModified(true);
        if (byUser) userDone();
    });
    BusyCursor cursor(busy_);
    GridUpdateScope update(grid_);
    convertRows(grid_, [](std::string_view in, std::string& out) {
        bool candidate = std::any_of(in.begin(), in.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0xA1 || c == '#';
        });
        if (!candidate) return false;
        out = AnsiToUtf8Text(in);
        return out != in;
    });
    if (hasDataCell(grid_)) grid_.setCell(1, 1, std::string(kByteOrderMark) + grid_.cellText(1, 1));
}

}  // namespace tabulyst
