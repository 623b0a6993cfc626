#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/textops/CellTransforms.h"

#include "core/text/CaseMapping.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

TEST(CapitalizeWordsTest, WordsStartAfterTheThirteenSeparatorsOnly) {
    const Locale locale;
    EXPECT_EQ(CapitalizeWords("hello world", locale), "Hello World");
    EXPECT_EQ(CapitalizeWords("M\xDCLLER-l\xFC" "denscheid", locale), "M\xFCller-L\xFC" "denscheid");
    EXPECT_EQ(CapitalizeWords("o'neil;x", locale), "O'neil;x");
    EXPECT_EQ(CapitalizeWords("2nd street", locale), "2nd Street");
    EXPECT_EQ(CapitalizeWords("x.y", locale), "X.Y");
    EXPECT_EQ(CapitalizeWords("ABC DEF", locale), "Abc Def");
    EXPECT_EQ(CapitalizeWords("a", locale), "A");
    EXPECT_EQ(CapitalizeWords("", locale), "");
    // Each separator starts a word; tab, apostrophe, semicolon, digits and '@' do not.
    for (char separator : std::string(" !\"&()+,-./:?"))
        EXPECT_EQ(CapitalizeWords(std::string("aB") + separator + "cD", locale), std::string("Ab") + separator + "Cd")
            << separator;
    for (char other : std::string("\t';1@[_\xE4"))
        EXPECT_EQ(CapitalizeWords(std::string("aB") + other + "cD", locale),
                  std::string("Ab") + static_cast<char>(locale.toLower(static_cast<unsigned char>(other))) + "cd")
            << other;
}

class CellTransformsTest : public FormFixture {
protected:
    CellTransformsTest() { form->locale = Locale::german(); }
    bool trigger(const char* name) { return commands().trigger(name); }
    void navigationSelect(const GridRect& rect) { form->navigation.setSelectionRect(rect); }
    int journalEntries() const {
        int n = 0;
        for (const auto& e : form->document.journal.Journal)
            if (!e.empty()) ++n;
        return n;
    }
    // Answers the next length dialog by typing text and pressing OK.
    void answerLength(const std::string& text) {
        fake.dialogs.valueScripts.push_back([text](ValueDialog& d) {
            d.edtString = text;
            return true;
        });
    }
};

TEST_F(CellTransformsTest, UpperCaseVisitsTheSelectionAndJournalsEachChangedCell) {
    fill(5, 6);
    grid().setCell(2, 3, "SCHON GROSS");
    grid().setCell(3, 4, "gr\xFC\xDF" "e \xE4");
    grid().setCell(4, 3, "outside");
    journal().ClearJournal();
    navigationSelect({2, 2, 3, 4});
    ASSERT_TRUE(trigger("mnuMainChangeCaseToUpper"));

    EXPECT_EQ(grid().cell(3, 4), "GR\xDC\xDF" "E \xC4");  // ß has no capital in the code page
    EXPECT_EQ(grid().cell(2, 2), "2,2");                // digits stay
    EXPECT_EQ(grid().cell(4, 3), "outside");
    // Only the cell with letters that changed has an entry; digits and capitals need none.
    EXPECT_EQ(journalEntries(), 1);
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(grid().selection(), (GridRect{2, 2, 3, 4}));

    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(3, 4), "gr\xFC\xDF" "e \xE4");
}

TEST_F(CellTransformsTest, CaseCommandsOnLettersUndoCellByCell) {
    fill(3, 3);
    grid().setCell(1, 1, "ab");
    grid().setCell(2, 1, "CD");
    grid().setCell(1, 2, "\xC4pfel");
    grid().setCell(2, 2, "x-y z");
    journal().ClearJournal();
    navigationSelect({1, 1, 2, 2});

    ASSERT_TRUE(trigger("mnuMainChangeCaseToLower"));
    EXPECT_EQ(grid().cell(2, 1), "cd");
    EXPECT_EQ(grid().cell(1, 2), "\xE4pfel");
    EXPECT_EQ(journalEntries(), 2);

    ASSERT_TRUE(trigger("mnuMainChangeCaseToCapitalize"));
    EXPECT_EQ(grid().cell(1, 1), "Ab");
    EXPECT_EQ(grid().cell(2, 1), "Cd");
    EXPECT_EQ(grid().cell(1, 2), "\xC4pfel");
    EXPECT_EQ(grid().cell(2, 2), "X-Y Z");

    // Undo walks back one cell at a time, the last changed first.
    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(2, 2), "x-y z");
    EXPECT_EQ(grid().cell(1, 2), "\xC4pfel");
    ASSERT_TRUE(trigger("mnuMainUndo"));
    ASSERT_TRUE(trigger("mnuMainUndo"));
    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(1, 1), "ab");
    EXPECT_EQ(grid().cell(2, 1), "cd");
}

