#include <gtest/gtest.h>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

class CharsetCommandsTest : public FormFixture {
protected:
    CharsetCommandsTest() {
        fill(3, 3);
        grid().setCell(0, 1, "\xE4");  // header cells must stay as they are
        grid().setCell(1, 0, "\xE4");
        grid().setCell(1, 1, "Gr\xFC\xDF" "e");
        grid().setCell(2, 2, "\xC4" "ra");
        journal().ClearJournal();  // as after loading: nothing pending
    }
    bool trigger(const char* name) { return commands().trigger(name); }
    void expectHeadersUntouched() {
        EXPECT_EQ(grid().cell(0, 1), "\xE4");
        EXPECT_EQ(grid().cell(1, 0), "\xE4");
    }
};

TEST_F(CharsetCommandsTest, AnsiToUtf8AndBackByTheUser) {
    form->document.setEncoding({.byteOrderMark = true});
    ASSERT_TRUE(trigger("mnuMainAnsiToUTF8"));
    EXPECT_EQ(grid().cell(1, 1), kBom + "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(grid().cell(2, 2), "\xC3\x84" "ra");
    EXPECT_EQ(grid().cell(2, 1), "2,1");
    expectHeadersUntouched();
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(form->document.format().encoding.byteOrderMark);
    EXPECT_EQ(journal().JournalPos, -1);  // written directly, not journaled
    EXPECT_FALSE(fake.desktop.isBusy);
    EXPECT_GE(fake.desktop.busyChanges, 2);

    journal().SetModified(false);
    form->document.setEncoding({.byteOrderMark = true});
    ASSERT_TRUE(trigger("mnuMainUTF8toAnsi"));
    EXPECT_EQ(grid().cell(1, 1), "Gr\xFC\xDF" "e");
    EXPECT_EQ(grid().cell(2, 2), "\xC4" "ra");
    expectHeadersUntouched();
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(form->document.format().encoding.byteOrderMark);
}

TEST_F(CharsetCommandsTest, LoadingAndSavingLeaveTheFileEncodingAlone) {
    form->document.setEncoding({.byteOrderMark = true});
    form->charsets.mnuMainAnsiToUTF8Click(false);
    EXPECT_TRUE(form->document.format().encoding.byteOrderMark);
    form->charsets.mnuMainUTF8toAnsiClick(false);
    EXPECT_TRUE(form->document.format().encoding.byteOrderMark);
    EXPECT_EQ(grid().cell(1, 1), "Gr\xFC\xDF" "e");
}

TEST_F(CharsetCommandsTest, AnsiToUtf8TwiceEncodesTheFirstMark) {
    trigger("mnuMainAnsiToUTF8");
    trigger("mnuMainAnsiToUTF8");
    EXPECT_EQ(grid().cell(1, 1).substr(0, 9), kBom + "\xC3\xAF\xC2\xBB\xC2\xBF");
}

TEST_F(CharsetCommandsTest, Utf8ToAnsiWithoutUtf8LeavesTheModifiedState) {
    ASSERT_FALSE(journal().Modified);
    std::string before = grid().cellText(1, 1);
    trigger("mnuMainUTF8toAnsi");
    EXPECT_FALSE(journal().Modified);
    EXPECT_EQ(grid().cell(1, 1), before);
    // A lone byte-order mark is removed and counts as a change.
    grid().setCell(1, 1, kBom);
    trigger("mnuMainUTF8toAnsi");
    EXPECT_EQ(grid().cell(1, 1), "");
    EXPECT_TRUE(journal().Modified);
}

TEST_F(CharsetCommandsTest, AnsiToUtf8AlwaysSetsModified) {
    fill(2, 2);
    trigger("mnuMainAnsiToUTF8");
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(grid().cell(1, 1), kBom + "1,1");
}

TEST_F(CharsetCommandsTest, OemConversionsAreJournaledPerCell) {
    ASSERT_TRUE(trigger("mnuMainChartoOEM"));
    EXPECT_EQ(grid().cell(1, 1), "Gr\x81\xE1" "e");
    EXPECT_EQ(grid().cell(2, 2), "\x8E" "ra");
    expectHeadersUntouched();
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(fake.desktop.isBusy);
    // Two changed cells, two entries, undone one at a time (last one first).
    EXPECT_EQ(journal().JournalPos, 1);
    journal().mnuMainUndoClick();
    EXPECT_EQ(grid().cell(2, 2), "\xC4" "ra");
    EXPECT_EQ(grid().cell(1, 1), "Gr\x81\xE1" "e");

    ASSERT_TRUE(trigger("mnuMainOEMToChar"));
    EXPECT_EQ(grid().cell(1, 1), "Gr\xFC\xDF" "e");
}

TEST_F(CharsetCommandsTest, OemConversionCutsAtAZeroByteAndAlwaysSetsModified) {
    fill(2, 2);
    trigger("mnuMainOEMToChar");
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(journal().JournalPos, -1);  // nothing changed, nothing journaled
    grid().setCell(1, 1, std::string("ab\0cd", 5));
    trigger("mnuMainChartoOEM");
    EXPECT_EQ(grid().cell(1, 1), "ab");
}

}  // namespace
}  // namespace tabulyst::testing
