#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/files/Fields.h"
#include "core/files/SafeFileWriter.h"
#include "core/table/StringsChooser.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

class TableFilesTest : public FormFixture {
protected:
    TableFiles& files() { return form->files; }
    // Writes name with bytes and opens it.
    bool open(const std::string& bytes, const std::string& name = "t.csv") {
        folder.write(name, bytes);
        return files().OpenTableFile(folder.file(name));
    }
    std::string row(int r) {
        std::string out;
        for (int c = 1; c < grid().colCount(); ++c) out += (c > 1 ? "|" : "") + grid().cellText(c, r);
        return out;
    }
    void fixedLengths(std::vector<std::string> lengths) {
        form->document.layout.DelimitedMode = false;
        form->document.layout.FieldLengths = std::move(lengths);
    }
    TempFolder folder;
};

TEST_F(TableFilesTest, DelimitedLinesBecomeRowsWithHeaderNumbers) {
    ASSERT_TRUE(open("a;b\r\nc\r\nd;e;f\r\n"));
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(grid().colCount(), 4);
    EXPECT_EQ(row(1), "a|b|");
    EXPECT_EQ(row(2), "c||");
    EXPECT_EQ(row(3), "d|e|f");
    EXPECT_EQ(grid().cell(1, 0), "1");
    EXPECT_EQ(grid().cell(3, 0), "3");
    EXPECT_EQ(grid().cell(0, 3), "3");
    EXPECT_EQ(grid().cell(0, 0), "");
    EXPECT_EQ(form->document.path(), folder.file("t.csv"));
    EXPECT_FALSE(journal().Modified);
    EXPECT_TRUE(commands().enabled("mnuMainReLoad"));
    EXPECT_TRUE(commands().enabled("ToolBtnReload"));
    EXPECT_GT(grid().colWidth(1), 18 - 1);  // fitted, never narrowed
}

TEST_F(TableFilesTest, TheSpareRowGoesButAnEmptyLastLineStays) {
    ASSERT_TRUE(open("a;b\r\n"));
    EXPECT_EQ(grid().rowCount(), 2);
    ASSERT_TRUE(open("a;b;\r\n\r\n"));
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().colCount(), 4);  // the trailing delimiter gives an empty third field
    EXPECT_EQ(row(2), "||");
    ASSERT_TRUE(open("a\r\nlast"));  // the last line needs no line end
    EXPECT_EQ(row(2), "last");
}

TEST_F(TableFilesTest, CodeTwentySixEndsTheFileAndLoneLineFeedsStayInCells) {
    ASSERT_TRUE(open("a;b\r\nc\x1A;d\r\ne\r\n"));
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(row(2), "c|");
    ASSERT_TRUE(open("x\ny;z\r\n"));
    EXPECT_EQ(grid().cell(1, 1), "x\ny");
}

TEST_F(TableFilesTest, FilesWithoutCarriageReturnsSplitAtLineFeedsAndSaveBackTheSame) {
    const std::string text = "a;b\nc;d\n\ne;f";
    ASSERT_TRUE(open(text + "\n"));
    EXPECT_EQ(grid().rowCount(), 5);
    EXPECT_EQ(row(4), "e|f");
    journal().ChangeCell(1, 1, "A");
    journal().SetModified(true);
    commands().trigger("mnuMainSave");
    EXPECT_EQ(folder.read("t.csv"), "A;b\nc;d\n\ne;f\n");  // the empty line stays empty
    ASSERT_TRUE(open("x;y\r\n", "crlf.csv"));
    files().SaveCurrentFile();  // unmodified, but the command saves when called
    EXPECT_EQ(folder.read("crlf.csv"), "x;y\r\n");
    // No line end at all: nothing says LF, and the one line stays without its line end.
    ASSERT_TRUE(open("x;y", "unended.csv"));
    files().SaveCurrentFile();
    EXPECT_EQ(folder.read("unended.csv"), "x;y");
}

