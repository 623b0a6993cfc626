// What the desktop hands the program: files dropped on the window, and a file
// named on the command line by the file manager, whose path may hold blanks
// and characters beyond ASCII (UTF-8 bytes).
#include <gtest/gtest.h>

#include <filesystem>

#include "core/filecommands/DroppedFiles.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class DesktopOpeningTest : public FormFixture {
protected:
    DesktopOpeningTest() {
        std::filesystem::create_directories(folder.path() / "Meine Tabellen");
        folder.write(kFirst, "a;b\r\n");
        folder.write(kSecond, "x;y\r\n");
    }
    static constexpr const char* kFirst = "Meine Tabellen/\xC3\x9C" "bersicht 2024.csv";  // "Übersicht", UTF-8
    static constexpr const char* kSecond = "zweite.csv";
    TempFolder folder;
};

TEST_F(DesktopOpeningTest, SeveralDroppedFilesOpenTheFirstAndAnEmptyDropDoesNothing) {
    EXPECT_FALSE(openDroppedFiles(form->files, {}));
    EXPECT_EQ(form->document.path(), "");
    EXPECT_TRUE(openDroppedFiles(form->files, {folder.file(kSecond), folder.file(kFirst)}));
    EXPECT_EQ(form->document.path(), folder.file(kSecond));
    EXPECT_EQ(grid().cell(1, 1), "x");
    // as the Open command leaves it: reloadable, first among the recent files, nothing asked
    EXPECT_TRUE(commands().enabled("mnuMainReLoad"));
    EXPECT_EQ(form->recent.captions().front(), folder.file(kSecond));
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

TEST_F(DesktopOpeningTest, ADropOnAModifiedTableAsksFirstAndNoKeepsTheTable) {
    ASSERT_TRUE(openDroppedFiles(form->files, {folder.file(kSecond)}));
    type("neu");
    ASSERT_TRUE(journal().Modified);
    fake.dialogs.answers = {false};
    EXPECT_FALSE(openDroppedFiles(form->files, {folder.file(kFirst)}));
    ASSERT_EQ(fake.dialogs.questions, std::vector<std::string>{"Änderungen verwerfen und neue Datei laden?"});
    EXPECT_EQ(form->document.path(), folder.file(kSecond));
    EXPECT_EQ(grid().cell(1, 1), "neu");
    EXPECT_TRUE(journal().Modified);

    fake.dialogs.answers = {true};
    EXPECT_TRUE(openDroppedFiles(form->files, {folder.file(kFirst)}));
    EXPECT_EQ(grid().cell(1, 1), "a");
    EXPECT_FALSE(journal().Modified);
}

TEST_F(DesktopOpeningTest, ACommandLinePathWithBlanksAndUmlautsLoads) {
    form->commandLine = {folder.file(kFirst)};
    form->FormPaint();
    EXPECT_EQ(form->document.path(), folder.file(kFirst));
    EXPECT_EQ(grid().cell(1, 1), "a");
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

}  // namespace
}  // namespace tabulyst::testing