TEST_F(CellTransformsTest, AnEditPendingInTheCurrentCellStaysUndoable) {
    fill(3, 3);
    grid().setCurrent(2, 2);
    type("SCHON");  // nothing left to change, but the typing itself is an edit
    ASSERT_TRUE(trigger("mnuMainChangeCaseToUpper"));
    EXPECT_EQ(grid().cell(2, 2), "SCHON");
    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(2, 2), "2,2");

    grid().setCurrent(1, 1);
    type("neu");
    ASSERT_TRUE(trigger("mnuMainChangeCaseToUpper"));
    EXPECT_EQ(grid().cell(1, 1), "NEU");
    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(1, 1), "neu");
    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(1, 1), "1,1");
}

TEST_F(CellTransformsTest, TrimmingSparesRowZeroAndColumnZeroButNotFrozenCells) {
    fill(4, 4);
    grid().setCell(1, 0, " Name");
    grid().setCell(0, 2, " 2");
    grid().setCell(1, 1, " \t\x01 left");
    grid().setCell(2, 2, std::string("\0\x1F mid \r\n", 9));
    grid().setCell(3, 3, "right \t");
    grid().setCell(2, 3, "   ");
    grid().setFixedRows(2);  // a frozen row 1 is trimmed all the same
    journal().ClearJournal();

    ASSERT_TRUE(trigger("mnuMainLeftTrim"));
    EXPECT_EQ(grid().cell(1, 0), " Name");
    EXPECT_EQ(grid().cell(0, 2), " 2");
    EXPECT_EQ(grid().cell(1, 1), "left");
    EXPECT_EQ(grid().cell(2, 2), "mid \r\n");
    EXPECT_EQ(grid().cell(2, 3), "");
    EXPECT_EQ(grid().cell(3, 3), "right \t");
    EXPECT_EQ(journalEntries(), 3);
    // Column by column: the last entry is the cell of the rightmost column.
    EXPECT_EQ(journal().entry(journal().JournalPos).col, 2);
    EXPECT_EQ(journal().entry(journal().JournalPos).row, 3);
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(fake.desktop.isBusy);
    EXPECT_GE(fake.desktop.busyChanges, 2);

    ASSERT_TRUE(trigger("mnuMainRightTrim"));
    EXPECT_EQ(grid().cell(2, 2), "mid");
    EXPECT_EQ(grid().cell(3, 3), "right");
    EXPECT_EQ(grid().cell(1, 0), " Name");
    EXPECT_EQ(journalEntries(), 5);
}

// The trim writes most cells of a long run without a journal entry; the table
// and the journal must end as storing every cell through ChangeCell leaves them.
TEST(TrimJournalTest, EndsAsTheCellByCellWalkWouldLeaveIt) {
    struct Form {
        FakePlatform fake;
        TempFolder folder;
        MainForm form{fake.platform(), folder.file("tabulyst")};
    };
    for (int percent : {0, 10, 36, 37, 60, 100}) {
        Form a, b;
        for (Form* f : {&a, &b}) {
            f->form.FormCreate();
            StringGrid& g = f->form.document.StrGrid;
            g.setColCount(8);
            g.setRowCount(400);
            unsigned seed = 7;
            for (int y = 0; y < 400; ++y)
                for (int x = 0; x < 8; ++x) {
                    seed = seed * 1103515245u + 12345u;
                    const bool blank = static_cast<int>((seed >> 16) % 100) < percent;
                    g.setCell(x, y, (blank ? " \t" : "") + std::to_string(x * 1000 + y));
                }
            f->form.document.journal.ClearJournal();
            g.setCurrent(3, 150);  // an edit pending in a cell the plain pass writes
            g.openEditor();
            g.editorTextChanged("  typed");
        }
        ASSERT_TRUE(a.form.commands.trigger("mnuMainLeftTrim"));
        StringGrid& g = b.form.document.StrGrid;
        for (int x = 1; x < 8; ++x)
            for (int y = 1; y < 400; ++y) {
                std::string text = g.cellText(x, y);
                text.erase(0, text.find_first_not_of(" \t"));
                b.form.document.journal.ChangeCell(x, y, text);
            }
        b.form.document.journal.SetModified(true);

        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(a.form.document.StrGrid.cell(x, y), g.cell(x, y)) << percent;
        const EditJournal &ja = a.form.document.journal, &jb = b.form.document.journal;
        EXPECT_EQ(ja.JournalPos, jb.JournalPos) << percent;
        EXPECT_EQ(ja.JumpPos, jb.JumpPos) << percent;
        EXPECT_EQ(ja.CurrentCellText(), jb.CurrentCellText()) << percent;
        for (int i = 0; i < EditJournal::kJournalSize; ++i) {
            const JournalEntry &ea = ja.entry(i), &eb = jb.entry(i);
            ASSERT_EQ(ea.col, eb.col) << percent << " entry " << i;
            ASSERT_EQ(ea.row, eb.row) << percent << " entry " << i;
            ASSERT_EQ(ea.oldText, eb.oldText) << percent << " entry " << i;
            if (!ea.empty()) {
                ASSERT_EQ(ea.newText, eb.newText) << percent << " entry " << i;
            }
        }
        EXPECT_EQ(a.form.commands.enabled("mnuMainUndo"), b.form.commands.enabled("mnuMainUndo"));
    }
}