TEST_F(TableFilesTest, ALineLongerThanAReadBlockStaysWhole) {
    std::string big(5 << 20, 'x');
    ASSERT_TRUE(open("a;" + big + "\r\nb;c\r\n"));
    EXPECT_EQ(grid().cell(2, 1).size(), big.size());
    EXPECT_EQ(row(2), "b|c");
    // CR as the last byte of a 4 MiB read block, its LF the first of the next:
    // one line end, and only that one LF is swallowed.
    std::string first((4 << 20) - 1, 'y');
    ASSERT_TRUE(open(first + "\r\n\nb;c\r\n"));
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().cell(1, 1).size(), first.size());
    EXPECT_EQ(row(2), "\nb|c");
}

TEST_F(TableFilesTest, ALoneLineEndAndCodeTwentySixWithoutCarriageReturns) {
    ASSERT_TRUE(open("\r\n"));  // one empty line: it stays as a row
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(grid().colCount(), 2);
    EXPECT_EQ(row(1), "");
    EXPECT_EQ(grid().cell(0, 1), "1");
    ASSERT_TRUE(open("a\nb\x1A" "c\r\nd\n"));  // the CR after code 26 is never read
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(row(1), "a");
    EXPECT_EQ(row(2), "b");
}

TEST_F(TableFilesTest, AMissingFileShowsThePlatformTextAndAddsTheRecentEntry) {
    EXPECT_FALSE(files().OpenTableFile(folder.file("missing.csv")));
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_NE(fake.dialogs.messages[0].find("No such file"), std::string::npos);
    EXPECT_EQ(form->document.path(), "");  // nothing to save over: Save asks for a name
    EXPECT_FALSE(commands().enabled("mnuMainReLoad"));
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(grid().cell(1, 0), "");  // nothing was read, nothing numbered
    EXPECT_EQ(form->recent.captions().front(), folder.file("missing.csv"));
}

TEST_F(TableFilesTest, AnUndecodableDelimiterLoadsAndWritesNothing) {
    form->document.layout.CurrentDelimiter = "#999";
    EXPECT_FALSE(open("a;b\r\n"));
    ASSERT_FALSE(fake.dialogs.messages.empty());
    EXPECT_EQ(fake.dialogs.messages.back(), "ERROR - number must be a byte!");
    EXPECT_EQ(grid().cell(1, 1), "");
}

TEST_F(TableFilesTest, FixedLengthsCutLinesAndWarnOnMismatch) {
    fixedLengths({"2", "3"});
    ASSERT_TRUE(open("abcdefg\r\nab\r\nabcde\r\n"));
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(row(1), "ab|cde");
    EXPECT_EQ(row(2), "ab|");
    EXPECT_EQ(row(3), "ab|cde");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0],
              "Die aktuelle Datei passt nicht zu den eingestellten Feldlängen. Bitte speichern Sie die Datei nicht; es "
              "droht Datenverlust!");
    fixedLengths({});
    EXPECT_FALSE(open("abc\r\n", "other.txt"));
    EXPECT_EQ(fake.dialogs.messages.back(), "Bitte stellen Sie die Feldlänge ein!");
    EXPECT_EQ(form->document.path(), "");  // the table emptied for the open is no longer t.csv's
}

