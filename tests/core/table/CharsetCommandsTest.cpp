#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "core/table/CharsetCommands.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kGruesse = "Gr\xFC\xDF" "e";               // Windows-1252
const std::string kGruesseUtf8 = "Gr\xC3\xBC\xC3\x9F" "e";    // UTF-8
const std::string kEuro = "5 \x80";                           // Windows-1252
const std::string kEuroUtf8 = "5 \xE2\x82\xAC";               // UTF-8
const std::string kLodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";     // Łódź: Ł and ź lack in Windows-1252
const std::string kSahin = "\xC5\x9E" "ahin";                 // Şahin

constexpr FileEncoding kWindows1252{};
constexpr FileEncoding kUtf8{.byteOrderMark = false, .utf8 = true};
constexpr FileEncoding kUtf8WithMark{.byteOrderMark = true, .utf8 = true};

using Cells = std::array<std::string, 4>;  // (1, 1), (2, 1), (1, 2), (2, 2)

struct Conversion {
    const char* what;
    FileEncoding before;
    Cells cells;
    const char* command;
    std::optional<bool> answer;  // the answer to the question, when one must come
    Cells expected;
    FileEncoding after;
    bool modified;
    const char* status = nullptr;  // the status line afterwards
};

const Conversion kConversions[] = {
    {"Ansi to UTF-8 keeps every character, the euro sign and marker text too", kWindows1252,
     {kGruesse, kEuro, "\xC3\xA4", "@#$c3#$a4@"}, "mnuMainAnsiToUTF8", std::nullopt,
     {kGruesseUtf8, kEuroUtf8, "\xC3\x83\xC2\xA4", "@#$c3#$a4@"}, kUtf8WithMark, true},
    {"Ansi to UTF-8 of a UTF-8 table changes nothing and says so", kUtf8, {kGruesseUtf8, kLodz, "x", ""},
     "mnuMainAnsiToUTF8", std::nullopt, {kGruesseUtf8, kLodz, "x", ""}, kUtf8, false,
     CharsetCommands::kAlreadyUtf8},
    {"UTF-8 to Ansi of characters Windows-1252 has, the euro sign among them", kUtf8WithMark,
     {kGruesseUtf8, kEuroUtf8, "x", ""}, "mnuMainUTF8toAnsi", std::nullopt, {kGruesse, kEuro, "x", ""},
     kWindows1252, true},
    {"UTF-8 to Ansi of plain ASCII without mark changes nothing a save would write", kUtf8, {"a", "b", "c", ""},
     "mnuMainUTF8toAnsi", std::nullopt, {"a", "b", "c", ""}, kWindows1252, false},
    {"UTF-8 to Ansi with characters Windows-1252 lacks, declined", kUtf8WithMark,
     {kGruesseUtf8, kLodz, kSahin, ""}, "mnuMainUTF8toAnsi", false, {kGruesseUtf8, kLodz, kSahin, ""},
     kUtf8WithMark, false},
    {"UTF-8 to Ansi with characters Windows-1252 lacks, agreed", kUtf8WithMark, {kGruesseUtf8, kLodz, kSahin, ""},
     "mnuMainUTF8toAnsi", true, {kGruesse, "?\xF3" "d?", "?ahin", ""}, kWindows1252, true},
    {"UTF-8 to Ansi in a Windows-1252 table: byte pairs and a mark in the first cell", kWindows1252,
     {kBom + kGruesseUtf8, kEuroUtf8, "x", ""}, "mnuMainUTF8toAnsi", std::nullopt, {kGruesse, kEuroUtf8, "x", ""},
     kWindows1252, true},
    {"UTF-8 to Ansi in a Windows-1252 table without pairs drops only the file's mark",
     {.byteOrderMark = true, .utf8 = false}, {kGruesse, "x", "y", ""}, "mnuMainUTF8toAnsi", std::nullopt,
     {kGruesse, "x", "y", ""}, kWindows1252, true},
    {"UTF-8 to Ansi in a Windows-1252 table without pairs or mark", kWindows1252, {kGruesse, "x", "y", ""},
     "mnuMainUTF8toAnsi", std::nullopt, {kGruesse, "x", "y", ""}, kWindows1252, false},
    {"Char to OEM in a Windows-1252 table maps bytes", kWindows1252, {kGruesse, kEuro, "x", ""}, "mnuMainChartoOEM",
     std::nullopt, {"Gr\x81\xE1" "e", "5 ?", "x", ""}, kWindows1252, true},
    {"Char to OEM in a UTF-8 table maps what Windows-1252 has, leaves the rest", kUtf8,
     {kGruesseUtf8, kEuroUtf8, kLodz, ""}, "mnuMainChartoOEM", std::nullopt,
     {"Gr\xC2\x81\xC3\xA1" "e", "5 ?", "\xC5\x81\xC2\xA2" "d\xC5\xBA", ""}, kUtf8, true},
    {"OEM to Char in a UTF-8 table", kUtf8, {"Gr\xC2\x81\xC3\xA1" "e", "\xC5\x81\xC2\xA2" "d\xC5\xBA", "x", ""},
     "mnuMainOEMToChar", std::nullopt, {kGruesseUtf8, kLodz, "x", ""}, kUtf8, true},
};

