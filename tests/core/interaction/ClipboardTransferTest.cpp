#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class FakeEditor : public CellEditorHost {
public:
    int cuts = 0, copies = 0, pastes = 0;
    void cut() override { ++cuts; }
    void copy() override { ++copies; }
    void paste() override { ++pastes; }
    void key(int, bool, bool, bool) override {}
};

class ClipboardTest : public FormFixture {
protected:
    // Cells "a".."x" row by row, a semicolon layout without quoted fields
    // (the clipboard then uses the table's delimiter), a clean journal.
    void letters(int dataCols, int dataRows) {
        fill(dataCols + 1, dataRows + 1);
        char next = 'a';
        for (int r = 1; r <= dataRows; ++r)
            for (int c = 1; c <= dataCols; ++c) grid().setCell(c, r, std::string(1, next++));
        form->document.layout = LayoutSettings{};
        form->document.layout.QuotedFields = false;
        journal().ClearJournal();
        journal().SetModified(false);
    }
    std::string& clip() { return fake.desktop.clipboardText; }
    std::string at(int c, int r) { return grid().cellText(c, r); }
};

TEST_F(ClipboardTest, CopySelectionJoinsCellsAndRowsWithoutTrailingSeparators) {
    letters(4, 3);
    grid().setCurrent(2, 1);
    grid().extendTo(4, 2);
    commands().trigger("mnuCopy");
    EXPECT_EQ(clip(), "b;c;d\r\nf;g;h");
    EXPECT_FALSE(journal().Modified);

    form->document.layout.DelimitedMode = false;
    commands().trigger("btnCopy");
    EXPECT_EQ(clip(), "bcd\r\nfgh");

    form->document.layout.DelimitedMode = true;
    form->document.layout.CurrentDelimiter = "#9";
    KeyStroke ctrlInsert{vk::Insert, mods::Ctrl};
    form->StrGridKeyDown(ctrlInsert);
    EXPECT_EQ(clip(), "b\tc\td\r\nf\tg\th");
    EXPECT_NE(ctrlInsert.key, 0);  // left to the widget
}

TEST_F(ClipboardTest, CopyRowAndColumnFormats) {
    letters(3, 3);
    grid().setCurrent(2, 2);
    commands().trigger("mnuCopyRow");
    EXPECT_EQ(clip(), "d;e;f");
    commands().trigger("mnuCopyCol");
    EXPECT_EQ(clip(), "b\r\ne\r\nh\r\n");
}

TEST_F(ClipboardTest, UndecodableDelimiterIsReportedAndNothingIsCopiedOrCut) {
    letters(2, 1);
    form->document.layout.CurrentDelimiter = "x#";
    clip() = "before";
    grid().extendTo(2, 1);
    commands().trigger("mnuCopy");
    commands().trigger("mnuCut");
    EXPECT_EQ(clip(), "before");
    EXPECT_EQ(at(1, 1), "a");
    ASSERT_EQ(fake.dialogs.messages.size(), 2u);
    EXPECT_EQ(fake.dialogs.messages[0], "ERROR - # without number found!");
}

TEST_F(ClipboardTest, CutCopiesThenClearsThroughTheJournal) {
    letters(2, 2);
    grid().extendTo(2, 1);
    commands().trigger("btnCut");
    EXPECT_EQ(clip(), "a;b");
    EXPECT_EQ(at(1, 1), "");
    EXPECT_EQ(at(2, 1), "");
    EXPECT_EQ(at(1, 2), "c");
    EXPECT_TRUE(journal().Modified);
    journal().mnuMainUndoClick();
    journal().mnuMainUndoClick();
    EXPECT_EQ(at(1, 1), "a");
    EXPECT_EQ(at(2, 1), "b");
}

TEST_F(ClipboardTest, DeleteKeyClearsSelectionButNotWhileEditing) {
    letters(2, 2);
    grid().extendTo(2, 2);
    KeyStroke del{vk::Delete, mods::None};
    form->StrGridKeyDown(del);
    EXPECT_EQ(at(1, 1), "");
    EXPECT_EQ(at(2, 2), "");
    EXPECT_TRUE(journal().Modified);

    letters(2, 2);
    grid().setCurrent(1, 1);
    grid().extendTo(2, 2);
    grid().openEditor();
    KeyStroke del2{vk::Delete, mods::None};
    form->StrGridKeyDown(del2);
    KeyStroke shiftDel{vk::Delete, mods::Shift};
    form->StrGridKeyDown(shiftDel);
    EXPECT_EQ(at(1, 1), "a");
    EXPECT_EQ(at(2, 2), "d");
    EXPECT_FALSE(journal().Modified);
}