TEST_F(TableFilesTest, AUtf8FileWithByteOrderMarkRoundTrips) {
    const std::string utf8 = "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e;x\r\n";
    ASSERT_TRUE(open(utf8));
    EXPECT_EQ(grid().cell(1, 1), "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_TRUE(form->document.format().encoding.byteOrderMark);
    EXPECT_FALSE(journal().Modified);
    journal().ChangeCell(2, 1, "\xC3\xA4");
    journal().SetModified(true);
    commands().trigger("mnuMainSave");
    EXPECT_EQ(folder.read("t.csv"), "\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e;\xC3\xA4\r\n");
    EXPECT_EQ(grid().cell(1, 1), "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_FALSE(journal().Modified);
    ASSERT_TRUE(open("plain\r\n", "ansi.csv"));
    EXPECT_FALSE(form->document.format().encoding.byteOrderMark);
}

TEST_F(TableFilesTest, SavingJoinsWithTheDecodedDelimiterAndNeverWritesHeaders) {
    ASSERT_TRUE(open("a;;b\r\n;;\r\n"));
    grid().setCell(1, 0, "edited header");
    grid().setCell(0, 1, "edited number");
    journal().SetModified(true);
    commands().trigger("mnuMainSave");
    EXPECT_EQ(folder.read("t.csv"), "a;;b\r\n;;\r\n");
    EXPECT_FALSE(commands().enabled("mnuMainSave"));
    form->document.layout.CurrentDelimiter = "#124";
    files().SaveCurrentFile();
    EXPECT_EQ(folder.read("t.csv"), "a||b\r\n||\r\n");
    form->document.layout.CurrentDelimiter = "::";
    files().SaveCurrentFile();
    EXPECT_EQ(folder.read("t.csv"), "a::::b\r\n::::\r\n");
}

TEST_F(TableFilesTest, PaddingAskedAndAnsweredYesPadsTheGridToo) {
    fixedLengths({"3", "2"});
    ASSERT_TRUE(open("abxyz\r\n"));
    grid().setCell(1, 1, "ab");
    grid().setCell(2, 1, "xyz");
    fake.dialogs.answers = {true};
    files().SaveCurrentFile();
    EXPECT_EQ(fake.dialogs.questions.back(), "Zellen zur eingestellten Feldlänge auffüllen bzw. abschneiden?");
    EXPECT_EQ(folder.read("t.csv"), "ab xy\r\n");
    EXPECT_EQ(grid().cell(1, 1), "ab ");
    EXPECT_EQ(grid().cell(2, 1), "xy");
}

TEST_F(TableFilesTest, PaddingRefusedWritesPlainAndReloadsTheSplit) {
    fixedLengths({"3", "2"});
    ASSERT_TRUE(open("abxyz\r\n"));
    grid().setCell(1, 1, "ab");
    grid().setCell(2, 1, "xyz");
    fake.dialogs.answers = {false};
    files().SaveCurrentFile();
    EXPECT_EQ(folder.read("t.csv"), "abxyz\r\n");
    EXPECT_EQ(row(1), "abx|yz");
    std::size_t asked = fake.dialogs.questions.size();
    files().SaveCurrentFile();  // every cell fits now: no question
    EXPECT_EQ(fake.dialogs.questions.size(), asked);
}

TEST_F(TableFilesTest, SaveAsWithoutHiddenColumnsOpensWhatWasWritten) {
    ASSERT_TRUE(open("a;b;c\r\nd;e;f\r\n"));
    grid().setColWidth(2, -1);
    fake.dialogs.files = {folder.file("sub/dir/out.csv")};
    fake.dialogs.answers = {false};
    commands().trigger("mnuMainSaveAs");
    EXPECT_EQ(fake.dialogs.questions.back(), "Auch die versteckten Spalten speichern?");
    EXPECT_EQ(folder.read("sub/dir/out.csv"), "a;c\r\nd;f\r\n");  // missing folders created
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(row(1), "a|c");
    EXPECT_EQ(form->document.path(), folder.file("sub/dir/out.csv"));
}

TEST_F(TableFilesTest, AFailedSaveKeepsTheOldFileAndTheModifiedTable) {
    ASSERT_TRUE(open("old;content\r\n"));
    journal().ChangeCell(1, 1, std::string(3 << 20, 'n'));
    journal().SetModified(true);
    WriteFaults diskFull;
    diskFull.failAfterBytes = 1 << 20;
    files().writeFaults = &diskFull;
    files().SaveCurrentFile();
    EXPECT_EQ(folder.read("t.csv"), "old;content\r\n");
    ASSERT_FALSE(fake.dialogs.messages.empty());
    EXPECT_NE(fake.dialogs.messages.back().find("No space left on device"), std::string::npos);
    EXPECT_TRUE(journal().Modified);
    EXPECT_TRUE(commands().enabled("mnuMainSave"));
    // Save As that fails: the name is already in the recent list, the title stays.
    fake.dialogs.files = {folder.file("other.csv")};
    commands().trigger("mnuMainSaveAs");
    EXPECT_TRUE(fake.dialogs.questions.empty());  // no hidden column, no question
    EXPECT_EQ(form->recent.captions().front(), folder.file("other.csv"));
    EXPECT_EQ(form->document.path(), folder.file("t.csv"));
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(std::filesystem::exists(folder.file("other.csv")));
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) leftovers += entry.is_regular_file();
    EXPECT_EQ(leftovers, 1);  // no temporary file stays behind
}

TEST_F(TableFilesTest, AFolderWithoutNewFilesIsWrittenInPlaceKeepingTheLink) {
    ASSERT_TRUE(open("a;b\r\n", "real.csv"));
    std::filesystem::create_symlink(folder.file("real.csv"), folder.file("link.csv"));
    ASSERT_TRUE(files().OpenTableFile(folder.file("link.csv")));
    journal().ChangeCell(1, 1, "z");
    WriteFaults noNewFiles;
    noNewFiles.refuseTempFile = true;
    files().writeFaults = &noNewFiles;
    files().SaveCurrentFile();
    EXPECT_EQ(folder.read("real.csv"), "z;b\r\n");
    files().writeFaults = nullptr;
    journal().ChangeCell(2, 1, "y");
    files().SaveCurrentFile();
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.csv")));
    EXPECT_EQ(folder.read("real.csv"), "z;y\r\n");
}

TEST_F(TableFilesTest, ReloadKeepsHiddenAndWidenedColumnsAndTheView) {
    ASSERT_TRUE(open("a;b;c;d\r\ne;f;g;h\r\ni;j;k;l\r\n"));
    grid().setColWidth(2, -1);
    grid().setColWidth(3, 77);
    grid().setCurrent(3, 2);
    folder.write("t.csv", "A;B;C;D\r\nE;F;G;H\r\nI;J;K;L\r\nM;N;O;P\r\n");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(row(4), "M|N|O|P");
    EXPECT_EQ(grid().colWidth(2), -1);
    EXPECT_EQ(grid().colWidth(3), 77);
    EXPECT_TRUE(commands().enabled("mnuMainShowAllCols"));
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 2);
    folder.write("t.csv", "x;y\r\n");
    commands().trigger("mnuMainReLoad");  // fewer columns and rows: what fits is kept
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(grid().colWidth(2), -1);
    EXPECT_EQ(grid().row(), 1);
}