// Of kLodz in cell (2, 1) and kSahin in (1, 2): read row by row, Ł comes first.
const std::vector<std::string> kLossQuestion = {
    "3 Zeichen fehlen in Windows-1252, das erste ist \u201E\u0141\u201C (U+0141) in Spalte 2, Zeile 1. "
    "Sie werden zu \u201E?\u201C. Trotzdem umwandeln?"};

class CharsetCommandsTest : public FormFixture {
protected:
    CharsetCommandsTest() { setUp(kWindows1252, {kGruesse, "2,1", "1,2", "\xC4" "ra"}); }
    // A table of 2 x 2 data cells, as after loading: nothing pending.
    void setUp(const FileEncoding& encoding, const Cells& cells) {
        fill(3, 3);
        form->document.setEncoding(encoding);
        grid().setCell(0, 1, "\xE4");  // header cells must stay as they are
        grid().setCell(1, 0, "\xE4");
        for (std::size_t i = 0; i < cells.size(); ++i)
            grid().setCell(static_cast<int>(i % 2) + 1, static_cast<int>(i / 2) + 1, cells[i]);
        journal().ClearJournal();
        journal().SetModified(false);
    }
    Cells cells() {
        Cells out;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = grid().cellText(static_cast<int>(i % 2) + 1, static_cast<int>(i / 2) + 1);
        return out;
    }
    FileEncoding encoding() { return form->document.format().encoding; }
};

TEST_F(CharsetCommandsTest, ConvertInEitherEncoding) {
    for (const Conversion& c : kConversions) {
        SCOPED_TRACE(c.what);
        fake.dialogs.questions.clear();
        fake.dialogs.defaultAnswers.clear();
        fake.dialogs.answers.clear();
        form->StatusBar.setText("");
        setUp(c.before, c.cells);
        if (c.answer) fake.dialogs.answers = {*c.answer};
        ASSERT_TRUE(commands().trigger(c.command));
        EXPECT_EQ(cells(), c.expected);
        EXPECT_EQ(encoding(), c.after);
        EXPECT_EQ(journal().Modified, c.modified);
        EXPECT_EQ(grid().cell(0, 1), "\xE4");
        EXPECT_EQ(grid().cell(1, 0), "\xE4");
        EXPECT_EQ(fake.dialogs.questions, c.answer ? kLossQuestion : std::vector<std::string>{});
        if (c.answer) {
            EXPECT_EQ(fake.dialogs.defaultAnswers, std::vector<DefaultAnswer>{DefaultAnswer::No});
        }
        EXPECT_EQ(form->StatusBar.text(), c.status ? c.status : "");
        EXPECT_FALSE(fake.desktop.isBusy);
    }
}

// A conversion of many rows shows how far it got, whichever way it goes.
TEST_F(CharsetCommandsTest, LongConversionsShowTheirProgress) {
    const std::pair<FileEncoding, const char*> kinds[] = {{kWindows1252, "mnuMainAnsiToUTF8"},
                                                          {kUtf8WithMark, "mnuMainUTF8toAnsi"},
                                                          {kWindows1252, "mnuMainUTF8toAnsi"},
                                                          {kWindows1252, "mnuMainChartoOEM"}};
    for (const auto& [encoding, command] : kinds) {
        SCOPED_TRACE(command);
        fill(3, 30000);
        form->document.setEncoding(encoding);
        fake.progress.work.clear();
        ASSERT_TRUE(commands().trigger(command));
        ASSERT_EQ(fake.progress.work.size(), 1u);
        const FakeProgress::Work& work = fake.progress.work.front();
        EXPECT_EQ(work.caption, "Zeichensatz wird umgewandelt …");
        EXPECT_TRUE(work.ended);
        ASSERT_GE(work.reports.size(), 3u);
        EXPECT_GT(work.reports.back().first, work.reports.back().second / 2);
        EXPECT_LE(work.reports.back().first, work.reports.back().second);
    }
}

