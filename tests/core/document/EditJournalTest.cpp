#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class EditJournalTest : public FormFixture {
protected:
    bool undoOn() { return commands().enabled("mnuMainUndo"); }
    bool redoOn() { return commands().enabled("mnuMainReUndo"); }
    void undo() { commands().trigger("mnuMainUndo"); }
    void redo() { commands().trigger("mnuMainReUndo"); }
};

TEST_F(EditJournalTest, AFreshWindowHasNothingToUndoRedoOrSave) {
    EXPECT_FALSE(undoOn());
    EXPECT_FALSE(redoOn());
    EXPECT_FALSE(commands().enabled("btnUndo"));
    EXPECT_FALSE(commands().enabled("mnuMainSave"));
    EXPECT_FALSE(commands().enabled("ToolButtonSave"));
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_EQ(journal().JumpPos, -1);
}

TEST_F(EditJournalTest, ChangeCellRecordsOnlyRealChangesButAlwaysWrites) {
    fill(3, 3);
    EXPECT_FALSE(journal().ChangeCell(1, 1, "1,1"));
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(undoOn());
    EXPECT_TRUE(journal().ChangeCell(2, 2, "x"));
    EXPECT_EQ(journal().JournalPos, 0);
    EXPECT_EQ(journal().JumpPos, 0);
    EXPECT_TRUE(undoOn());
    EXPECT_TRUE(commands().enabled("btnUndo"));  // the button follows its menu item
    EXPECT_TRUE(journal().entry(1).empty());        // the end marker
    EXPECT_FALSE(journal().ChangeCell(5, 1, "out"));
    EXPECT_FALSE(journal().Modified);  // callers set the modified state themselves
}

TEST_F(EditJournalTest, AJournaledWriteElsewhereKeepsAPendingEditUndoable) {
    fill(3, 3);
    type("typed");
    journal().ChangeCell(2, 2, "sum");  // e.g. a range sum while the current cell is being edited
    undo();
    EXPECT_EQ(grid().cell(2, 2), "2,2");
    grid().setCurrent(1, 1);
    undo();
    EXPECT_EQ(grid().cell(1, 1), "1,1");
    EXPECT_FALSE(undoOn());
}

TEST_F(EditJournalTest, TypingEnablesUndoAndSaveAtOnceAndUndoRedoTheEdit) {
    fill(3, 3);
    type("x");
    EXPECT_TRUE(undoOn());
    EXPECT_TRUE(commands().enabled("mnuMainSave"));
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(journal().JournalPos, -1);  // typing alone journals nothing
    undo();
    EXPECT_EQ(grid().cell(1, 1), "1,1");
    EXPECT_FALSE(undoOn());
    EXPECT_TRUE(redoOn());
    redo();
    EXPECT_EQ(grid().cell(1, 1), "x");
    EXPECT_FALSE(redoOn());
    EXPECT_TRUE(undoOn());
}

TEST_F(EditJournalTest, RedoWithAPendingEditDiscardsItInstead) {
    fill(3, 3);
    journal().ChangeCell(2, 2, "changed");
    undo();
    ASSERT_TRUE(redoOn());
    grid().setCurrent(1, 1);
    type("typed");
    redo();
    EXPECT_EQ(grid().cell(1, 1), "1,1");
    EXPECT_EQ(grid().cell(2, 2), "2,2");  // nothing redone
    EXPECT_TRUE(journal().entry(journal().JournalPos).empty());
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(undoOn());
    EXPECT_FALSE(redoOn());
}

TEST_F(EditJournalTest, LeavingAnEditedCellJournalsItOnce) {
    fill(4, 3);
    type("edited");
    grid().handleKey({vk::Tab, mods::None});
    EXPECT_EQ(journal().JournalPos, 0);
    const JournalEntry& e = journal().entry(0);
    EXPECT_EQ(e.oldText, "1,1");
    EXPECT_EQ(e.newText, "edited");
    EXPECT_EQ(e.col, 1);
    EXPECT_EQ(e.row, 1);
    EXPECT_TRUE(commands().enabled("mnuMainJumpBackLastChangedCell"));
    EXPECT_TRUE(commands().enabled("ToolButton15"));
    grid().handleKey({vk::Tab, mods::None});
    EXPECT_EQ(journal().JournalPos, 0);
}

TEST_F(EditJournalTest, TheRingKeepsTheNewest1023ChangesAfter1030) {
    fill(2, 2);
    for (int i = 0; i < 1030; ++i) journal().ChangeCell(1, 1, "v" + std::to_string(i));
    int undos = 0;
    while (undoOn() && undos < 2000) {
        undo();
        ++undos;
    }
    EXPECT_EQ(undos, 1023);
    // 1023 undos from v1029 lead back to the text before change 6.
    EXPECT_EQ(grid().cell(1, 1), "v6");
}

TEST_F(EditJournalTest, ANewChangeAfterUndosLeavesNothingToRedo) {
    fill(2, 2);
    for (int i = 0; i < 5; ++i) journal().ChangeCell(1, 1, "v" + std::to_string(i));
    undo();
    undo();
    undo();
    EXPECT_EQ(grid().cell(1, 1), "v1");
    journal().ChangeCell(1, 1, "new");
    EXPECT_TRUE(redoOn());  // the menu state stays ...
    redo();
    EXPECT_EQ(grid().cell(1, 1), "new");  // ... but nothing is redone
    EXPECT_FALSE(redoOn());
}