TEST_F(ClipboardTest, PasteBlockAtCellWithTrailingLineBreak) {
    letters(4, 7);
    grid().setCurrent(2, 5);
    clip() = "a;b\r\ne;f\r\n";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(2, 5), "a");
    EXPECT_EQ(at(3, 5), "b");
    EXPECT_EQ(at(2, 6), "e");
    EXPECT_EQ(at(3, 6), "f");
    EXPECT_EQ(at(4, 5), "t");  // untouched right of the block
    EXPECT_EQ(at(2, 7), "z");  // no further row from the trailing break
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(grid().row(), 5);
    EXPECT_TRUE(journal().Modified);
    EXPECT_TRUE(commands().enabled("mnuMainJumpBackLastChangedCell"));
    EXPECT_FALSE(grid().updating());
    // Every piece is its own journal entry.
    journal().mnuMainUndoClick();
    EXPECT_EQ(at(3, 6), "w");
    EXPECT_EQ(at(2, 6), "e");
}

TEST_F(ClipboardTest, PasteAtTheEdgeDropsTextAndKeepsTheGridSize) {
    letters(3, 2);
    grid().setCurrent(3, 2);
    clip() = "x;y;z\r\nq;r";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(3, 2), "x");
    EXPECT_EQ(grid().colCount(), 4);
    EXPECT_EQ(grid().rowCount(), 3);
}

TEST_F(ClipboardTest, PasteOfEqualCellsChangesNothing) {
    letters(2, 2);
    clip() = "a;b\r\nc;d";
    commands().trigger("btnPaste");
    EXPECT_FALSE(journal().Modified);
    EXPECT_EQ(journal().JournalPos, -1);
}

TEST_F(ClipboardTest, EmptyClipboardEmptiesTheCurrentCellInDelimitedMode) {
    letters(2, 2);
    clip() = "";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "");
    EXPECT_EQ(at(2, 1), "b");
    EXPECT_TRUE(journal().Modified);

    form->document.layout.DelimitedMode = false;
    form->document.layout.FieldLengths = {"1"};
    journal().SetModified(false);
    commands().trigger("btnPaste");
    EXPECT_FALSE(journal().Modified);  // nothing to write in fixed-length mode
}

TEST_F(ClipboardTest, EmptyLineEmptiesFirstCellOfItsRowAndPiecesAreNotTrimmed) {
    letters(2, 3);
    clip() = " x ;y\r\n\r\nz";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), " x ");
    EXPECT_EQ(at(1, 2), "");
    EXPECT_EQ(at(2, 2), "d");
    EXPECT_EQ(at(1, 3), "z");
}

TEST_F(ClipboardTest, MultiCharacterDelimiterSplitsAsAWhole) {
    letters(3, 1);
    form->document.layout.CurrentDelimiter = "#124#124";  // "||"
    clip() = "1||2|3";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "1");
    EXPECT_EQ(at(2, 1), "2|3");
}

TEST_F(ClipboardTest, PasteSplitsEachLineAtDelimitersWhollyInsideItAsTheReaderDoes) {
    // The text used to be split as a whole, so a delimiter could reach across a
    // line end or use the delimiter appended to the line.
    letters(3, 2);
    form->document.layout.CurrentDelimiter = "#124#124";  // "||"
    clip() = "1||2|\r\nx|";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "1");
    EXPECT_EQ(at(2, 1), "2|");
    EXPECT_EQ(at(3, 1), "c");
    EXPECT_EQ(at(1, 2), "x|");
    EXPECT_EQ(at(2, 2), "e");

    letters(2, 2);
    form->document.layout.CurrentDelimiter = "::";
    clip() = ":\r\na:::b";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), ":");
    EXPECT_EQ(at(2, 1), "b");
    EXPECT_EQ(at(1, 2), "a");
    EXPECT_EQ(at(2, 2), ":b");
    EXPECT_TRUE(journal().Modified);
}

