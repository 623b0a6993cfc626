#include "core/table/CharsetCommands.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/AtExit.h"
#include "core/document/TableDocument.h"
#include "core/grid/GridUpdateScope.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Platform.h"
#include "core/platform/Utf8Codec.h"
#include "core/table/CharsetConversions.h"
#include "core/text/CodePageText.h"
#include "core/text/Utf8Text.h"
#include "core/window/Commands.h"
#include "core/window/StatusLine.h"

namespace tabulyst {

namespace {

constexpr int kRowsPerReport = 8192;
constexpr std::string_view kConvertingCaption = "Zeichensatz wird umgewandelt …";

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool hasDataCell(const StringGrid& grid) { return grid.colCount() > 1 && grid.rowCount() > 1; }

// Calls each(col, row, text) for every stored data cell, row by row.
template <class Each>
void eachDataCell(const StringGrid& grid, Each each) {
    for (int y = 1; y < grid.rowCount(); ++y) {
        const RowCells& row = grid.rowCells(y);
        const std::size_t stored = std::min<std::size_t>(row.size(), static_cast<std::size_t>(grid.colCount()));
        for (std::size_t x = 1; x < stored; ++x) each(static_cast<int>(x), y, row.cell(x));
    }
}

// Rewrites the data cells of every row through convert (text in, converted text
// out, false when it stays as it is), one whole row at a time. True when a
// cell changed.
template <class Convert>
bool convertRows(StringGrid& grid, Convert convert, ProgressScope& progress) {
    bool changed = false;
    std::vector<std::string> converted;
    std::vector<std::string_view> views;
    const auto rows = static_cast<std::uint64_t>(grid.rowCount());
    for (int y = 1; y < grid.rowCount(); ++y) {
        if (y % kRowsPerReport == 0) progress.report(static_cast<std::uint64_t>(y), rows);
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

// Writes every data cell and every text of the undo journal over into another
// encoding through convert and makes it the table's: an undo afterwards
// writes text of the new encoding. True when a cell changed.
template <class Convert>
bool changeEncoding(TableDocument& document, const FileEncoding& encoding, Convert convert, Progress* progress) {
    StringGrid& grid = document.StrGrid;
    EditJournal& journal = document.journal;
    // Journaled first, the edit under way is written over with the others.
    if (journal.hasPendingEdit()) journal.RecordPendingEdit(grid.col(), grid.row());
    ProgressScope shown(progress, kConvertingCaption);
    const bool changed = convertRows(grid, convert, shown);
    std::string out;
    for (JournalEntry& entry : journal.Journal) {
        if (entry.empty()) continue;
        for (std::string* text : {&entry.oldText, &entry.newText})
            if (convert(*text, out)) text->swap(out);
    }
    journal.noteDirectWrite();
    document.setEncoding(encoding);
    return changed;
}

bool utf8Converted(std::string_view windows1252, std::string& out) {
    if (text::isAscii(windows1252)) return false;
    out.clear();
    appendUtf8FromWindows1252(out, windows1252);
    return true;
}

// How many characters of the data cells Windows-1252 lacks, and where the
// first of them is, reading row by row.
struct TableLoss {
    std::size_t count = 0;
    char32_t first = 0;
    int col = 0, row = 0;
};

TableLoss lossInWindows1252(const StringGrid& grid) {
    TableLoss loss;
    eachDataCell(grid, [&loss](int col, int row, std::string_view cell) {
        if (text::isAscii(cell)) return;
        const text::LackingCharacters lacking = text::lackingInWindows1252(cell);
        if (lacking.count == 0) return;
        if (loss.count == 0) loss = {0, lacking.first, col, row};
        loss.count += lacking.count;
    });
    return loss;
}

// The question before converting loses them.
std::string lossQuestion(const TableLoss& loss) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(loss.first));
    std::string character;
    text::appendUtf8(character, loss.first);
    const std::string where = "\u201E" + character + "\u201C (" + code + ") in Spalte " + std::to_string(loss.col) +
                              ", Zeile " + std::to_string(loss.row) + ". ";
    if (loss.count == 1)
        return "1 Zeichen fehlt in Windows-1252: " + where + "Es wird zu \u201E?\u201C. Trotzdem umwandeln?";
    return std::to_string(loss.count) + " Zeichen fehlen in Windows-1252, das erste ist " + where +
           "Sie werden zu \u201E?\u201C. Trotzdem umwandeln?";
}

bool mapsToItself(std::string_view text, const unsigned char* table) {
    return std::all_of(text.begin(), text.end(), [table](char c) {
        return table[static_cast<unsigned char>(c)] == static_cast<unsigned char>(c);
    });
}

}  // namespace

bool convertTableToUtf8(TableDocument& document, BusyIndicator* busy, Progress* progress) {
    if (document.format().encoding.utf8) return false;
    AtExit modified([&document] { document.journal.SetModified(true); });
    BusyCursor cursor(busy);
    GridUpdateScope update(document.StrGrid);
    changeEncoding(document, {.byteOrderMark = true, .utf8 = true}, utf8Converted, progress);
    return true;
}

CharsetCommands::CharsetCommands(TableDocument& document, Commands& commands, Dialogs& dialogs, StatusLine& status,
                                 BusyIndicator* busy, Progress* progress)
    : grid_(document.StrGrid), cells_(document.journal), dialogs_(dialogs), status_(status), busy_(busy),
      progress_(progress), document_(document) {
    commands.on("mnuMainOEMToChar", [this] { mnuMainOEMToCharClick(); });
    commands.on("mnuMainChartoOEM", [this] { mnuMainChartoOEMClick(); });
    commands.on("mnuMainUTF8toAnsi", [this] { mnuMainUTF8toAnsiClick(); });
    commands.on("mnuMainAnsiToUTF8", [this] { mnuMainAnsiToUTF8Click(); });
}

void CharsetCommands::mnuMainOEMToCharClick() { convertJournaled(oemToCharTable()); }
void CharsetCommands::mnuMainChartoOEMClick() { convertJournaled(charToOemTable()); }

void CharsetCommands::convertJournaled(const unsigned char* table) {
    AtExit modified([this] { cells_.SetModified(true); });
    BusyCursor cursor(busy_);
    GridUpdateScope update(grid_);
    const bool utf8 = document_.format().encoding.utf8;
    std::string text;
    ProgressScope progress(progress_, kConvertingCaption);
    const auto rows = static_cast<std::uint64_t>(grid_.rowCount());
    const std::uint64_t cells = rows * static_cast<std::uint64_t>(std::max(grid_.colCount() - 1, 1));
    // Column by column, so the journal holds the changes in that order.
    for (int x = 1; x < grid_.colCount(); ++x) {
        for (int y = 1; y < grid_.rowCount(); ++y) {
            if (y % kRowsPerReport == 0) progress.report(static_cast<std::uint64_t>(x - 1) * rows + static_cast<std::uint64_t>(y), cells);
            std::string_view cell = grid_.cell(x, y);
            // The conversion works on a zero-terminated copy: a zero byte ends the text.
            std::string_view before = cell.substr(0, cell.find('\0'));
            // Storing the same text would record nothing.
            if (before.size() == cell.size() && (!utf8 || text::isAscii(cell)) && mapsToItself(cell, table)) continue;
            if (utf8) {
                text::mapWindows1252Characters(before, table, text);
            } else {
                text.assign(before);
                for (char& c : text) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
            }
            if (text != cell) cells_.ChangeCell(x, y, text);
        }
    }
    // What storing every cell, changed or not, leaves behind.
    if (hasDataCell(grid_)) {
        cells_.noteDirectWrite();
        cells_.JumpPos = cells_.JournalPos;
    }
}

void CharsetCommands::mnuMainUTF8toAnsiClick() {
    const FileEncoding encoding = document_.format().encoding;
    bool changed = false;
    AtExit done([this, &changed] {
        if (changed) cells_.SetModified(true);
    });
    if (encoding.utf8) {
        TableLoss loss;
        {
            BusyCursor counting(busy_);
            loss = lossInWindows1252(grid_);
        }
        // Yes loses characters: Enter keeps them.
        if (loss.count > 0 && !dialogs_.confirm(lossQuestion(loss), DefaultAnswer::No)) return;
        BusyCursor cursor(busy_);
        grid_.closeEditor();  // it would go on writing text of the old encoding
        GridUpdateScope update(grid_);
        text::LackingCharacters lost;
        changed = changeEncoding(document_, {}, [&lost](std::string_view in, std::string& out) {
            if (text::isAscii(in)) return false;
            text::windows1252FromUtf8(in, out, lost);
            return out != in;
        }, progress_);
        // Without the mark the file is written otherwise even when no cell changed.
        changed = changed || encoding.byteOrderMark;
        return;
    }
    BusyCursor cursor(busy_);
    GridUpdateScope update(grid_);
    // The mark a file that is no UTF-8 after all came with goes as well.
    if (encoding.byteOrderMark) {
        document_.setEncoding({});
        changed = true;
    }
    if (!hasDataCell(grid_)) return;
    std::string_view first = grid_.cell(1, 1);
    if (first.size() > 2 && first.starts_with(kByteOrderMark)) {
        grid_.setCell(1, 1, std::string(first.substr(kByteOrderMark.size())));
        changed = true;
    }
    ProgressScope progress(progress_, kConvertingCaption);
    if (convertRows(grid_, [](std::string_view in, std::string& out) {
            if (!mayHoldUtf8(in)) return false;
            out = Utf8ToAnsiText(in);
            return out != in;
        }, progress))
        changed = true;
}

void CharsetCommands::mnuMainAnsiToUTF8Click() {
    if (document_.format().encoding.utf8) {
        status_.ShowStatusText(kAlreadyUtf8);
        return;
    }
    grid_.closeEditor();  // it would go on writing text of the old encoding
    convertTableToUtf8(document_, busy_, progress_);
}

}  // namespace tabulyst