TEST_F(TableFilesTest, ReloadStopsRestoringAtTheFirstValueThatNoLongerFits) {
    ASSERT_TRUE(open("a;b;c;d\r\ne;f;g;h\r\ni;j;k;l\r\nm;n;o;p\r\n"));
    grid().setFixedRows(2);
    grid().setFixedCols(2);
    grid().setCurrent(3, 4);
    folder.write("t.csv", "a;b;c;d\r\n");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(grid().fixedRows(), 1);  // 2 fixed rows no longer fit: nothing after it is restored
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_EQ(grid().col(), 1);

    grid().setCurrent(3, 1);
    folder.write("t.csv", "a;b;c;d\r\ne\r\nf\r\ng\r\n");
    ASSERT_TRUE(files().OpenTableFile(folder.file("t.csv")));
    grid().setCurrent(3, 4);
    folder.write("t.csv", "a;b\r\nc;d\r\ne;f\r\ng;h\r\n");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(grid().row(), 1);  // column 3 is gone, so row 4 is not restored although it exists
    EXPECT_TRUE(commands().enabled("mnuMainReLoad"));
}

TEST_F(TableFilesTest, ReloadAsksWhenModifiedAndNeedsAFileName) {
    commands().setEnabled("mnuMainReLoad", true);
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(fake.dialogs.messages.back(), "Erneutes Laden nicht möglich, es wurde kein Dateiname vergeben!");
    ASSERT_TRUE(open("a\r\n"));
    journal().ChangeCell(1, 1, "b");
    journal().SetModified(true);
    fake.dialogs.answers = {false};
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(fake.dialogs.questions.back(), "Liste der Änderungen verwerfen und erneut Laden?");
    EXPECT_EQ(grid().cell(1, 1), "b");
}

