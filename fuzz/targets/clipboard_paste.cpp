// Pasting clipboard text into the grid: in delimited mode each line (lines
// end at CR LF) is split by the same rule as a line of a table file, which
// the reader itself confirms for texts a file could hold; in fixed-length mode
// the text is cut by the lengths as the paste rule says. Nothing outside the
// pasted block changes, the modified state follows the changes, and undoing
// once per changed cell gives the table back.
//
// Input: the delimiter in its notation, or "=" and field lengths separated
// by commas; a line feed; the clipboard text (UTF-8, as the system's clipboard hands it).
#include <cstdint>
#include <string>
#include <vector>

#include "core/files/DelimiterNotation.h"
#include "core/files/FieldLength.h"
#include "core/files/Fields.h"
#include "core/files/TableReader.h"
#include "core/text/CodePageText.h"
#include "support/Check.h"
#include "support/FormHarness.h"
#include "support/Input.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

namespace {

constexpr int kCols = 8, kRows = 8;      // data cells of the grid
constexpr int kStartCol = 2, kStartRow = 3;
using Cells = std::vector<std::vector<std::string>>;  // [row][col], data cells from 1

std::string original(int c, int r) { return std::to_string(c) + "," + std::to_string(r); }

// One line break at the end goes: CR LF, LF CR, a lone CR or a lone LF.
std::string stripOneLineBreak(std::string text) {
    for (char first : {'\r', '\n'})
        if (!text.empty() && text.back() == first) {
            text.pop_back();
            if (!text.empty() && text.back() == (first == '\r' ? '\n' : '\r')) text.pop_back();
            break;
        }
    return text;
}

void put(Cells& cells, int c, int r, std::string text) {
    if (c >= 1 && c <= kCols && r >= 1 && r <= kRows) cells[r][c] = std::move(text);
}

std::vector<std::string_view> crLfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        std::size_t end = text.find("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + 2);
    }
}

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The fixed-length paste as its rule reads; false when it stops at a length.
bool pasteFixed(Cells& cells, std::string text, const std::vector<std::string>& lengths, bool& moved) {
    text += "\r\n";
    int i = kStartCol, j = kStartRow;
    std::size_t pos = 0;
    while (pos < text.size() && text.substr(pos) != "\r\n") {
        const auto field = static_cast<std::size_t>(i - kStartCol);
        const auto width = field < lengths.size() ? parseFieldLength(lengths[field]) : std::nullopt;
        if (!width) return false;
        std::string piece = text.substr(pos, static_cast<std::size_t>(*width));
        pos += piece.size();
        while (!piece.empty() && isBlankOrControl(piece.back())) piece.pop_back();
        while (!piece.empty() && isBlankOrControl(piece.front())) piece.erase(0, 1);
        put(cells, i++, j, piece);
        if (text.compare(pos, 2, "\r\n") == 0) {
            pos += 2;
            ++j;
            i = kStartCol;
        }
    }
    moved = i != kStartCol || j != kStartRow;
    return true;
}

