#include "core/files/ConfigFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

using namespace std::string_literals;

class ConfigFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    ConfigFile config{folder.file("tabulyst.CFG")};
    std::string text() const { return folder.read("tabulyst.CFG"); }
};

TEST_F(ConfigFileTest, MissingFileReadsEmptyAndTheFirstWriteCreatesIt) {
    EXPECT_FALSE(config.readString("Common", "IsDelimitered"));
    EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 1);
    EXPECT_TRUE(config.readKeys("Recent").empty());
    EXPECT_EQ(config.readError(), "");
    EXPECT_FALSE(folder.exists("tabulyst.CFG"));

    EXPECT_EQ(config.writeString("Common", "IsDelimitered", "0"), "");
    EXPECT_EQ(text(), "[Common]\nIsDelimitered=0\n");
    EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 0);
}

TEST_F(ConfigFileTest, NamesIgnoreCaseNewKeysGoToTheEndOfTheirSectionAndSectionsToTheEndOfTheFile) {
    folder.write("tabulyst.CFG", "[Common]\nIsDelimitered=1\n\n[Lengths]\n0=10\n");
    EXPECT_EQ(config.readString("COMMON", "isdelimitered", "?"), "1");

    config.writeString("common", "Extra", "x");      // new key: end of [Common], before [Lengths]
    config.writeString("Common", "ISDELIMITERED", "0");  // existing key: replaced in place
    config.writeString("FreeDelimiter", "Delimiter1", "#124");  // new section: end of file
    EXPECT_EQ(text(),
              "[Common]\nIsDelimitered=0\nExtra=x\n\n\n[Lengths]\n0=10\n\n\n[FreeDelimiter]\nDelimiter1=#124\n");
}

TEST_F(ConfigFileTest, KeysComeInFileOrderAndARewrittenKeyMovesToTheEnd) {
    folder.write("tabulyst.CFG", "[Recent]\n/z=1\n/a=1\n/m=1\n");
    EXPECT_EQ(config.readKeys("recent"), (std::vector<std::string>{"/z", "/a", "/m"}));
    config.update([](ConfigFile::Editor& e) {
        e.remove("Recent", "/Z");
        e.write("Recent", "/Z", "1");
    });
    EXPECT_EQ(config.readKeys("Recent"), (std::vector<std::string>{"/a", "/m", "/Z"}));

    // A change that leaves the text as it stands (the recent files stored
    // again at start) does not write the file: it is the same file still.
    struct stat was {}, now {};
    ASSERT_EQ(::stat(folder.file("tabulyst.CFG").c_str(), &was), 0);
    config.update([](ConfigFile::Editor& e) {
        e.remove("Recent", "/a");
        e.write("Recent", "/a", "1");
        e.remove("Recent", "/m");
        e.write("Recent", "/m", "1");
        e.remove("Recent", "/Z");
        e.write("Recent", "/Z", "1");
    });
    ASSERT_EQ(::stat(folder.file("tabulyst.CFG").c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, was.st_ino);
    EXPECT_EQ(config.readKeys("Recent"), (std::vector<std::string>{"/a", "/m", "/Z"}));
}

TEST_F(ConfigFileTest, EraseSectionAndDeleteKeyRemoveOnlyWhatTheyName) {
    folder.write("tabulyst.CFG", "[Lengths]\n0=1\n1=2\n[Common]\nIsDelimitered=0\nOther=5\n");
    config.eraseSection("LENGTHS");
    config.deleteKey("Common", "other");
    EXPECT_EQ(text(), "[Common]\nIsDelimitered=0\n");
}

TEST_F(ConfigFileTest, BlanksAndQuotesAtTheEndsOfAValueSurviveTheRoundTrip) {
    for (std::string value : {std::string(" "), std::string(" x "), std::string("\"q\""), std::string("a\"b")}) {
        config.writeString("FreeDelimiter", "Delimiter1", value);
        EXPECT_EQ(config.readString("FreeDelimiter", "Delimiter1", "?"), value);
    }
}

TEST_F(ConfigFileTest, GarbageAndNulBytesDoNotHideTheSettingsAroundThem) {
    std::string garbage = "\x01\xff\xfe junk without equals\n\0\0[Common]\nIsDelimitered=0\n\x7f\x80\n"s;
    garbage += "\0[Lengths]\n0=12\n"s;
    folder.write("tabulyst.CFG", garbage);
    EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 0);
    EXPECT_EQ(config.readString("Lengths", "0", ""), "12");
    // A write keeps both settings.
    EXPECT_EQ(config.writeString("Recent", "/a.csv", "1"), "");
    EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 0);
    EXPECT_EQ(config.readString("Lengths", "0", ""), "12");
}

