#include "support/TableChecks.h"

#include "support/Check.h"
#include "support/Input.h"

namespace tabulyst::fuzz {

namespace {

// Every line ends with the line end a save writes (the last one may have none)
// and none is lost to code 26.
bool linesEndCleanly(std::string_view bytes, const FileLines& file) {
    std::string rebuilt;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        rebuilt += file.lines[i];
        if (file.lastLineEnded || i + 1 < file.lines.size()) rebuilt += file.lineEnd;
    }
    return rebuilt == bytes;
}

const std::string& cellAt(const Rows& rows, std::size_t r, std::size_t c) {
    static const std::string empty;
    return c < rows[r].size() ? rows[r][c] : empty;
}

void finish(TableExpectation& e, std::string_view bytes) {
    e.saved = savedBytes(e.rows, e.delimited, e.delimiter, e.file.lineEnd, e.text);
    e.keepsBytes = linesEndCleanly(bytes, e.file) && !e.mismatch;
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

TableExpectation expectDelimited(std::string_view bytes, std::string_view delimiter, std::string_view utf8Delimiter) {
    TableExpectation e;
    e.file = fileLines(bytes);
    e.text = fileText(e.file);
    e.delimiter = e.text.utf8 ? utf8Delimiter : delimiter;
    delimiter = e.delimiter;
    e.rows = delimitedRows(e.text, delimiter);
    e.columns = widestRow(e.rows);
    finish(e, bytes);
    return e;
}

TableExpectation expectFixed(std::string_view bytes, const std::vector<int>& lengths) {
    TableExpectation e;
    e.delimited = false;
    e.file = fileLines(bytes);
    e.text = fileText(e.file);
    e.lengths = lengths;
    e.rows = fixedRows(e.text, lengths, e.mismatch);
    e.columns = lengths.size();
    finish(e, bytes);
    return e;
}

void checkGrid(MainForm& form, const TableExpectation& expected) {
    const StringGrid& grid = form.document.StrGrid;
    FUZZ_CHECK(grid.rowCount() == static_cast<int>(expected.rows.size()) + 1,
               "one row per line: " + std::to_string(grid.rowCount() - 1) + " rows for " +
                   std::to_string(expected.rows.size()) + " lines");
    FUZZ_CHECK(grid.colCount() == static_cast<int>(expected.columns) + 1,
               std::to_string(grid.colCount() - 1) + " columns, expected " + std::to_string(expected.columns));
    FUZZ_CHECK(form.document.format().encoding.byteOrderMark == expected.text.mark,
               "the file's byte-order mark is noted");
    const FileEncoding encoding{expected.text.mark, expected.text.utf8};
    FUZZ_CHECK(form.document.format().encoding == encoding,
               std::string("a UTF-8 table exactly when the file is valid UTF-8 with a mark or a multi-byte sequence: ") +
                   encodingCaption(form.document.format().encoding));
    for (std::size_t r = 0; r < expected.rows.size(); ++r)
        for (std::size_t c = 0; c < expected.columns; ++c) {
            FUZZ_CHECK_BYTES(grid.cell(static_cast<int>(c) + 1, static_cast<int>(r) + 1), cellAt(expected.rows, r, c),
                             "cell " + std::to_string(c + 1) + ", " + std::to_string(r + 1));
        }
    FUZZ_CHECK(!form.document.journal.Modified, "a table just opened is unmodified");
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
    FUZZ_CHECK(!form.document.journal.Modified, "saved means unmodified");

    FUZZ_CHECK(form.files.OpenTableFile(path), "the saved file opens");
    const TableExpectation again =
        expected.delimited ? expectDelimited(saved, expected.delimiter, expected.delimiter)
                           : expectFixed(saved, expected.lengths);
    checkGrid(form, again);
    FUZZ_CHECK(again.rows.size() == expected.rows.size() && again.columns == expected.columns,
               "the saved file has the same rows and columns");
    form.files.SaveCurrentFile();
    FUZZ_CHECK_BYTES(harness.folder().read(file), saved, "a saved file saves back to itself");
    // Lines cut to the field lengths (after the warning) may lose what made
    // the file no UTF-8; then the same bytes read as other cells.
    if (expected.mismatch) return;
    for (std::size_t r = 0; r < expected.rows.size(); ++r)
        for (std::size_t c = 0; c < expected.columns; ++c)
            FUZZ_CHECK_BYTES(cellAt(again.rows, r, c), cellAt(expected.rows, r, c),
                             "the saved file's cell " + std::to_string(c + 1) + ", " + std::to_string(r + 1));
}

}  // namespace tabulyst::fuzz