// Reading the lines as a table file gives the same fields as the paste
// (where the file would not be read as UTF-8).
void checkAgainstReader(const FormHarness& harness, std::string_view text, const std::string& delimiter) {
    for (std::size_t at = text.find_first_of("\r\n\x1A"); at != std::string_view::npos;
         at = text.find_first_of("\r\n\x1A", at + 1))
        if (text[at] != '\r' || text.compare(at, 2, "\r\n") != 0) return;  // a file would end its lines elsewhere
    harness.folder().write("pasted.csv", std::string(text) + "\r\n");
    StringGrid grid;
    TableLayout layout;
    layout.delimiter = delimiter;
    const TableReadResult read = readTableFile(harness.folder().file("pasted.csv"), layout, grid);
    FUZZ_CHECK(read.ok, "the text reads as a file");
    // A file of UTF-8 text is decoded, the clipboard's text is Windows-1252 already.
    if (read.format.encoding.byteOrderMark || read.format.encoding.utf8) return;
    std::vector<std::string_view> fields;
    const auto lines = crLfLines(text);
    FUZZ_CHECK(grid.rowCount() == static_cast<int>(lines.size()) + 2, "as many lines as the file has");
    for (std::size_t k = 0; k < lines.size(); ++k) {
        splitFields(lines[k], delimiter, fields);
        for (int c = 1; c < grid.colCount(); ++c) {
            std::string_view want = static_cast<std::size_t>(c) <= fields.size() ? fields[c - 1] : std::string_view();
            FUZZ_CHECK_BYTES(grid.cell(c, static_cast<int>(k) + 1), want,
                             "the reader's field " + std::to_string(c) + " of line " + std::to_string(k + 1));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto [header, clipboard] = splitHeader(data, size);
    FormHarness& harness = FormHarness::fresh();
    MainForm& form = harness.form();
    StringGrid& grid = form.document.StrGrid;
    grid.setColCount(kCols + 1);
    grid.setRowCount(kRows + 1);
    Cells expected(kRows + 1, std::vector<std::string>(kCols + 1));
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c) grid.setCell(c, r, expected[r][c] = original(c, r));
    const Cells before = expected;
    grid.setCurrent(kStartCol, kStartRow);
    form.document.journal.ClearJournal();
    harness.fake().desktop.clipboardText = std::string(clipboard);

    // The clipboard speaks UTF-8: the Windows-1252 table takes its text in the
    // code page, or (asked, and the fake answers No) nothing at all.
    std::string inCells;
    text::LackingCharacters lacking;
    text::windows1252FromUtf8(clipboard, inCells, lacking);
    if (lacking.count > 0) {
        form.commands.trigger("btnPaste");
        FUZZ_CHECK(harness.fake().dialogs.questions.size() == 1, "a character the table lacks brings one question");
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                FUZZ_CHECK_BYTES(grid.cell(c, r), before[r][c], "a refused paste leaves cell " + std::to_string(c));
        return 0;
    }
    const std::string text = stripOneLineBreak(inCells);
    form.document.layout.QuotedFields = false;  // the model splits at the delimiter (quoted_fields has the rest)
    bool messageExpected = false;
    if (header.starts_with("=")) {
        form.document.layout.DelimitedMode = false;
        for (std::string_view length : splitAt(header.substr(1), ','))
            form.document.layout.FieldLengths.emplace_back(length);
        bool moved = false;
        messageExpected = !pasteFixed(expected, text, form.document.layout.FieldLengths, moved);
    } else {
        form.document.layout.CurrentDelimiter = std::string(header);
        const std::string delimiter = DecodeDelimiter(header);
        messageExpected = IsDecodeError(delimiter);
        if (!messageExpected && !delimiter.empty()) {
            const auto lines = crLfLines(text);
            std::vector<std::string_view> fields;
            for (std::size_t k = 0; k < lines.size(); ++k) {
                splitFields(lines[k], delimiter, fields);
                for (std::size_t f = 0; f < fields.size(); ++f)
                    put(expected, kStartCol + static_cast<int>(f), kStartRow + static_cast<int>(k),
                        std::string(fields[f]));
            }
            checkAgainstReader(harness, text, delimiter);
        }
    }

    form.commands.trigger("btnPaste");
    const auto& messages = harness.fake().dialogs.messages;
    FUZZ_CHECK(messages.size() == (messageExpected ? 1u : 0u), "a message exactly when the paste cannot go on");
    int changed = 0;
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c) {
            FUZZ_CHECK_BYTES(grid.cell(c, r), expected[r][c], "cell " + std::to_string(c) + ", " + std::to_string(r));
            changed += expected[r][c] != before[r][c];
        }
    FUZZ_CHECK(grid.colCount() == kCols + 1 && grid.rowCount() == kRows + 1, "the grid never grows");
    FUZZ_CHECK(!form.clipboardTransfer.PasteBusy, "the paste is over");
    if (changed > 0 && !messageExpected)
        FUZZ_CHECK(form.document.journal.Modified, "a paste that changed cells modifies");

    for (int step = 0; step < changed; ++step) form.commands.trigger("mnuMainUndo");
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c)
            FUZZ_CHECK_BYTES(grid.cell(c, r), before[r][c],
                             "undone " + std::to_string(changed) + " times: cell " + std::to_string(c) + ", " +
                                 std::to_string(r));
    return 0;
}
