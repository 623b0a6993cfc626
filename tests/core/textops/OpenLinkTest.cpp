#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/ShellOpen.h"
#include "core/textops/OpenLink.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

constexpr const char* kFileNotFound = "The specified file was not found.";
constexpr const char* kPathNotFound = "The specified path was not found.";
constexpr const char* kNoApplication = "There is no application associated with the given filename extension.";

TEST(ShellOpenTest, AddressesHaveASchemeOfTwoOrMoreCharacters) {
    for (const char* yes : {"https://example.org", "mailto:a@example.org", "a+b.c-d:x", "x-y:; rm -rf ~"})
        EXPECT_TRUE(hasUriScheme(yes)) << yes;
    for (const char* no : {"C:\\Daten\\x.csv", "1abc:x", "no scheme", ":x", "a b:c", "/tmp/a:b", ""})
        EXPECT_FALSE(hasUriScheme(no)) << no;
}

TEST(ShellOpenTest, EveryNumberOfTheTableHasItsSentenceAndNoOtherHasOne) {
    EXPECT_EQ(ShellErrorMessage(0), "The operating system is out of memory or resources.");
    EXPECT_EQ(ShellErrorMessage(2), kFileNotFound);
    EXPECT_EQ(ShellErrorMessage(3), kPathNotFound);
    EXPECT_EQ(ShellErrorMessage(5), "The operating system denied access to the specified file.");
    EXPECT_EQ(ShellErrorMessage(11), "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    EXPECT_EQ(ShellErrorMessage(31), kNoApplication);
    EXPECT_EQ(ShellErrorMessage(32), "The specified dynamic-link library was not found.");
    int withMessage = 0;
    for (int n = -1; n <= 64; ++n)
        if (!ShellErrorMessage(n).empty()) ++withMessage;
    EXPECT_EQ(withMessage, 13);
    EXPECT_TRUE(ShellErrorMessage(shell::kOpened).empty());
    EXPECT_TRUE(ShellErrorMessage(shell::kOtherFailure).empty());
}

class OpenLinkTest : public FormFixture {
protected:
    OpenLinkTest() { fill(3, 3); }
    // Puts text into the current cell as loaded text and opens it.
    void open(const std::string& text) {
        grid().setCell(1, 1, text);
        journal().ClearJournal();
        journal().SetModified(false);
        ASSERT_TRUE(commands().trigger("mnuOpenLink"));
    }
    TempFolder files;
};

TEST_F(OpenLinkTest, AnExistingPathGoesToTheOpenerWithItsBlanksAsOneArgument) {
    const std::string name = files.file(" my file.txt ");
    files.write(" my file.txt ", "x");
    open(name);
    EXPECT_EQ(fake.opener.targets, std::vector<std::string>{name});
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_EQ(grid().cell(1, 1), name);
    EXPECT_FALSE(journal().Modified);
    EXPECT_EQ(journal().JournalPos, -1);
}

TEST_F(OpenLinkTest, TheCellsCodePageIsTurnedIntoTheFileSystemsUtf8) {
    files.write("M\xC3\xBCller \xE2\x82\xAC.txt", "x");  // "Müller €.txt"
    open(files.file("M\xFCller \x80.txt"));
    EXPECT_EQ(fake.opener.targets, std::vector<std::string>{files.file("M\xC3\xBCller \xE2\x82\xAC.txt")});
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(OpenLinkTest, MissingFilesAndFoldersAreToldWithoutStartingTheOpener) {
    open(files.file("missing.txt"));
    open(files.file("no folder/missing.txt"));
    // Neither an address nor an existing path: a file name, never a command.
    open("; rm -rf ~");
    open("");
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{kFileNotFound, kPathNotFound, kFileNotFound, kFileNotFound}));
    EXPECT_TRUE(fake.opener.targets.empty());
}

TEST_F(OpenLinkTest, TheOpenersOutcomesMapOntoTheMessages) {
    fake.opener.exits = {{true, 0}, {true, 2}, {true, 3}, {true, 4}, {true, 1}, {false, 0}};
    for (int i = 0; i < 6; ++i) open("https://example.org/a b");
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{kFileNotFound, kNoApplication, kNoApplication}));
    ASSERT_EQ(fake.opener.targets.size(), 6u);
    EXPECT_EQ(fake.opener.targets[0], "https://example.org/a b");
}

TEST_F(OpenLinkTest, AnAddressIsPassedVerbatimWhateverItHolds) {
    open("x-y:; touch pwned");
    EXPECT_EQ(fake.opener.targets, std::vector<std::string>{"x-y:; touch pwned"});
}

TEST_F(OpenLinkTest, ARelativeNameCannotPassForAnOptionOrAnAddress) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(files.path());
    files.write("-x", "");
    files.write("ab:c", "");
    open("-x");
    open("ab:c");
    std::filesystem::current_path(before);
    EXPECT_EQ(fake.opener.targets, (std::vector<std::string>{"./-x", "./ab:c"}));
}

TEST_F(OpenLinkTest, AFailureReportedLaterIsStillShown) {
    fake.opener.holdAnswers = true;
    open("mailto:someone@example.org");
    EXPECT_TRUE(fake.dialogs.messages.empty());
    fake.opener.reply({true, 4});
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{kNoApplication});
    EXPECT_FALSE(journal().Modified);
}

}  // namespace
}  // namespace tabulyst::testing
