#include "core/files/SettingsLocation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

TEST(SettingsLocationTest, FileNamesReplaceTheExtensionOrAppendOne) {
    EXPECT_EQ(replaceExtension("/opt/bin/tabulyst", "CFG"), "/opt/bin/tabulyst.CFG");
    EXPECT_EQ(replaceExtension("/opt/bin/tabulyst.exe", "INI"), "/opt/bin/tabulyst.INI");
    EXPECT_EQ(replaceExtension("/opt/v1.2/tabulyst", "CFG"), "/opt/v1.2/tabulyst.CFG");
    EXPECT_EQ(replaceExtension("/opt/bin/tab.ulyst.x", "CFG"), "/opt/bin/tab.ulyst.CFG");
}

TEST(SettingsLocationTest, AWritableExecutableFolderHoldsTheFiles) {
    TempFolder folder;
    auto location = SettingsLocation::decide(folder.file("tabulyst"));
    std::string base = folder.path().string() + "/";
    EXPECT_TRUE(location.besideExecutable);
    EXPECT_EQ(location.folder, base);
    EXPECT_EQ(location.configFile, base + "tabulyst.CFG");
    EXPECT_EQ(location.delimiterFile, base + "tabulyst.INI");
    EXPECT_EQ(location.file("Macro3.MDE"), base + "Macro3.MDE");
}

TEST(SettingsLocationTest, AnUnwritableFolderFallsBackToTheUserConfigurationFolder) {
    std::map<std::string, std::string> env{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/home/u/cfg"}};
    auto lookup = [&](const std::string& name) -> std::optional<std::string> {
        auto it = env.find(name);
        if (it == env.end()) return std::nullopt;
        return it->second;
    };
    auto readOnly = [](const std::string&) { return false; };

    auto location = SettingsLocation::decide("/usr/bin/tabulyst", lookup, readOnly);
    EXPECT_FALSE(location.besideExecutable);
    EXPECT_EQ(location.configFile, "/home/u/cfg/tabulyst/tabulyst.CFG");
    EXPECT_EQ(location.delimiterFile, "/home/u/cfg/tabulyst/tabulyst.INI");

    env["XDG_CONFIG_HOME"] = "relative/cfg";  // not absolute: ignored
    EXPECT_EQ(SettingsLocation::decide("/usr/bin/tabulyst", lookup, readOnly).folder, "/home/u/.config/tabulyst/");
    env.erase("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsLocation::decide("/usr/bin/tabulyst", lookup, readOnly).folder, "/home/u/.config/tabulyst/");
}

TEST(SettingsLocationTest, AnInstalledCopyKeepsSettingsPerUserEvenInAWritableFolder) {
    TempFolder prefix;
    std::filesystem::create_directories(prefix.path() / "bin");
    std::filesystem::create_directories(prefix.path() / "share/applications");
    prefix.write("bin/tabulyst", "");
    auto environment = [&](const std::string& name) -> std::optional<std::string> {
        if (name == "XDG_CONFIG_HOME") return prefix.file("home/.config");
        return std::nullopt;
    };
    EXPECT_TRUE(SettingsLocation::decide(prefix.file("bin/tabulyst"), environment).besideExecutable);

    prefix.write("share/applications/org.example.tabulyst.desktop", "[Desktop Entry]\n");
    auto location = SettingsLocation::decide(prefix.file("bin/tabulyst"), environment);
    EXPECT_FALSE(location.besideExecutable);
    EXPECT_EQ(location.configFile, prefix.file("home/.config") + "/tabulyst/tabulyst.CFG");
    EXPECT_EQ(location.file("Macro3.MDE"), prefix.file("home/.config") + "/tabulyst/Macro3.MDE");
}

TEST(SettingsLocationTest, AMissingFolderCountsAsUnwritable) {
    TempFolder folder;
    auto location = SettingsLocation::decide(folder.file("gone") + "/tabulyst");
    EXPECT_FALSE(location.besideExecutable);
}

TEST(SettingsLocationTest, WritingCreatesTheFolderAndReplacesTheWholeFile) {
    TempFolder folder;
    std::string path = folder.file("sub/dir/tabulyst.INI");
    EXPECT_EQ(writeSettingsFile(path, std::string("long old content")), "");
    EXPECT_EQ(writeSettingsFile(path, std::string("#9\0x", 4)), "");
    EXPECT_EQ(folder.read("sub/dir/tabulyst.INI"), std::string("#9\0x", 4));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "sub/dir"),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace tabulyst::testing
