// A load, reload or re-split that fails, for whatever reason, must never leave
// a table that Save writes over the file it came from.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/files/TableReadAhead.h"
#include "support/FailingAllocator.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Separator = LayoutDialog::Separator;

// n lines of four fields; from about 33,000 lines on the file is mapped and split in pieces.
std::string table(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "row " + std::to_string(i) + ";M\xFCller;" + std::to_string(i * 7) + ";Stra\xDF" "e " + "\r\n";
    return text;
}

class FailedLoadTest : public FormFixture {
protected:
    bool open(const std::string& name) { return form->files.OpenTableFile(folder.file(name)); }

    // Saves whatever the table shown is, as a user pressing Ctrl+S would; a
    // table without a file name asks for one, and the question is cancelled.
    void saveAsTheUserWould() {
        fake.dialogs.files.clear();
        fake.dialogs.answers.clear();
        journal().SetModified(true);
        commands().trigger("mnuMainSave");
    }

    // Runs command with its n-th request for memory failing, for growing n,
    // until a run makes fewer requests than n; check sees what each run left.
    void failEachRequest(const std::function<void()>& prepare, const std::string& command,
                         const std::function<void(long)>& check) {
        for (long n = 1;; n += std::max(1L, n / 4)) {
            prepare();
            bool fired = false;
            {
                FailingRequest failing(n);
                commands().trigger(command);
                fired = failing.fired();
            }
            check(n);
            if (!fired || ::testing::Test::HasFailure()) return;
            ASSERT_LT(n, 10'000'000) << "the requests never end";
        }
    }

    TempFolder folder;
};

