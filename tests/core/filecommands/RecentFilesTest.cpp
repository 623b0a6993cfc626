#include "core/filecommands/RecentFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

// A started program whose open path records every attempt the way a load
// does: the path goes to the recent list whether or not it loads.
class RecentFilesTest : public FormFixture {
protected:
    RecentFilesTest() { attachOpen(); }

    void attachOpen() {
        form->recent.open = [this](const std::string& path) {
            opened.push_back(path);
            form->recent.AddRecentFile(path);
            return missing.count(path) == 0;
        };
    }
    // A new start of the program on the same settings folder.
    void restart() {
        form.reset();
        form = std::make_unique<MainForm>(fake.platform(), settingsFolder.file("tabulyst"));
        form->FormCreate();
        attachOpen();
    }
    std::vector<std::string> storedKeys() const { return ConfigFile(settingsFolder.file("tabulyst.CFG")).readKeys("Recent"); }
    std::vector<std::string> captions() const { return form->recent.captions(); }
    static std::string file(int n) { return "/data/table" + std::to_string(n) + ".csv"; }

    std::vector<std::string> opened;
    std::set<std::string> missing;
};

TEST_F(RecentFilesTest, ElevenFilesLeaveTheTenNewestNewestAtTopAndTenKeysOldestFirst) {
    for (int n = 1; n <= 11; ++n) form->recent.AddRecentFile(file(n));
    std::vector<std::string> menu, keys;
    for (int n = 11; n >= 2; --n) menu.push_back(file(n));
    for (int n = 2; n <= 11; ++n) keys.push_back(file(n));
    EXPECT_EQ(captions(), menu);
    EXPECT_EQ(storedKeys(), keys);
    const auto& top = commands().dynamicItems("mnuMainFile").front();
    EXPECT_EQ(top.name, "MainMenu_datatable11_csv");
    EXPECT_EQ(top.groupIndex, 254);
}

TEST_F(RecentFilesTest, ReopeningTheThirdEntryMovesItToTheTopWithoutADuplicate) {
    for (int n = 1; n <= 4; ++n) form->recent.AddRecentFile(file(n));
    form->recent.AddRecentFile(file(2));
    EXPECT_EQ(captions(), (std::vector<std::string>{file(2), file(4), file(3), file(1)}));
    EXPECT_EQ(storedKeys(), (std::vector<std::string>{file(1), file(3), file(4), file(2)}));
}

TEST_F(RecentFilesTest, AReopenDifferingInCaseKeepsTheOldCaptionAndStoresTheNewSpelling) {
    form->recent.AddRecentFile("/Daten/a.csv");
    form->recent.AddRecentFile("/Daten/b.csv");
    form->recent.AddRecentFile("/daten/A.CSV");
    EXPECT_EQ(captions(), (std::vector<std::string>{"/Daten/a.csv", "/Daten/b.csv"}));
    EXPECT_EQ(storedKeys(), (std::vector<std::string>{"/Daten/b.csv", "/daten/A.CSV"}));
}

TEST_F(RecentFilesTest, ItemNamesSpellOutUmlautsAndDropOtherCharacters) {
    EXPECT_EQ(RecentFiles::itemNameOf("C:\\Bücher\\Übersicht.txt"), "MainMenu_CBuecherUebersicht_txt");
    EXPECT_EQ(RecentFiles::RecentItemName("C:\\Daten\\Preis-Liste.csv"), "CDatenPreisListe_csv");
    EXPECT_EQ(RecentFiles::RecentItemName("/Maße/Öl-ä-ö-ü-Ä.x"), "MasseOelaeoeueAe_x");
    // Paths that differ only in removed characters share one entry.
    form->recent.AddRecentFile("/tmp/a-b");
    form->recent.AddRecentFile("/tmp/ab");
    form->recent.AddRecentFile("/tmp/ab-");  // ends in a removed character: still an entry
    EXPECT_EQ(captions(), (std::vector<std::string>{"/tmp/a-b"}));
    form->recent.AddRecentFile("/x/-");
    EXPECT_EQ(captions().front(), "/x/-");
}