TEST_F(TableFilesTest, CyclicReloadOffersTheIntervalsWithThePresentOneChecked) {
    ASSERT_TRUE(open("a\r\n"));
    std::vector<std::string> checked;
    fake.dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        for (const auto& item : c.clbClientClient)
            if (item.checked) checked.push_back(item.text);
        for (auto& item : c.clbClientClient) item.checked = item.text == "Every second";
        EXPECT_FALSE(c.pnlClientRightVisible);
        return true;
    });
    commands().trigger("mnuMainCyclicalReLoad");
    EXPECT_EQ(checked, std::vector<std::string>{"Every 50 seconds"});
    EXPECT_EQ(form->timReload.interval(), 1000);
    EXPECT_TRUE(form->timReload.enabled());
    folder.write("t.csv", "changed\r\n");
    form->timReload.fire();
    EXPECT_EQ(grid().cell(1, 1), "changed");
    EXPECT_TRUE(form->timReload.enabled());  // the tick starts it again
    journal().SetModified(true);
    fake.dialogs.answers = {false};
    form->timReload.fire();  // not discarded: the table stays, the timer runs on
    EXPECT_EQ(fake.dialogs.questions.back(), "Liste der Änderungen verwerfen und erneut Laden?");
    EXPECT_TRUE(journal().Modified);
    EXPECT_TRUE(form->timReload.enabled());
    journal().SetModified(false);
    files().OpenTableFile(folder.file("t.csv"));
    EXPECT_FALSE(form->timReload.enabled());  // any other load stops it
    fake.dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        for (auto& item : c.clbClientClient) item.checked = item.text == "*> STOP CYCLICAL RELOAD <*";
        return true;
    });
    commands().trigger("mnuMainCyclicalReLoad");
    EXPECT_EQ(form->timReload.interval(), 10000000);
    EXPECT_FALSE(form->timReload.enabled());
    checked.clear();
    fake.dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        for (const auto& item : c.clbClientClient)
            if (item.checked) checked.push_back(item.text);
        return false;
    });
    commands().trigger("mnuMainCyclicalReLoad");
    EXPECT_EQ(checked, std::vector<std::string>{"*> STOP CYCLICAL RELOAD <*"});
    form->timReload.setEnabled(true);
    commands().trigger("mnuMainCyclicalReLoad");  // cancelled: the cyclic reload ends
    EXPECT_FALSE(form->timReload.enabled());
}

TEST_F(TableFilesTest, OpenAsksAfterTheFileWasChosen) {
    journal().SetModified(true);
    fake.dialogs.files = {std::nullopt};
    commands().trigger("mnuMainLoad");
    EXPECT_TRUE(fake.dialogs.questions.empty());  // cancelled dialog: no question
    folder.write("n.csv", "n\r\n");
    fake.dialogs.files = {folder.file("n.csv")};
    fake.dialogs.answers = {false};
    commands().trigger("mnuMainLoad");
    EXPECT_EQ(fake.dialogs.questions.back(), "Änderungen verwerfen und neue Datei laden?");
    EXPECT_EQ(grid().cell(1, 1), "");
}

class CommandLineTest : public TableFilesTest {
protected:
    void start(std::vector<std::string> args) {
        folder.write("cl.csv", "a;b;c\r\nd;e;f\r\ng;h;i\r\nj;k;l\r\nm;n;o\r\np;q;r\r\n");
        args.insert(args.begin(), folder.file("cl.csv"));
        form->commandLine = std::move(args);
        form->FormPaint();
    }
};

TEST_F(CommandLineTest, FileFixedCountsAndCurrentCellApplyEachOnItsOwn) {
    start({"1", "2", "5", "3"});
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().fixedCols(), 2);
    EXPECT_EQ(grid().row(), 5);
    EXPECT_EQ(grid().col(), 3);
    EXPECT_TRUE(commands().enabled("mnuMainReLoad"));
    EXPECT_EQ(journal().JournalPos, -1);
}

TEST_F(CommandLineTest, BadParametersAreSkippedAndASecondPaintDoesNothing) {
    start({"x", "2", "99"});
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().fixedCols(), 2);
    EXPECT_EQ(grid().row(), 1);
    folder.write("cl.csv", "other\r\n");
    form->FormPaint();
    EXPECT_EQ(grid().cell(1, 1), "a");
}