TEST_F(FailedLoadTest, RunningOutOfMemoryAnywhereLeavesNoTableThatSaveWritesOverItsFile) {
    for (int lines : {40, 40'000}) {
        SCOPED_TRACE(lines);
        const std::string original = table(lines);
        folder.write("t.csv", original);
        folder.write("other.csv", "x;y\r\n");
        form->document.layout.CurrentDelimiter = ";";

        // Open: the table is the whole file under its name, or an empty one without a name.
        failEachRequest(
            [&] {
                ASSERT_TRUE(open("other.csv"));
                fake.dialogs.files = {folder.file("t.csv")};
            },
            "mnuMainLoad",
            [&](long n) {
                // Failing before the open began leaves the table before as it was.
                const std::string title = form->document.path();
                if (title == folder.file("other.csv")) {
                    EXPECT_EQ(grid().cell(2, 1), "y") << n;
                } else if (!title.empty()) {
                    EXPECT_EQ(title, folder.file("t.csv")) << n;
                    EXPECT_EQ(grid().rowCount(), lines + 1) << n;
                }
                saveAsTheUserWould();
                EXPECT_EQ(folder.read("t.csv"), original) << n;
                EXPECT_EQ(folder.read("other.csv"), "x;y\r\n") << n;
            });

        // Reload of a changed table: the file's table, or the one shown before with its change.
        std::string edited = original;
        edited.replace(0, 5, "first");
        failEachRequest(
            [&] {
                folder.write("t.csv", original);
                form->document.layout.CurrentDelimiter = ";";
                ASSERT_TRUE(open("t.csv"));
                journal().ChangeCell(1, 1, "first");
                journal().SetModified(true);
                fake.dialogs.answers = {true};
            },
            "mnuMainReLoad",
            [&](long n) {
                EXPECT_EQ(form->document.path(), folder.file("t.csv")) << n;
                saveAsTheUserWould();
                const std::string saved = folder.read("t.csv");
                EXPECT_TRUE(saved == original || saved == edited) << n << ": " << saved.substr(0, 40);
            });

        // A new delimiter: the table re-split under it, or the one before under the layout before.
        failEachRequest(
            [&] {
                folder.write("t.csv", original);
                form->document.layout.CurrentDelimiter = ";";
                ASSERT_TRUE(open("t.csv"));
                fake.dialogs.layoutScripts.push_back([](LayoutDialog& d) {
                    d.checkedSeparator = Separator::ASCII;
                    return true;
                });
            },
            "mnuMainSetDelimiter",
            [&](long n) {
                EXPECT_EQ(form->document.path(), folder.file("t.csv")) << n;
                const bool resplit = form->document.layout.CurrentDelimiter == ",";
                EXPECT_EQ(grid().colCount(), resplit ? 2 : 5) << n;
                saveAsTheUserWould();
                EXPECT_EQ(folder.read("t.csv"), original) << n;
            });
    }
}

TEST_F(FailedLoadTest, AFileThatCannotBeReadOrCutKeepsTheTableShownOrLeavesNoName) {
    folder.write("t.csv", "a;b\r\nc;d\r\n");
    ASSERT_TRUE(open("t.csv"));
    journal().ChangeCell(1, 1, "A");
    journal().SetModified(true);

    // A read error (a folder in the file's place): the reload keeps the table, its change and its journal.
    std::filesystem::remove(folder.file("t.csv"));
    std::filesystem::create_directory(folder.file("t.csv"));
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainReLoad");
    EXPECT_FALSE(fake.dialogs.messages.empty());
    EXPECT_EQ(form->document.path(), folder.file("t.csv"));
    EXPECT_EQ(grid().cell(1, 1), "A");
    EXPECT_TRUE(journal().Modified);
    EXPECT_TRUE(commands().enabled("mnuMainUndo"));
    // Opening it: an empty table without a name.
    fake.dialogs.messages.clear();
    EXPECT_FALSE(open("t.csv"));
    EXPECT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(form->document.path(), "");
    EXPECT_EQ(grid().cell(1, 1), "");
    std::filesystem::remove(folder.file("t.csv"));

    // Layouts that cannot cut a line are refused in the dialog, which stays open (and is then cancelled).
    folder.write("t.csv", "a;b\r\nc;d\r\n");
    ASSERT_TRUE(open("t.csv"));
    struct Refused {
        const char* what;
        std::function<void(LayoutDialog&)> choose;
        const char* message;
    };
    const Refused refused[] = {
        {"empty free delimiter", [](LayoutDialog& d) { d.checkedSeparator = Separator::Free1; d.edtSeperatorFree1 = ""; },
         "Bitte geben Sie ein Trennzeichen ein!"},
        {"no delimiter chosen", [](LayoutDialog& d) { d.checkedSeparator = Separator::None; },
         "Bitte geben Sie ein Trennzeichen ein!"},
        {"fixed lengths without any", [](LayoutDialog& d) { d.rbxClientBottomClientClientSeperatorOrLengthClick(1); },
         "Bitte stellen Sie die Feldlänge ein!"},
    };
    for (const auto& r : refused) {
        fake.dialogs.messages.clear();
        fake.dialogs.layoutScripts.push_back([&](LayoutDialog& d) {
            r.choose(d);
            return true;
        });
        commands().trigger("mnuMainSetDelimiter");
        EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{r.message}) << r.what;
        EXPECT_EQ(form->document.layout.CurrentDelimiter, ";") << r.what;
        EXPECT_TRUE(form->document.layout.DelimitedMode) << r.what;
        EXPECT_EQ(grid().cell(2, 2), "d") << r.what;
    }

    // A delimiter that does not decode is taken by the dialog, but cannot cut the
    // file: the table stays, and so does the layout it was cut with.
    fake.dialogs.messages.clear();
    fake.dialogs.layoutScripts.push_back([](LayoutDialog& d) {
        d.checkedSeparator = Separator::Free2;
        d.edtSeperatorFree2 = "x#";
        return true;
    });
    commands().trigger("mnuMainSetDelimiter");
    ASSERT_EQ(fake.dialogs.messages.size(), 3u);  // the dialog's warning, the reader's, the layout kept
    EXPECT_EQ(fake.dialogs.messages[2],
              "Mit dieser Einstellung lässt sich die Datei nicht laden; die bisherige Einstellung bleibt bestehen.");
    EXPECT_EQ(form->document.layout.CurrentDelimiter, ";");
    EXPECT_EQ(settingsFolder.read("tabulyst.INI"), ";");
    EXPECT_EQ(form->document.path(), folder.file("t.csv"));
    EXPECT_EQ(grid().cell(2, 2), "d");
}