TEST_F(ClipboardTest, EmptyDelimiterEndsThePasteWithoutWriting) {
    letters(2, 2);
    form->document.layout.CurrentDelimiter = "";
    clip() = "x;y";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "a");
    EXPECT_FALSE(journal().Modified);
    EXPECT_FALSE(form->clipboardTransfer.PasteBusy);
}

TEST_F(ClipboardTest, FixedLengthPasteCutsByLengthAndStopsAtAMissingLength) {
    letters(3, 2);
    form->document.layout.DelimitedMode = false;
    form->document.layout.FieldLengths = {"3", "2"};
    clip() = "abcde\r\n";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "abc");
    EXPECT_EQ(at(2, 1), "de");
    EXPECT_EQ(at(1, 2), "d");
    EXPECT_TRUE(journal().Modified);
    EXPECT_TRUE(fake.dialogs.messages.empty());

    journal().SetModified(false);
    clip() = "ab cdefg\r\nxyz";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "ab");  // trimmed
    EXPECT_EQ(at(2, 1), "cd");
    EXPECT_EQ(at(3, 1), "c");  // no third length: the paste stopped here
    EXPECT_EQ(at(1, 2), "d");  // the next line was not reached
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"Auswahl passt nicht zu den Einstellungen!"});
    EXPECT_FALSE(journal().Modified);  // the end-of-paste step did not run
    EXPECT_FALSE(form->clipboardTransfer.PasteBusy);
}

TEST_F(ClipboardTest, FixedLengthPasteRejectsLengthThatIsNoNumber) {
    for (const char* bad : {"x", "+-2", "-1", " 2"}) {
        letters(2, 1);
        fake.dialogs.messages.clear();
        form->document.layout.DelimitedMode = false;
        form->document.layout.FieldLengths = {bad};
        clip() = "abc";
        commands().trigger("btnPaste");
        EXPECT_EQ(at(1, 1), "a") << bad;
        EXPECT_EQ(fake.dialogs.messages.size(), 1u) << bad;
    }
}

TEST_F(ClipboardTest, CtrlVFillsEverySelectedCellWithOneValue) {
    letters(4, 3);
    grid().setCurrent(1, 1);
    grid().extendTo(3, 2);
    clip() = "x";
    commands().trigger("mnuPaste");
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(at(c, r), "x") << c << "," << r;
    EXPECT_EQ(at(4, 1), "d");
    EXPECT_EQ(at(1, 3), "i");
    EXPECT_FALSE(grid().updating());
    EXPECT_TRUE(journal().Modified);
}

TEST_F(ClipboardTest, SelectionPasteLetsEventsRunEvery250Pastes) {
    fill(3, 302);
    grid().setCurrent(1, 1);
    grid().extendTo(2, 300);
    clip() = "v";
    int before = fake.desktop.eventsProcessed;
    // Pastes the user starts while events run do nothing.
    int nested = 0;
    fake.desktop.onProcessEvents = [&] {
        ++nested;
        clip() = "w";
        commands().trigger("btnPaste");
        KeyStroke shiftInsert{vk::Insert, mods::Shift};
        form->StrGridKeyDown(shiftInsert);
        commands().trigger("mnuPaste");
        clip() = "v";
    };
    commands().trigger("mnuPaste");
    fake.desktop.onProcessEvents = nullptr;
    EXPECT_EQ(fake.desktop.eventsProcessed - before, 2);  // 600 pastes
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(at(2, 300), "v");
    EXPECT_EQ(at(2, 301), "2,301");
    EXPECT_EQ(at(2, 125), "v");  // the cell current at the first pause
    EXPECT_EQ(at(2, 250), "v");
    EXPECT_FALSE(fake.desktop.isBusy);
    EXPECT_FALSE(form->clipboardTransfer.PasteBusy);
}

TEST_F(ClipboardTest, ShiftInsertPastesWithRedrawRestored) {
    letters(2, 2);
    clip() = "p;q";
    int layouts = 0;
    grid().layoutChanged.connect([&] { ++layouts; });
    KeyStroke shiftInsert{vk::Insert, mods::Shift};
    form->StrGridKeyDown(shiftInsert);
    EXPECT_EQ(at(1, 1), "p");
    EXPECT_EQ(at(2, 1), "q");
    EXPECT_FALSE(grid().updating());
    EXPECT_GT(layouts, 0);
    EXPECT_FALSE(fake.desktop.isBusy);
    EXPECT_GT(fake.desktop.busyChanges, 0);
}