TEST_F(RecentFilesTest, APathTheIniFormatCannotHoldShowsInTheMenuButIsNotStored) {
    form->recent.AddRecentFile("/data/a.csv");
    form->recent.AddRecentFile("/data/x=y.csv");
    form->recent.AddRecentFile("/data/[z].csv");
    EXPECT_EQ(captions(), (std::vector<std::string>{"/data/[z].csv", "/data/x=y.csv", "/data/a.csv"}));
    EXPECT_EQ(storedKeys(), (std::vector<std::string>{"/data/a.csv"}));
    restart();
    EXPECT_EQ(captions(), (std::vector<std::string>{"/data/a.csv"}));
}

TEST_F(RecentFilesTest, FifteenHandWrittenKeysAreTrimmedToTheLastTenAtStart) {
    std::string text = "[Common]\nIsDelimitered=1\n[Recent]\n";
    for (int n = 1; n <= 15; ++n) text += file(n) + "=1\n";
    settingsFolder.write("tabulyst.CFG", text);
    restart();
    std::vector<std::string> menu, keys;
    for (int n = 15; n >= 6; --n) menu.push_back(file(n));
    for (int n = 6; n <= 15; ++n) keys.push_back(file(n));
    EXPECT_EQ(captions(), menu);
    EXPECT_EQ(storedKeys(), keys);
    EXPECT_EQ(ConfigFile(settingsFolder.file("tabulyst.CFG")).readString("Common", "IsDelimitered", "?"), "1");
}

TEST_F(RecentFilesTest, TheListSurvivesARestartInTheSameOrderAndTheStartLeavesTheFileAlone) {
    for (int n = 1; n <= 3; ++n) form->recent.AddRecentFile(file(n));
    struct stat was {}, now {};
    ASSERT_EQ(::stat(settingsFolder.file("tabulyst.CFG").c_str(), &was), 0);
    restart();
    // Every write is a new file renamed over the old one.
    ASSERT_EQ(::stat(settingsFolder.file("tabulyst.CFG").c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, was.st_ino);
    EXPECT_EQ(captions(), (std::vector<std::string>{file(3), file(2), file(1)}));
    EXPECT_EQ(storedKeys(), (std::vector<std::string>{file(1), file(2), file(3)}));
}

TEST_F(RecentFilesTest, AClickOpensTheCaptionAndMovesTheEntryToTheTop) {
    form->recent.AddRecentFile("/Daten/a.csv");
    form->recent.AddRecentFile(file(1));
    form->recent.AddRecentFile(file(2));
    EXPECT_TRUE(commands().trigger(RecentFiles::itemNameOf("/Daten/a.csv")));
    EXPECT_EQ(opened, (std::vector<std::string>{"/Daten/a.csv"}));
    EXPECT_TRUE(fake.dialogs.questions.empty());  // unmodified: no question
    EXPECT_EQ(captions().front(), "/Daten/a.csv");
    EXPECT_EQ(storedKeys().back(), "/Daten/a.csv");
}

TEST_F(RecentFilesTest, AClickOnAModifiedTableAsksAndNoKeepsEverything) {
    form->recent.AddRecentFile(file(1));
    form->recent.AddRecentFile(file(2));
    journal().SetModified(true);
    fake.dialogs.answers = {false};
    commands().trigger(RecentFiles::itemNameOf(file(1)));
    EXPECT_EQ(fake.dialogs.questions, (std::vector<std::string>{"Änderungen verwerfen und neue Datei laden?"}));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(captions(), (std::vector<std::string>{file(2), file(1)}));

    fake.dialogs.answers = {true};
    commands().trigger(RecentFiles::itemNameOf(file(1)));
    EXPECT_EQ(opened, (std::vector<std::string>{file(1)}));
}

TEST_F(RecentFilesTest, AnEntryWhoseFileIsGoneStaysAtTheTopAfterTheAttempt) {
    form->recent.AddRecentFile(file(1));
    form->recent.AddRecentFile(file(2));
    missing.insert(file(1));
    commands().trigger(RecentFiles::itemNameOf(file(1)));
    EXPECT_EQ(captions(), (std::vector<std::string>{file(1), file(2)}));
    EXPECT_EQ(storedKeys(), (std::vector<std::string>{file(2), file(1)}));
}

}  // namespace
}  // namespace tabulyst::testing
