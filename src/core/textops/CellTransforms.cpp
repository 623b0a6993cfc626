#include "core/textops/CellTransforms.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>
#include <vector>

#include "core/base/AtExit.h"
#include "core/window/Commands.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Locale.h"
#include "core/platform/Platform.h"
#include "core/document/EditJournal.h"
#include "core/text/CaseMapping.h"
#include "core/text/TextLength.h"

namespace tabulyst {

namespace {

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view leftTrimmed(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlankOrControl(s[i])) ++i;
    return s.substr(i);
}

std::string_view rightTrimmed(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && isBlankOrControl(s[n - 1])) --n;
    return s.substr(0, n);
}

void maximumLength(std::string_view s, std::size_t n, text::TextEncoding encoding, std::string& out) {
    out.assign(text::firstCharacters(s, n, encoding));
}

// The length field as a number: digits, perhaps a sign. A negative length
// (only pasting can enter one) is no length either.
std::optional<int> lengthOf(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// Storing a cell's own text again changes nothing but the journal cursors and
// the remembered text of the current cell, which the first store sets up for
// all the rest; so only the first cell and the changed ones are stored.
class CellWriter {
public:
    explicit CellWriter(EditJournal& cells) : cells_(cells) {}
    void write(int col, int row, std::string_view old, std::string_view text) {
        if (!first_ && old == text) return;
        first_ = false;
        buffer_.assign(text);  // text may lie in the cell about to change
        cells_.ChangeCell(col, row, buffer_);
    }

private:
    EditJournal& cells_;
    std::string buffer_;
    bool first_ = true;
};

}  // namespace

CellTransforms::CellTransforms(StringGrid& grid, EditJournal& cells, Commands& commands, Dialogs& dialogs,
                               BusyIndicator* busy, const Locale& locale, std::function<text::TextEncoding()> cellEncoding)
    : valueDialog(dialogs),
      grid_(grid),
      cells_(cells),
      dialogs_(dialogs),
      busy_(busy),
      locale_(locale),
      cellEncoding_(std::move(cellEncoding)) {
    commands.on("mnuMainChangeCaseToUpper", [this] { mnuMainChangeCaseToUpperClick(); });
    commands.on("mnuMainChangeCaseToLower", [this] { mnuMainChangeCaseToLowerClick(); });
    commands.on("mnuMainChangeCaseToCapitalize", [this] { mnuMainChangeCaseToCapitalizeClick(); });
    commands.on("mnuMainLeftTrim", [this] { mnuMainLeftTrimClick(); });
    commands.on("mnuMainRightTrim", [this] { mnuMainRightTrimClick(); });
    commands.on("mnuFixLength", [this] { mnuFixLengthClick(); });
    commands.on("mnuCutCellLength", [this] { mnuCutCellLengthClick(); });
    commands.on("mnuInsertTimeStamp", [this] { mnuInsertTimeStampClick(); });
    commands.on("tbtTimeMark", [this] { mnuInsertTimeStampClick(); });
}

void CellTransforms::eachSelected(const std::function<void(std::string_view, std::string&)>& convert) {
    const GridRect sel = grid_.selection();
    AtExit done([this, sel] {
        cells_.SetModified(true);
        grid_.setSelection(sel);
    });
    grid_.beginUpdate();
    AtExit redraw([this] { grid_.endUpdate(); });
    CellWriter writer(cells_);
    std::string text;
    for (int y = sel.top; y <= sel.bottom; ++y) {
        for (int x = sel.left; x <= sel.right; ++x) {
            // A cell that fails is left as it was; the others still change.
            try {
                const std::string_view old = grid_.cell(x, y);
                convert(old, text);
                writer.write(x, y, old, text);
            } catch (const std::exception&) {
            }
        }
    }
}