TEST_F(FailedLoadTest, AnEmptyFileOpensWithOneRowAndWhatIsTypedIsSaved) {
    folder.write("empty.csv", "");
    ASSERT_TRUE(open("empty.csv"));
    EXPECT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(grid().colCount(), 2);
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().cell(0, 1), "1");
    form->files.SaveCurrentFile();  // untouched: still nothing in it
    EXPECT_EQ(folder.read("empty.csv"), "");

    grid().setCurrent(1, 1);
    type("Zeile1");
    grid().setCurrent(1, 1);  // leaving the editor journals the text
    fake.dialogs.answers = {true};  // the journal goes with the new row
    commands().trigger("mnuMainInsertRowAfter");
    grid().setCurrent(1, 2);
    type("Zeile2");
    grid().setCurrent(1, 1);
    EXPECT_TRUE(commands().enabled("mnuMainSave"));
    commands().trigger("mnuMainSave");
    // The empty file had one line without a line end: the last line stays so.
    EXPECT_EQ(folder.read("empty.csv"), "Zeile1\r\nZeile2");
}

}  // namespace
// The file named at start, read while the windows were made, shows its
// progress when it is taken and stops as any open does.
TEST_F(FailedLoadTest, TheFileReadAheadShowsItsProgressAndStopsAsAnyOpen) {
    folder.write("t.csv", table(40'000));
    form->document.layout.CurrentDelimiter = ";";
    FakeProgress& progress = fake.progress;
    for (int stopAt : {0, 1, 2}) {
        SCOPED_TRACE(stopAt);
        TableReadAhead ahead;
        ahead.start(folder.file("t.csv"), *form->files.readAheadLayout());
        progress.work.clear();
        progress.reports = 0;
        progress.stopAt = stopAt;
        const bool opened = form->files.OpenTableFile(folder.file("t.csv"), &ahead);
        const bool stopped = stopAt > 0 && progress.reports >= stopAt;
        ASSERT_FALSE(progress.work.empty());
        EXPECT_FALSE(progress.work.front().reports.empty());
        EXPECT_TRUE(progress.work.front().ended);
        EXPECT_EQ(opened, !stopped);
        EXPECT_EQ(form->document.path(), stopped ? "" : folder.file("t.csv"));
        if (stopped) EXPECT_LE(grid().rowCount(), 2);
        else EXPECT_EQ(grid().rowCount(), 40'001);
        EXPECT_TRUE(fake.dialogs.messages.empty());
    }
    progress.stopAt = 0;
}

// Escape during a load, at any of its reports: an open leaves an empty table
// without a name, a reload the table before with its change; never part of
// the file, and no message (the user asked for it).
TEST_F(FailedLoadTest, StoppingALoadLeavesTheTableBeforeOrAnEmptyOneWithoutName) {
    const std::string original = table(40'000);  // split in pieces, each reported
    folder.write("t.csv", original);
    folder.write("other.csv", "x;y\r\n");
    form->document.layout.CurrentDelimiter = ";";
    FakeProgress& progress = fake.progress;
    ASSERT_TRUE(open("t.csv"));
    ASSERT_FALSE(progress.work.empty());
    EXPECT_TRUE(progress.work.back().stoppable);
    EXPECT_TRUE(progress.work.back().ended);
    const auto& reported = progress.work.back().reports;
    ASSERT_FALSE(reported.empty());
    const std::size_t pieces = reported.back().second;
    EXPECT_GT(pieces, 1u);
    for (std::size_t i = 0; i < reported.size(); ++i) EXPECT_LE(reported[i].first, pieces);

    for (int stopAt : {1, 2, 3, 6}) {
        SCOPED_TRACE(stopAt);
        ASSERT_TRUE(open("other.csv"));
        progress.reports = 0;
        progress.stopAt = stopAt;
        const bool opened = open("t.csv");
        const bool stopped = progress.reports >= stopAt;
        EXPECT_EQ(opened, !stopped);
        EXPECT_TRUE(fake.dialogs.messages.empty());
        if (stopped) {
            EXPECT_EQ(form->document.path(), "");
            EXPECT_EQ(grid().cell(1, 1), "");
            EXPECT_LE(grid().rowCount(), 2);
        } else {
            EXPECT_EQ(grid().rowCount(), 40'001);
        }
        saveAsTheUserWould();
        EXPECT_EQ(folder.read("t.csv"), original);

        // Reload of a changed table: the table before stays with its change and its journal.
        progress.stopAt = 0;
        ASSERT_TRUE(open("t.csv"));
        journal().ChangeCell(1, 1, "first");
        journal().SetModified(true);
        fake.dialogs.answers = {true};
        progress.reports = 0;
        progress.stopAt = stopAt;
        commands().trigger("mnuMainReLoad");
        progress.stopAt = 0;
        EXPECT_TRUE(fake.dialogs.messages.empty());
        EXPECT_EQ(form->document.path(), folder.file("t.csv"));
        EXPECT_EQ(grid().rowCount(), 40'001);
        if (progress.reports >= stopAt) {
            EXPECT_EQ(grid().cell(1, 1), "first");
            EXPECT_TRUE(journal().Modified);
            EXPECT_TRUE(commands().enabled("mnuMainUndo"));
        } else {
            EXPECT_EQ(grid().cell(1, 1), "row 0");
        }
    }

    // A new delimiter stopped at once: the table and the layout it was cut with stay, without a message.
    ASSERT_TRUE(open("t.csv"));
    fake.dialogs.layoutScripts.push_back([](LayoutDialog& d) {
        d.checkedSeparator = Separator::ASCII;
        return true;
    });
    progress.reports = 0;
    progress.stopAt = 1;
    commands().trigger("mnuMainSetDelimiter");
    progress.stopAt = 0;
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_EQ(form->document.layout.CurrentDelimiter, ";");
    EXPECT_EQ(form->document.path(), folder.file("t.csv"));
    EXPECT_EQ(grid().colCount(), 5);
}

}  // namespace tabulyst::testing
