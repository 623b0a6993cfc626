// The open and save dialogs start where the user's tables are, never in the
// program's own folder with its settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "core/table/ColsAndRowsDialog.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class FileChooserTest : public FormFixture {
protected:
    FileChooserTest() {
        for (const char* name : {"a/t.csv", "b/u.csv", "c/v.csv"}) {
            std::filesystem::create_directories(std::filesystem::path(folder.file(name)).parent_path());
            folder.write(name, "x;y\r\n");
        }
    }
    std::string in(const std::string& sub) { return folder.file(sub); }
    // Where the open and the save dialog start, both cancelled.
    std::pair<std::string, std::string> starts() {
        fake.dialogs.files.clear();
        commands().trigger("mnuMainLoad");
        const std::string open = fake.dialogs.lastFolder;
        commands().trigger("mnuMainSaveAs");
        return {open, fake.dialogs.lastFolder};
    }
    void newTable() {
        fake.dialogs.colsAndRowsScripts.push_back([](ColsAndRowsDialog&) { return true; });
        commands().trigger("mnuNew");
    }
    TempFolder folder;
};

TEST_F(FileChooserTest, TheDialogsStartInTheTablesFolderElseInTheFolderUsedLast) {
    // Nothing open or chosen yet: the current folder.
    const std::string current = std::filesystem::current_path().string();
    EXPECT_EQ(starts(), std::make_pair(current, current));

    fake.dialogs.files = {in("a/t.csv")};
    commands().trigger("mnuMainLoad");
    ASSERT_EQ(form->document.path(), in("a/t.csv"));
    EXPECT_EQ(starts(), std::make_pair(in("a"), in("a")));

    // A file chosen in b but not opened: the open table's folder still comes first...
    journal().SetModified(true);
    fake.dialogs.files = {in("b/u.csv")};
    commands().trigger("mnuMainLoad");
    ASSERT_EQ(form->document.path(), in("a/t.csv"));
    EXPECT_EQ(starts(), std::make_pair(in("a"), in("a")));
    // ...and with no table open, b was used last.
    fake.dialogs.answers = {true};
    newTable();
    ASSERT_EQ(form->document.path(), "");
    EXPECT_EQ(starts(), std::make_pair(in("b"), in("b")));

    // Saved into c.
    fake.dialogs.files = {in("c/new.csv")};
    commands().trigger("mnuMainSaveAs");
    ASSERT_EQ(form->document.path(), in("c/new.csv"));
    EXPECT_EQ(starts(), std::make_pair(in("c"), in("c")));

    // A table opened without a dialog (command line, recent list, drop) counts as used.
    ASSERT_TRUE(form->files.OpenTableFile(in("a/t.csv")));
    newTable();
    EXPECT_EQ(starts(), std::make_pair(in("a"), in("a")));
}

}  // namespace
}  // namespace tabulyst::testing