// The cells go column by column, each changed one through the journal. Of a
// long run only the last changes stay in the journal's ring, so the changes
// before them are written row by row without an entry, which keeps the rows
// in the cache: the table and the journal end as the plain walk leaves them.
void CellTransforms::eachDataCell(std::string_view (*keep)(std::string_view)) {
    AtExit modified([this] { cells_.SetModified(true); });
    BusyCursor cursor(busy_);
    grid_.beginUpdate();
    AtExit redraw([this] { grid_.endUpdate(); });
    // Row 0 and column 0 hold the numbers, whatever is frozen.
    const int cols = grid_.colCount(), rows = grid_.rowCount();
    if (cols < 2 || rows < 2) return;
    auto changes = [&](int x, int y) {
        const std::string_view text = grid_.cell(x, y);
        return keep(text).size() != text.size();
    };
    CellWriter writer(cells_);
    writer.write(1, 1, grid_.cell(1, 1), keep(grid_.cell(1, 1)));

    // The changes after cell (1, 1), counted per column in one pass along the rows.
    std::vector<int> perColumn(static_cast<std::size_t>(cols), 0);
    for (int y = 1; y < rows; ++y)
        for (int x = 1; x < cols; ++x)
            if ((x > 1 || y > 1) && changes(x, y)) ++perColumn[static_cast<std::size_t>(x)];

    // Where the changes begin that the ring keeps (the first of the last ones).
    constexpr int kRingRoom = EditJournal::kJournalSize - 1;
    int tailCol = 1, tailRow = 2, kept = 0;
    bool ringFull = false;
    for (int x = cols - 1; x >= 1 && !ringFull; --x) {
        const int count = perColumn[static_cast<std::size_t>(x)];
        if (kept + count < kRingRoom) {
            kept += count;
            continue;
        }
        ringFull = true;
        tailCol = x;
        for (int y = rows - 1; kept < kRingRoom; --y)
            if (changes(x, y)) {
                ++kept;
                tailRow = y;
            }
    }
    if (ringFull) {
        auto beforeTail = [&](int x, int y) { return x < tailCol || (x == tailCol && y < tailRow); };
        long long skipped = 0;
        for (int y = 1; y < rows; ++y)
            for (int x = 1; x < cols && beforeTail(x, y); ++x) {
                if (x == 1 && y == 1) continue;
                const std::string_view text = grid_.cell(x, y);
                const std::string_view rest = keep(text);
                if (rest.size() == text.size()) continue;
                grid_.setCell(x, y, rest);
                ++skipped;
            }
        // As the journaled writes in between would have left the cursor and
        // the current cell's text; their entries the tail overwrites anyway.
        if (skipped > 0)
            cells_.JournalPos = static_cast<int>((cells_.JournalPos + skipped) % EditJournal::kJournalSize);
        cells_.noteDirectWrite();
    }
    for (int x = tailCol; x < cols; ++x) {
        if (perColumn[static_cast<std::size_t>(x)] == 0) continue;
        for (int y = x == tailCol ? tailRow : 1; y < rows; ++y) {
            const std::string_view old = grid_.cell(x, y);
            writer.write(x, y, old, keep(old));
        }
    }
}

void CellTransforms::changeCase(CaseRule rule) {
    const text::TextEncoding encoding = cellEncoding_();
    eachSelected([this, rule, encoding](std::string_view in, std::string& out) { rule(in, encoding, locale_, out); });
}

void CellTransforms::mnuMainChangeCaseToUpperClick() { changeCase(text::upperCase); }
void CellTransforms::mnuMainChangeCaseToLowerClick() { changeCase(text::lowerCase); }
void CellTransforms::mnuMainChangeCaseToCapitalizeClick() { changeCase(text::capitalizedWords); }

void CellTransforms::mnuMainLeftTrimClick() { eachDataCell(leftTrimmed); }
void CellTransforms::mnuMainRightTrimClick() { eachDataCell(rightTrimmed); }

void CellTransforms::askLength(const char* caption, const char* label, LengthRule apply) {
    if (!valueDialog.AskValue(std::to_string(LastCellLength), caption, label, kLengthMaxChars,
                                    kLengthCharacters))
        return;
    const std::optional<int> length = lengthOf(valueDialog.GetValue());
    if (!length) {
        dialogs_.showMessage(kInvalidInput);
        return;
    }
    LastCellLength = *length;
    const auto n = static_cast<std::size_t>(*length);
    const text::TextEncoding encoding = cellEncoding_();
    eachSelected([apply, n, encoding](std::string_view in, std::string& out) { apply(in, n, encoding, out); });
}

void CellTransforms::mnuFixLengthClick() {
    askLength("Neue, feste Zellenlänge eingeben", "Feste Zellenlänge", text::fixedLength);
}

void CellTransforms::mnuCutCellLengthClick() {
    askLength("Neue, maximale Zellenlänge eingeben", "Maximale Zellenlänge", maximumLength);
}

void CellTransforms::mnuInsertTimeStampClick() {
    cells_.ChangeCell(grid_.col(), grid_.row(), formatDateTime(now(), locale_));
    cells_.SetModified(true);
}

}  // namespace tabulyst
