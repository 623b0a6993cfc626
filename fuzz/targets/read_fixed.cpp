// The fixed-length table reader, with and without the byte-order mark:
// opening cuts every line (without the mark, decoded from UTF-8 where the
// file is UTF-8 of Windows-1252 characters) into the field lengths and warns
// when a line does not fit them; saving without an edit writes the cells one
// after the other, so a file whose lines all fit comes back byte for byte.
//
// Input: the field lengths as texts separated by commas (each read by the
// program's own field-length parser), a line feed, the file's bytes. A first
// line starting with "!" puts the byte-order mark in front of the file.
#include <cstdint>
#include <string>

#include "core/files/FieldLength.h"
#include "support/Check.h"
#include "support/FormHarness.h"
#include "support/Input.h"
#include "support/TableChecks.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

namespace {
const std::string kMismatch =
    "Die aktuelle Datei passt nicht zu den eingestellten Feldlängen. Bitte speichern Sie die Datei nicht; es droht "
    "Datenverlust!";
// Longer fields only make the inputs slower, not the parsing different.
constexpr int kLongestField = 4096;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [header, hasLayout, bytes] = tableInput(data, size);
    FormHarness& harness = FormHarness::fresh();
    MainForm& form = harness.form();
    form.document.layout.DelimitedMode = false;
    for (std::string_view text : splitAt(header, ',')) form.document.layout.FieldLengths.emplace_back(text);
    if (!hasLayout) form.document.layout.FieldLengths = {"3", "2"};
    std::string bad;
    const std::vector<int> lengths = parseFieldLengths(form.document.layout.FieldLengths, bad);
    for (int length : lengths)
        if (length > kLongestField) return 0;

    const std::string path = harness.folder().file("t.txt");
    harness.folder().write("t.txt", bytes);
    const bool opened = form.files.OpenTableFile(path);
    const auto& messages = harness.fake().dialogs.messages;
    if (lengths.size() != form.document.layout.FieldLengths.size()) {
        FUZZ_CHECK(!opened, "a text that is no field length opens nothing");
        FUZZ_CHECK(messages.size() == 1 && messages[0] == "'" + bad + "' ist keine gültige Feldlänge.",
                   "and names the text");
        return 0;
    }
    FUZZ_CHECK(opened, "a readable file opens");
    TableExpectation expected = expectFixed(bytes, lengths);
    FUZZ_CHECK(messages.size() == (expected.mismatch ? 1u : 0u), "the warning comes exactly when a line does not fit");
    if (expected.mismatch) FUZZ_CHECK(messages[0] == kMismatch, "with its text: " + messages[0]);
    checkGrid(form, expected);
    checkSaveRoundTrip(harness, path, bytes, expected);
    return 0;
}