TEST_F(CellTransformsTest, TrimmingWithNothingToTrimStillMarksTheTable) {
    fill(3, 3);
    ASSERT_TRUE(trigger("mnuMainRightTrim"));
    EXPECT_EQ(journalEntries(), 0);
    EXPECT_TRUE(journal().Modified);
}

TEST_F(CellTransformsTest, FixedAndMaximumLengthOfFive) {
    fill(2, 4);
    grid().setCell(1, 1, "abc");
    grid().setCell(1, 2, "abcdefg");
    grid().setCell(1, 3, "");
    journal().ClearJournal();
    navigationSelect({1, 1, 1, 3});

    answerLength("5");
    ASSERT_TRUE(trigger("mnuFixLength"));
    EXPECT_EQ(grid().cell(1, 1), "abc  ");
    EXPECT_EQ(grid().cell(1, 2), "abcde");
    EXPECT_EQ(grid().cell(1, 3), "     ");
    EXPECT_EQ(journalEntries(), 3);
    EXPECT_EQ(grid().selection(), (GridRect{1, 1, 1, 3}));

    grid().setCell(1, 1, "abc");
    grid().setCell(1, 2, "abcdefg");
    answerLength("5");
    ASSERT_TRUE(trigger("mnuCutCellLength"));
    EXPECT_EQ(grid().cell(1, 1), "abc");
    EXPECT_EQ(grid().cell(1, 2), "abcde");
    EXPECT_EQ(grid().cell(1, 3), "     ");

    answerLength("0");
    ASSERT_TRUE(trigger("mnuCutCellLength"));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(grid().cell(1, r), "");
}

// The cells of a UTF-8 file hold UTF-8: case follows Unicode's mapping and
// lengths count whole characters, so the saved file stays UTF-8.
TEST_F(CellTransformsTest, CellsOfAUtf8FileTakeUnicodeCaseAndWholeCharacterLengths) {
    const std::string lodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";  // Łódź: Ł and ź are not in the code page
    const std::vector<std::string> line{"M\xC3\xBCller", lodz, "\xC3\x84RGER-k\xC3\xB6ln x"};
    auto joined = [](const std::vector<std::string>& cells) {
        return cells[0] + ";" + cells[1] + ";" + cells[2] + "\r\n";
    };
    struct Case {
        const char* command;
        const char* length;  // the answer to the length dialog
        int col;
        std::string after;
    };
    const Case cases[] = {
        {"mnuMainChangeCaseToLower", "", 1, "m\xC3\xBCller"},
        {"mnuMainChangeCaseToUpper", "", 1, "M\xC3\x9CLLER"},
        {"mnuMainChangeCaseToUpper", "", 2, "\xC5\x81\xC3\x93" "D\xC5\xB9"},  // ŁÓDŹ
        {"mnuMainChangeCaseToLower", "", 2, "\xC5\x82\xC3\xB3" "d\xC5\xBA"},  // łódź
        {"mnuMainChangeCaseToCapitalize", "", 3, "\xC3\x84rger-K\xC3\xB6ln X"},
        {"mnuFixLength", "3", 2, "\xC5\x81\xC3\xB3" "d"},
        {"mnuFixLength", "6", 2, lodz + "  "},
        {"mnuCutCellLength", "2", 1, "M\xC3\xBC"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.length);
        folder.write("t.csv", joined(line));
        ASSERT_TRUE(form->files.OpenTableFile(folder.file("t.csv")));
        navigationSelect({c.col, 1, c.col, 1});
        if (*c.length) answerLength(c.length);
        ASSERT_TRUE(trigger(c.command));
        EXPECT_EQ(grid().cell(c.col, 1), c.after);
        form->files.SaveCurrentFile();
        std::vector<std::string> saved = line;
        saved[static_cast<std::size_t>(c.col - 1)] = c.after;
        EXPECT_EQ(folder.read("t.csv"), joined(saved));
    }

    // A Windows-1252 file opened next has its umlauts change case again.
    folder.write("w.csv", "M\xDCLLER\r\n");
    ASSERT_TRUE(form->files.OpenTableFile(folder.file("w.csv")));
    ASSERT_TRUE(trigger("mnuMainChangeCaseToLower"));
    EXPECT_EQ(grid().cell(1, 1), "m\xFCller");
}

