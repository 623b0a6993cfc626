#include "support/TableChecks.h"

#include <algorithm>

#include "core/files/Fields.h"
#include "support/Check.h"
#include "support/Input.h"
#include "support/LiteralTextOps.h"

namespace tabulyst::fuzz {

namespace {

// Every line ends with its line end and none is lost to code 26.
bool linesEndCleanly(std::string_view bytes, const FileLines& file) {
    std::string rebuilt;
    for (std::string_view line : file.lines) {
        rebuilt += line;
        rebuilt += file.lineEnd;
    }
    return rebuilt == bytes;
}

const std::string& cellAt(const Rows& rows, std::size_t r, std::size_t c) {
    static const std::string empty;
    return c < rows[r].size() ? rows[r][c] : empty;
}

bool joinsUnambiguously(const TableExpectation& e) {
    if (!e.delimited) return true;
    std::vector<std::string_view> cells, split;
    for (std::size_t r = 0; r < e.rows.size(); ++r) {
        cells.clear();
        for (std::size_t c = 0; c < e.columns; ++c) cells.push_back(cellAt(e.rows, r, c));
        const std::string line = joinFields(cells, e.delimiter);
        splitFields(line, e.delimiter, split);
        if (split != cells && !(split.empty() && cells.size() == 1 && cells[0].empty())) return false;
    }
    return true;
}

// Each cell as read comes back from the conversion to Windows-1252 and back.
bool convertsBack(const Rows& read, const Rows& converted) {
    for (std::size_t r = 0; r < read.size(); ++r)
        for (std::size_t c = 0; c < read[r].size(); ++c) {
            std::string_view cell = read[r][c];
            if (r == 0 && c == 0) cell.remove_prefix(3);  // the mark
            if (literal::ansiToUtf8(converted[r][c]) != cell) return false;
        }
    return true;
}

void finish(TableExpectation& e, std::string_view bytes, bool equalRows) {
    const Rows read = e.rows;
    e.utf8 = convertFromUtf8(e.rows);
    e.saved = savedBytes(e.rows, e.delimited, e.delimiter, e.file.lineEnd, e.utf8);
    e.keepsBytes =
        linesEndCleanly(bytes, e.file) && equalRows && !e.mismatch && (!e.utf8 || convertsBack(read, e.rows));
}

}  // namespace

TableInput tableInput(const std::uint8_t* data, std::size_t size) {
    auto [header, body] = splitHeader(data, size);
    TableInput input;
    input.hasLayout = body.size() != size;
    if (header.starts_with("!")) {
        header.remove_prefix(1);
        input.bytes = "\xEF\xBB\xBF";
    }
    input.layout = header;
    input.bytes += body;
    return input;
}

TableExpectation expectDelimited(std::string_view bytes, std::string_view delimiter) {
    TableExpectation e;
    e.file = fileLines(bytes);
    e.delimiter = delimiter;
    e.rows = delimitedRows(e.file, delimiter);
    e.columns = widestRow(e.rows);
    bool equalRows = true;
    for (const auto& row : e.rows) equalRows = equalRows && std::max<std::size_t>(row.size(), 1) == e.columns;
    finish(e, bytes, equalRows);
    return e;
}

TableExpectation expectFixed(std::string_view bytes, const std::vector<int>& lengths) {
    TableExpectation e;
    e.delimited = false;
    e.file = fileLines(bytes);
    e.lengths = lengths;
    e.rows = fixedRows(e.file, lengths, e.mismatch);
    e.columns = lengths.size();
    finish(e, bytes, true);
    return e;
}

void checkGrid(MainForm& form, const TableExpectation& expected) {
    const StringGrid& grid = form.StrGrid;
    FUZZ_CHECK(grid.rowCount() == static_cast<int>(expected.rows.size()) + 1,
               "one row per line: " + std::to_string(grid.rowCount() - 1) + " rows for " +
                   std::to_string(expected.rows.size()) + " lines");
    FUZZ_CHECK(grid.colCount() == static_cast<int>(expected.columns) + 1,
               std::to_string(grid.colCount() - 1) + " columns, expected " + std::to_string(expected.columns));
    FUZZ_CHECK(form.Utf8File == expected.utf8, "loaded as UTF-8 exactly when the first cell has the mark");
    for (std::size_t r = 0; r < expected.rows.size(); ++r)
        for (std::size_t c = 0; c < expected.columns; ++c) {
            FUZZ_CHECK_BYTES(grid.cell(static_cast<int>(c) + 1, static_cast<int>(r) + 1), cellAt(expected.rows, r, c),
                             "cell " + std::to_string(c + 1) + ", " + std::to_string(r + 1));
        }
    FUZZ_CHECK(!form.cells.Modified, "a table just opened is unmodified");
}

void checkSaveRoundTrip(FormHarness& harness, const std::string& path, std::string_view original,
                        const TableExpectation& expected) {
    MainForm& form = harness.form();
    auto& dialogs = harness.fake().dialogs;
    const std::string file = path.substr(path.rfind('/') + 1);
    dialogs.messages.clear();
    form.files.SaveCurrentFile();  // padding, if asked, is refused
    for (const auto& message : dialogs.messages)
        FUZZ_CHECK(message.starts_with("Die aktuelle Datei passt nicht"), "saving shows no error: " + message);
    const std::string saved = harness.folder().read(file);
    FUZZ_CHECK_BYTES(saved, expected.saved, "the saved file");
    if (expected.keepsBytes) FUZZ_CHECK_BYTES(saved, original, "a clean file comes back byte for byte");
    FUZZ_CHECK(!form.cells.Modified, "saved means unmodified");

    // Converting from and to UTF-8 need not come back to the same cells, and
    // neither need cells joined with a delimiter that overlaps them (":" and
    // "" joined with "::" read back as "" and ":").
    if (expected.utf8 || !joinsUnambiguously(expected)) return;
    FUZZ_CHECK(form.files.OpenTableFile(path), "the saved file opens");
    const TableExpectation again =
        expected.delimited ? expectDelimited(saved, expected.delimiter) : expectFixed(saved, expected.lengths);
    checkGrid(form, again);
    FUZZ_CHECK(again.rows.size() == expected.rows.size() && again.columns == expected.columns,
               "the saved file has the same rows and columns");
    for (std::size_t r = 0; r < expected.rows.size(); ++r)
        for (std::size_t c = 0; c < expected.columns; ++c)
            FUZZ_CHECK_BYTES(cellAt(again.rows, r, c), cellAt(expected.rows, r, c),
                             "the saved file's cell " + std::to_string(c + 1) + ", " + std::to_string(r + 1));
    form.files.SaveCurrentFile();
    FUZZ_CHECK_BYTES(harness.folder().read(file), saved, "a saved file saves back to itself");
}

}  // namespace tabulyst::fuzz