TEST_F(EditJournalTest, UndoMovesToTheChangedCellAndRestoresIt) {
    fill(4, 4);
    journal().ChangeCell(3, 2, "far");
    undo();
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().cell(3, 2), "3,2");
    EXPECT_EQ(journal().CurrentCellText(), "3,2");
    EXPECT_FALSE(journal().JournalSuspended);
    EXPECT_TRUE(journal().Modified);
}

TEST_F(EditJournalTest, UndoAndRedoReachCellsThatCanNoLongerBeCurrent) {
    fill(5, 5);
    journal().ChangeCell(3, 1, "hidden later");
    grid().setCurrent(4, 1);
    journal().ChangeCell(2, 1, "y");
    grid().setColWidth(3, -1);
    undo();
    undo();  // the move into column 3 is redirected to column 4
    EXPECT_EQ(grid().cell(3, 1), "3,1");
    EXPECT_EQ(grid().cell(2, 1), "2,1");
    grid().setCurrent(1, 2);
    EXPECT_FALSE(undoOn());  // leaving the cell reached recorded nothing
    EXPECT_EQ(grid().cell(4, 1), "4,1");

    journal().ChangeCell(1, 1, "frozen later");
    grid().setCurrent(4, 4);
    grid().setFixedRows(2);
    grid().setFixedCols(2);
    undo();
    EXPECT_EQ(grid().cell(1, 1), "1,1");
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_EQ(grid().col(), 4);
    EXPECT_EQ(grid().row(), 4);
    redo();
    EXPECT_EQ(grid().cell(1, 1), "frozen later");
    EXPECT_FALSE(journal().hasPendingEdit());
}

TEST_F(EditJournalTest, AnEntryInColumnZeroBlocksUndo) {
    fill(3, 3);
    grid().setFixedCols(0);
    journal().ChangeCell(1, 1, "a");
    journal().ChangeCell(0, 1, "zero");
    undo();
    EXPECT_EQ(grid().cell(0, 1), "zero");
    EXPECT_EQ(grid().cell(1, 1), "a");
    EXPECT_EQ(journal().JournalPos, 1);
}

TEST_F(EditJournalTest, ClearJournalEmptiesEverythingButKeepsModified) {
    fill(3, 3);
    journal().SetModified(true);
    journal().ChangeCell(1, 1, "a");
    form->bookmarks.BookmarkList[0] = {1, 1};
    form->bookmarks.UpdateBookmarkCommands();
    EXPECT_TRUE(commands().enabled("btnNextBookMark"));
    journal().ClearJournal();
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_TRUE(journal().entry(0).empty());
    EXPECT_FALSE(undoOn());
    EXPECT_FALSE(form->bookmarks.IsBookmarked(1, 1));
    EXPECT_FALSE(commands().enabled("btnNextBookMark"));
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(journal().CurrentCellText(), "a");
}

TEST_F(EditJournalTest, EditStartTextIsCapturedOnlyWhileUnmodified) {
    fill(3, 3);
    grid().openEditor();
    EXPECT_EQ(journal().EditStartText(), "1,1");
    grid().editorTextChanged("1,1");  // back to the start text: not a change
    EXPECT_FALSE(journal().Modified);
    grid().editorTextChanged("z");
    EXPECT_TRUE(journal().Modified);
    grid().setCurrent(2, 2);
    grid().openEditor();
    EXPECT_EQ(journal().EditStartText(), "1,1");
}

// Enter answers a question with its default: No wherever Yes throws work away.
TEST_F(EditJournalTest, QuestionsWhoseYesThrowsWorkAwayDefaultToNo) {
    TempFolder folder;
    folder.write("t.csv", "ab;c\r\nd;e\r\n");
    ASSERT_TRUE(form->files.OpenTableFile(folder.file("t.csv")));
    journal().ChangeCell(2, 1, "x");
    journal().SetModified(true);
    fake.dialogs.files = {folder.file("t.csv")};
    // Each is answered No and leaves the table and the journal as they were.
    for (const char* command : {"mnuMainLoad", "mnuMainReLoad", "mnuMainInsertColBevore", "mnuMainDeleteRow", "mnuMainHideCols"})
        commands().trigger(command);
    EXPECT_FALSE(form->FormClose());

    // Yes keeps the hidden column in the file.
    grid().setColWidth(2, StringGrid::kHiddenWidth);
    fake.dialogs.files = {folder.file("copy.csv")};
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainSaveAs");
    // Yes cuts "ab" to its field length.
    form->document.layout.DelimitedMode = false;
    form->document.layout.FieldLengths = {"1"};
    journal().SetModified(true);
    commands().trigger("mnuMainSave");

    using enum DefaultAnswer;
    const std::vector<std::pair<std::string, DefaultAnswer>> expected = {
        {"Änderungen verwerfen und neue Datei laden?", No},
        {"Liste der Änderungen verwerfen und erneut Laden?", No},
        {"Liste der Änderungen verwerfen und Spalte einfügen?", No},
        {"Liste der Änderungen verwerfen und Zeile(n) löschen?", No},
        {"Liste der Änderungen verwerfen und Spalte verbergen?", No},
        {"Änderungen verwerfen und beenden?", No},
        {"Auch die versteckten Spalten speichern?", Yes},
        {"Zellen zur eingestellten Feldlänge auffüllen bzw. abschneiden?", No},
    };
    std::vector<std::pair<std::string, DefaultAnswer>> asked;
    for (std::size_t i = 0; i < fake.dialogs.questions.size(); ++i)
        asked.emplace_back(fake.dialogs.questions[i], fake.dialogs.defaultAnswers[i]);
    EXPECT_EQ(asked, expected);
}

}  // namespace
}  // namespace tabulyst::testing