TEST_F(CellTransformsTest, TheLengthDialogOffersFiftyThenTheLastConfirmedLength) {
    fill(2, 2);
    answerLength("12");
    ASSERT_TRUE(trigger("mnuFixLength"));
    const ValueDialog& dialog = form->transforms.valueDialog;
    EXPECT_EQ(dialog.caption, "Neue, feste Zellenlänge eingeben");
    EXPECT_EQ(dialog.lblString, "Feste Zellenlänge");
    EXPECT_EQ(dialog.maxLength, 4);

    answerLength("7");
    ASSERT_TRUE(trigger("mnuCutCellLength"));  // the two commands share the value
    EXPECT_EQ(dialog.caption, "Neue, maximale Zellenlänge eingeben");
    EXPECT_EQ(dialog.lblString, "Maximale Zellenlänge");

    ASSERT_TRUE(trigger("mnuFixLength"));  // cancelled: nothing remembered
    ASSERT_TRUE(trigger("mnuFixLength"));
    EXPECT_EQ(fake.dialogs.valueOffered, (std::vector<std::string>{"50", "12", "7", "7"}));
    EXPECT_EQ(form->transforms.LastCellLength, 7);
}

TEST_F(CellTransformsTest, CancelAndInvalidLengthsChangeNothing) {
    fill(2, 2);
    ASSERT_TRUE(trigger("mnuFixLength"));  // the empty script cancels
    EXPECT_FALSE(journal().Modified);
    EXPECT_TRUE(fake.dialogs.messages.empty());

    // Pasting bypasses the digit filter: empty, words and negative lengths are refused.
    for (const char* bad : {"", "ab", "-5", "5x"}) {
        answerLength(bad);
        ASSERT_TRUE(trigger("mnuCutCellLength"));
    }
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>(4, "Ungültige Eingabe"));
    EXPECT_EQ(grid().cell(1, 1), "1,1");
    EXPECT_FALSE(journal().Modified);
    EXPECT_EQ(form->transforms.LastCellLength, 50);
}

TEST_F(CellTransformsTest, TheLengthFieldTakesDigitsAndBackspaceOnly) {
    fill(2, 2);
    fake.dialogs.valueScripts.push_back([](ValueDialog& d) {
        for (char c : std::string("0123456789\b")) EXPECT_TRUE(d.edtStringKeyPress(c)) << int(c);
        for (char c : std::string("a-+ ,.\xE4\r")) EXPECT_FALSE(d.edtStringKeyPress(c)) << int(c);
        return false;
    });
    ASSERT_TRUE(trigger("mnuFixLength"));
    EXPECT_TRUE(fake.dialogs.valueScripts.empty());
}

TEST_F(CellTransformsTest, TheTimeStampReplacesTheCurrentCellAndUndoes) {
    fill(3, 3);
    grid().setCurrent(2, 1);
    form->transforms.now = [] {
        return DateTime{std::chrono::year{2024} / 3 / 5, 14, 7, 9};
    };
    ASSERT_TRUE(trigger("mnuInsertTimeStamp"));
    EXPECT_EQ(grid().cell(2, 1), "05.03.2024 14:07:09");
    EXPECT_TRUE(journal().Modified);

    // At midnight the time is left out; the toolbar button runs the same command.
    form->transforms.now = [] { return DateTime{std::chrono::year{2024} / 12 / 31, 0, 0, 0}; };
    ASSERT_TRUE(trigger("tbtTimeMark"));
    EXPECT_EQ(grid().cell(2, 1), "31.12.2024");

    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(2, 1), "05.03.2024 14:07:09");
    ASSERT_TRUE(trigger("mnuMainUndo"));
    EXPECT_EQ(grid().cell(2, 1), "2,1");
}

TEST_F(CellTransformsTest, ShortcutsOfTheModifyMenu) {
    EXPECT_EQ(commands().shortcut("mnuMainChangeCaseToUpper"), "Ctrl+U");
    EXPECT_EQ(commands().shortcut("mnuMainChangeCaseToLower"), "Ctrl+L");
    EXPECT_EQ(commands().shortcut("mnuMainChangeCaseToCapitalize"), "Ctrl+Shift+K");
    EXPECT_EQ(commands().shortcut("mnuInsertTimeStamp"), "Ctrl+Shift+A");
}

}  // namespace
}  // namespace tabulyst::testing