TEST_F(ConfigFileTest, ASectionWrittenTwiceKeepsTheKeysOfBoth) {
    folder.write("tabulyst.CFG", "[Recent]\n/a=1\n[Common]\nIsDelimitered=0\n[recent]\n/b=1\n");
    EXPECT_EQ(config.readKeys("Recent"), (std::vector<std::string>{"/a", "/b"}));
    config.writeString("Recent", "/c", "1");
    EXPECT_EQ(config.readKeys("Recent"), (std::vector<std::string>{"/a", "/b", "/c"}));
    EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 0);
}

TEST_F(ConfigFileTest, AnUnclosedSectionLineIsDroppedWithItsKeysAndTheFileNoLongerGrows) {
    // The parser used to take "Common\nIsDelimitered" as the section's name and
    // wrote it back one line longer on every save.
    for (std::string broken : {"[Common\nIsDelimitered=0\n"s, "[Lengths]\n0=7\n  [Common\r\nIsDelimitered=0\r\n"s,
                               "\xEF\xBB\xBF[Common\nIsDelimitered=0\n"s, "[Lengths]\n[Common\0IsDelimitered=0\n"s}) {
        folder.write("tabulyst.CFG", broken + "Width=3\n[Lengths]\n0=7\n[Recent]\n/a=1\n");
        EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 1);
        EXPECT_FALSE(config.readString("Lengths", "Width")) << "keys under the broken line belong to no section";
        EXPECT_EQ(config.readString("Lengths", "0", ""), "7");
        ASSERT_EQ(config.writeString("Recent", "/b", "1"), "");
        const std::size_t size = text().size();
        for (int write = 0; write < 3; ++write) {
            ASSERT_EQ(config.writeString("Recent", "/b", "1"), "");
            EXPECT_EQ(text().size(), size);
        }
        EXPECT_EQ(text().find("[Common"), std::string::npos) << text();
        EXPECT_EQ(text().find("Width"), std::string::npos) << text();
        EXPECT_EQ(config.readKeys("Recent"), (std::vector<std::string>{"/a", "/b"}));
        // The setting written afresh lands in a proper section.
        ASSERT_EQ(config.writeString("Common", "IsDelimitered", "0"), "");
        EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 0);
        std::filesystem::remove(folder.file("tabulyst.CFG"));
    }
}

TEST_F(ConfigFileTest, AHugeFileIsNeitherParsedNorOverwritten) {
    std::string huge = "[Common]\nIsDelimitered=0\n" + std::string(ConfigFile::kMaxSize, 'x');
    folder.write("tabulyst.CFG", huge);
    EXPECT_EQ(config.readInteger("Common", "IsDelimitered", 1), 1);
    EXPECT_NE(config.readError(), "");
    auto error = config.writeString("Common", "IsDelimitered", "1");
    EXPECT_NE(error.find("tabulyst.CFG"), std::string::npos) << error;
    EXPECT_EQ(text().size(), huge.size());
}

TEST_F(ConfigFileTest, KeysTheFormatCannotHoldAreRefusedWithoutTouchingTheFile) {
    folder.write("tabulyst.CFG", "[Recent]\n/a=1\n");
    for (std::string key : {"/x=y.csv", "/x]y.csv", "[x", ";x", "#x", " x", "x ", "", "a\nb"}) {
        EXPECT_FALSE(ConfigFile::isStorableKey(key)) << key;
        EXPECT_NE(config.writeString("Recent", key, "1"), "") << key;
    }
    EXPECT_EQ(text(), "[Recent]\n/a=1\n");
    EXPECT_TRUE(ConfigFile::isStorableKey("/home/u/Bücher/a b.csv"));
}

TEST_F(ConfigFileTest, AFolderThatCannotBeCreatedGivesAClearError) {
    folder.write("plain", "a file, not a folder");
    ConfigFile blocked(folder.file("plain") + "/tabulyst.CFG");
    EXPECT_EQ(blocked.readInteger("Common", "IsDelimitered", 1), 1);
    auto error = blocked.writeString("Common", "IsDelimitered", "0");
    EXPECT_NE(error.find("kann nicht geschrieben werden"), std::string::npos) << error;
}

TEST(ParseIntegerTest, AcceptsWholeDecimalIntegersOnly) {
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_EQ(parseInteger("+4"), 4);
    for (auto bad : {"", "+", "1.5", "12a", " 1", "99999999999", "+-1", "0x10"}) EXPECT_FALSE(parseInteger(bad)) << bad;
}

}  // namespace
}  // namespace tabulyst::testing
