#include "core/files/LayoutSettings.h"

#include <gtest/gtest.h>

#include "core/files/ConfigFile.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

using namespace std::string_literals;

TEST(DelimiterFileTest, HoldsRawBytesAndFallsBackToSemicolon) {
    TempFolder folder;
    auto path = folder.file("tabulyst.INI");
    EXPECT_EQ(ReadDelimiterFile(path), ";");  // missing
    EXPECT_EQ(WriteDelimiterFile(path, "#124"), "");
    EXPECT_EQ(folder.read("tabulyst.INI"), "#124");
    EXPECT_EQ(ReadDelimiterFile(path), "#124");
    WriteDelimiterFile(path, "\t\0x"s);
    EXPECT_EQ(ReadDelimiterFile(path), "\t\0x"s);
    WriteDelimiterFile(path, "");
    EXPECT_EQ(ReadDelimiterFile(path), "");  // empty file: empty delimiter
    std::filesystem::create_directory(folder.path() / "dir.INI");
    EXPECT_EQ(ReadDelimiterFile(folder.file("dir.INI")), ";");  // unreadable
}

TEST(DelimiterFileTest, OnlyTheFirst1024BytesOfALongFileAreRead) {
    TempFolder folder;
    std::string long5000(5000, 'a');
    long5000[1023] = 'Z';
    folder.write("tabulyst.INI", long5000);
    auto delimiter = ReadDelimiterFile(folder.file("tabulyst.INI"));
    EXPECT_EQ(delimiter.size(), 1024u);
    EXPECT_EQ(delimiter.back(), 'Z');
}

TEST(DelimiterFileTest, AnUnwritableFileGivesAMessageNamingIt) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "tabulyst.INI");
    auto error = WriteDelimiterFile(folder.file("tabulyst.INI"), ",");
    EXPECT_NE(error.find("tabulyst.INI"), std::string::npos) << error;
}

class LayoutConfigTest : public ::testing::Test {
protected:
    TempFolder folder;
    ConfigFile config{folder.file("tabulyst.CFG")};
    bool read(std::vector<std::string>& lengths) { return ReadLayoutSettings(config, lengths); }
};

TEST_F(LayoutConfigTest, MissingSettingsGiveDelimitedModeAndNoLengths) {
    std::vector<std::string> lengths;
    EXPECT_TRUE(read(lengths));
    EXPECT_TRUE(lengths.empty());
}

TEST_F(LayoutConfigTest, TheModeIsFixedOnlyForZero) {
    for (auto [value, delimited] : {std::pair{"0", false}, {"1", true}, {"2", true}, {"x", true}, {"", true}}) {
        folder.write("tabulyst.CFG", "[Common]\nIsDelimitered="s + value + "\n");
        std::vector<std::string> lengths;
        EXPECT_EQ(read(lengths), delimited) << value;
    }
}

TEST_F(LayoutConfigTest, QuotedFieldsAreOnUnlessStoredAsZeroAndWrittenWithTheMode) {
    EXPECT_TRUE(ReadQuotedFields(config));  // no settings file at all
    for (auto [common, quoted] : {std::pair{"IsDelimitered=1\n", true}, {"QuotedFields=0\n", false},
                                  {"QuotedFields=1\n", true}, {"QuotedFields=x\n", true}}) {
        folder.write("tabulyst.CFG", "[Common]\n"s + common);
        EXPECT_EQ(ReadQuotedFields(config), quoted) << common;
    }
    for (bool quoted : {false, true}) {
        EXPECT_EQ(WriteLayoutSettings(config, true, {}, quoted), "");
        EXPECT_EQ(ReadQuotedFields(config), quoted);
    }
}

TEST_F(LayoutConfigTest, TheLengthListEndsAtAGapANegativeOrANonNumber) {
    std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"0=10\n1=20\n3=5\n", {"10", "20"}},
        {"0=10\n1=-1\n2=5\n", {"10"}},
        {"0=10\n1=abc\n2=5\n", {"10"}},
        {"1=10\n", {}},
        {"0=007\n1=0\n", {"007", "0"}},
    };
    for (const auto& [section, expected] : cases) {
        folder.write("tabulyst.CFG", "[Lengths]\n" + section);
        std::vector<std::string> lengths;
        read(lengths);
        EXPECT_EQ(lengths, expected) << section;
    }
}

TEST_F(LayoutConfigTest, WritingReplacesTheWholeListAndKeepsOtherSections) {
    folder.write("tabulyst.CFG", "[Recent]\n/a.csv=1\n[Lengths]\n0=1\n1=2\n2=3\n3=4\n");
    EXPECT_EQ(WriteLayoutSettings(config, false, {"10", "20"}, true), "");
    std::vector<std::string> lengths;
    EXPECT_FALSE(read(lengths));
    EXPECT_EQ(lengths, (std::vector<std::string>{"10", "20"}));
    EXPECT_EQ(config.readKeys("Lengths"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(config.readKeys("Recent"), (std::vector<std::string>{"/a.csv"}));
}

}  // namespace
}  // namespace tabulyst::testing