TEST_F(ClipboardTest, OpenEditorGetsCutCopyAndPaste) {
    letters(2, 2);
    FakeEditor editor;
    grid().setEditorHost(&editor);
    grid().openEditor();
    commands().trigger("mnuCopy");
    EXPECT_EQ(editor.copies, 1);
    EXPECT_FALSE(journal().Modified);
    commands().trigger("btnCut");
    EXPECT_EQ(editor.cuts, 1);
    EXPECT_TRUE(journal().Modified);
    journal().SetModified(false);
    commands().trigger("btnPaste");
    EXPECT_EQ(editor.pastes, 1);
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(at(1, 1), "a");
    EXPECT_TRUE(clip().empty());
    grid().setEditorHost(nullptr);
}

TEST_F(ClipboardTest, WithQuotedFieldsCellsTravelAsSpreadsheetsWriteThem) {
    letters(3, 2);
    form->document.layout.QuotedFields = true;
    grid().setCell(2, 1, "x\ty");
    grid().setCell(3, 1, "l1\r\nl2");
    grid().setCell(1, 2, "say \"hi\"");
    grid().setCell(2, 2, "a;b");
    grid().setCurrent(1, 1);
    grid().extendTo(3, 2);
    commands().trigger("mnuCopy");
    // Tabs between cells; quotes only round a tab or a line break.
    EXPECT_EQ(clip(), "a\t\"x\ty\"\t\"l1\r\nl2\"\r\nsay \"hi\"\ta;b\tf");
    grid().setCurrent(1, 2);
    commands().trigger("mnuCopyRow");
    EXPECT_EQ(clip(), "say \"hi\"\ta;b\tf");

    // A block copied from a spreadsheet lands cell by cell, its line break kept in the cell.
    clip() = "1\t\"two\nlines\"\r\n\"q\"\"\"\t4\r\n";
    grid().setCurrent(2, 1);
    commands().trigger("btnPaste");
    EXPECT_EQ(at(2, 1), "1");
    EXPECT_EQ(at(3, 1), "two\nlines");
    EXPECT_EQ(at(2, 2), "q\"");
    EXPECT_EQ(at(3, 2), "4");
    EXPECT_TRUE(journal().Modified);
}

}  // namespace
}  // namespace tabulyst::testing

namespace tabulyst::testing {
namespace {

// The clipboard speaks UTF-8; cells are in their table's encoding.
TEST_F(ClipboardTest, TheClipboardCarriesRealCharactersInEitherEncoding) {
    letters(3, 2);
    grid().setCell(1, 1, "K\xF6ln");  // Windows-1252
    grid().setCurrent(1, 1);
    grid().extendTo(2, 1);
    commands().trigger("mnuCopy");
    EXPECT_EQ(clip(), "Köln;b");

    grid().setCurrent(1, 2);
    clip() = "Müller;€";
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 2), "M\xFCller");
    EXPECT_EQ(at(2, 2), "\x80");

    // A character the table lacks: the user keeps the table as it is, and nothing is pasted.
    clip() = "Łódź";
    commands().trigger("btnPaste");
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_EQ(at(1, 2), "M\xFCller");
    EXPECT_FALSE(form->document.format().encoding.utf8);
    // Agreed: the table becomes UTF-8, its cells with it, and the text goes in.
    fake.dialogs.answers.push_back(true);
    commands().trigger("btnPaste");
    EXPECT_TRUE(form->document.format().encoding.utf8);
    EXPECT_EQ(at(1, 2), "Łódź");
    EXPECT_EQ(at(2, 2), "€");

    // Field lengths count characters of a UTF-8 table.
    form->document.layout.DelimitedMode = false;
    form->document.layout.FieldLengths = {"2", "3"};
    clip() = "ŁóDź€x";
    grid().setCurrent(1, 1);
    commands().trigger("btnPaste");
    EXPECT_EQ(at(1, 1), "Łó");
    EXPECT_EQ(at(2, 1), "Dź€");
}

}  // namespace
}  // namespace tabulyst::testing
