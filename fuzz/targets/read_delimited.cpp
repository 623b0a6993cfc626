// The delimited table reader, with and without the byte-order mark: opening a
// file gives the cells its lines split into (decoded from UTF-8 where the file
// is UTF-8 of Windows-1252 characters), and saving it without an edit writes
// the bytes the design promises: byte for byte for a file whose lines all end
// with their line end, ragged rows and undecodable text included. A saved file
// reads and saves back to itself.
//
// Input: the delimiter in its notation, a line feed, the file's bytes. A first
// line starting with "!" puts the byte-order mark in front of the file.
#include <cstdint>
#include <string>

#include "core/files/DelimiterNotation.h"
#include "support/Check.h"
#include "support/FormHarness.h"
#include "support/TableChecks.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [header, hasLayout, bytes] = tableInput(data, size);
    FormHarness& harness = FormHarness::fresh();
    MainForm& form = harness.form();
    form.document.layout.CurrentDelimiter = hasLayout ? std::string(header) : ";";
    form.document.layout.QuotedFields = false;  // the model splits at every delimiter (quoted_fields has the rest)
    const std::string delimiter = DecodeDelimiter(form.document.layout.CurrentDelimiter);
    const std::string utf8Delimiter = DecodeDelimiter(form.document.layout.CurrentDelimiter, text::TextEncoding::Utf8);

    const std::string path = harness.folder().file("t.csv");
    harness.folder().write("t.csv", bytes);
    const bool opened = form.files.OpenTableFile(path);
    if (IsDecodeError(delimiter)) {
        FUZZ_CHECK(!opened, "a delimiter that cannot be decoded opens nothing");
        FUZZ_CHECK(harness.fake().dialogs.messages.size() == 1, "and says why");
        return 0;
    }
    FUZZ_CHECK(opened, "a readable file opens");
    FUZZ_CHECK(harness.fake().dialogs.messages.empty(), "without a message");

    TableExpectation expected = expectDelimited(bytes, delimiter, utf8Delimiter);
    checkGrid(form, expected);
    checkSaveRoundTrip(harness, path, bytes, expected);
    return 0;
}