TEST_F(TableFilesTest, ALastLineWithoutLineEndStaysSoAndARowAfterItGetsOneBetween) {
    form->document.layout.CurrentDelimiter = ",";
    struct Case {
        const char* what;
        std::string bytes;
        std::string withRowAfter;
    };
    const Case cases[] = {
        {"CR LF", "a,b,c\r\n1,\"\",\"\"\r\n2,3,4", "a,b,c\r\n1,\"\",\"\"\r\n2,3,4\r\nx,,"},
        {"LF", "a,b,c\n1,2,3\n2,3,4", "a,b,c\n1,2,3\n2,3,4\nx,,"},
        {"UTF-8 with mark", "\xEF\xBB\xBFK\xC3\xB6ln,1\r\nM\xC3\xBCnchen,2", "\xEF\xBB\xBFK\xC3\xB6ln,1\r\nM\xC3\xBCnchen,2\r\nx,"},
        {"ended", "a,b\r\n1,2\r\n", "a,b\r\n1,2\r\nx,\r\n"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(open(c.bytes)) << c.what;
        const int last = grid().rowCount() - 1;
        journal().ChangeCell(1, 1, "changed");
        commands().trigger("mnuMainUndo");
        journal().SetModified(true);
        commands().trigger("mnuMainSave");
        EXPECT_EQ(folder.read("t.csv"), c.bytes) << c.what;
        grid().setCurrent(1, last);
        fake.dialogs.answers = {true};
        commands().trigger("mnuMainInsertRowAfter");
        journal().ChangeCell(1, last + 1, "x");
        journal().SetModified(true);
        commands().trigger("mnuMainSave");
        EXPECT_EQ(folder.read("t.csv"), c.withRowAfter) << c.what;
    }
}

}  // namespace
// A line of more fields than a record of 16-bit words holds, among short lines:
// the grid shows what splitting each line on its own gives, the header numbers
// every column, and saving gives the file back (untouched, and with a cell of
// the wide line changed).
TEST_F(TableFilesTest, AVeryWideLineReadsAsSplittingLineByLine) {
    std::string wide;
    for (int i = 0; i < 70'000; ++i) wide += (i ? ";" : "") + std::string(i % 5 == 0 ? "" : "f") + std::to_string(i);
    const std::vector<std::string> lines{"a;b", wide, "", "x;y;z"};
    std::string file;
    for (const auto& line : lines) file += line + "\r\n";
    ASSERT_TRUE(open(file));
    ASSERT_EQ(grid().rowCount(), 5);
    ASSERT_EQ(grid().colCount(), 70'001);
    std::vector<std::string_view> fields;
    for (int r = 1; r <= 4; ++r) {
        splitFields(lines[static_cast<std::size_t>(r - 1)], ";", fields);
        fields.resize(static_cast<std::size_t>(grid().colCount() - 1));
        int wrong = 0;
        for (int c = 1; c < grid().colCount(); ++c)
            wrong += grid().cell(c, r) != fields[static_cast<std::size_t>(c - 1)];
        EXPECT_EQ(wrong, 0) << "row " << r;
    }
    int misnumbered = 0;
    for (int c = 1; c < grid().colCount(); ++c) misnumbered += grid().cell(c, 0) != std::to_string(c);
    EXPECT_EQ(misnumbered, 0);
    EXPECT_EQ(grid().cell(0, 0), "");

    // Where the saved bytes first differ from the expected ones (npos: nowhere), so a failure stays short.
    auto firstDifference = [&](const std::string& expected) {
        const std::string saved = folder.read("t.csv");
        const auto at = std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end());
        return at.first == saved.end() && at.second == expected.end() ? std::string::npos
                                                                      : static_cast<std::size_t>(at.first - saved.begin());
    };
    folder.write("t.csv", "");  // read into memory (under a MiB): the save must write it all again
    files().SaveCurrentFile();
    EXPECT_EQ(firstDifference(file), std::string::npos);
    ASSERT_TRUE(journal().ChangeCell(70'000, 2, "changed"));
    files().SaveCurrentFile();
    const std::string changed = "a;b\r\n" + wide.substr(0, wide.rfind(';') + 1) + "changed\r\n\r\nx;y;z\r\n";
    EXPECT_EQ(firstDifference(changed), std::string::npos);
}

}  // namespace tabulyst::testing