// Undo after a change of the encoding writes text of the new one, the edit
// under way when the table changed included.
TEST_F(CharsetCommandsTest, TheJournalFollowsTheEncoding) {
    grid().setCurrent(2, 2);
    type("\xD6l");  // Öl, not yet journaled
    ASSERT_TRUE(convertTableToUtf8(form->document, nullptr, nullptr));
    EXPECT_FALSE(convertTableToUtf8(form->document, nullptr, nullptr));
    EXPECT_EQ(grid().cell(2, 2), "\xC3\x96l");
    EXPECT_TRUE(grid().editorOpen());
    grid().editorTextChanged("\xC3\x96l \xC5\x81");
    grid().setCurrent(1, 1);  // leaving journals the rest of the edit
    journal().mnuMainUndoClick();
    EXPECT_EQ(grid().cell(2, 2), "\xC3\x96l");
    journal().mnuMainUndoClick();
    EXPECT_EQ(grid().cell(2, 2), "\xC3\x84ra");
}

// What a save writes after a command changed the encoding: every line in the
// new one, lines the user never touched and the delimiter between them too.
TEST_F(CharsetCommandsTest, ASaveWritesTheNewEncoding) {
    struct Case {
        std::string file;
        const char* command;
        std::string saved;
    };
    const Case cases[] = {
        {"a\xA7" "b\na\xA7\xE4\n", "mnuMainAnsiToUTF8", kBom + "a\xC2\xA7" "b\na\xC2\xA7\xC3\xA4\n"},
        {"a\xC2\xA7" "b\na\xC2\xA7\xC3\xA4\n", "mnuMainUTF8toAnsi", "a\xA7" "b\na\xA7\xE4\n"},
    };
    TempFolder folder;
    form->document.layout.CurrentDelimiter = "#167";  // the section sign
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved);
        folder.write("t.csv", c.file);
        ASSERT_TRUE(form->files.OpenTableFile(folder.file("t.csv")));
        ASSERT_TRUE(commands().trigger(c.command));
        form->files.SaveCurrentFile();
        EXPECT_EQ(folder.read("t.csv"), c.saved);
    }
}

TEST_F(CharsetCommandsTest, OemConversionsAreJournaledPerCell) {
    ASSERT_TRUE(commands().trigger("mnuMainChartoOEM"));
    EXPECT_EQ(grid().cell(1, 1), "Gr\x81\xE1" "e");
    EXPECT_EQ(grid().cell(2, 2), "\x8E" "ra");
    // Two changed cells, two entries, undone one at a time (last one first).
    EXPECT_EQ(journal().JournalPos, 1);
    journal().mnuMainUndoClick();
    EXPECT_EQ(grid().cell(2, 2), "\xC4" "ra");
    EXPECT_EQ(grid().cell(1, 1), "Gr\x81\xE1" "e");

    ASSERT_TRUE(commands().trigger("mnuMainOEMToChar"));
    EXPECT_EQ(grid().cell(1, 1), "Gr\xFC\xDF" "e");
}

TEST_F(CharsetCommandsTest, OemConversionCutsAtAZeroByteAndAlwaysSetsModified) {
    for (const FileEncoding& encoding : {kWindows1252, kUtf8}) {
        setUp(encoding, {"a", "b", "c", "d"});
        commands().trigger("mnuMainOEMToChar");
        EXPECT_TRUE(journal().Modified);
        EXPECT_EQ(journal().JournalPos, -1);  // nothing changed, nothing journaled
        grid().setCell(1, 1, std::string("ab\0cd", 5));
        commands().trigger("mnuMainChartoOEM");
        EXPECT_EQ(grid().cell(1, 1), "ab");
    }
}

}  // namespace
}  // namespace tabulyst::testing
