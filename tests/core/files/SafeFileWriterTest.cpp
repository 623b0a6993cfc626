#include "core/files/SafeFileWriter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/files/StaleTemporaryFiles.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

// Saves killed with SIGKILL in a child process at a moment the child reports
// through a pipe, so the kill lands exactly there.
class KilledSaveTest : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string target = folder.file("t.csv");

    std::vector<std::string> others() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename() != "t.csv") names.push_back(entry.path().filename().string());
        return names;
    }

    bool save(const std::string& bytes, const WriteFaults* faults = nullptr) {
        SafeFileWriter out(target, faults);
        return out.open() && out.write(bytes) && out.commit();
    }

    // A child that saves 3 MB and stops, holding its file, where it sends its
    // report; then the child is killed. report: 'u' while the temporary file
    // has no name, 'n' once it has one.
    struct Child {
        pid_t pid = -1;
        char report = 0;
    };
    Child startSave(bool unnamedAllowed, bool stopBeforeRename) {
        int pipeFds[2];
        EXPECT_EQ(::pipe(pipeFds), 0);
        Child child;
        child.pid = ::fork();
        if (child.pid == 0) {
            ::close(pipeFds[0]);
            WriteFaults faults;
            faults.refuseUnnamedFile = !unnamedAllowed;
            SafeFileWriter out(target, &faults);
            auto stop = [&] {
                char report = out.unnamed() ? 'u' : 'n';
                if (::write(pipeFds[1], &report, 1) != 1) ::_exit(2);
                for (;;) ::pause();
            };
            faults.beforeRename = stop;
            if (!out.open() || !out.write(std::string(3 << 20, 'n'))) ::_exit(1);
            if (!stopBeforeRename) stop();
            out.commit();
            ::_exit(3);
        }
        ::close(pipeFds[1]);
        if (::read(pipeFds[0], &child.report, 1) != 1) child.report = 0;
        ::close(pipeFds[0]);
        return child;
    }
    void kill(const Child& child) {
        ::kill(child.pid, SIGKILL);
        int status = 0;
        ::waitpid(child.pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
};

TEST_F(KilledSaveTest, AnUnnamedTemporaryFileVanishesWithTheKilledSave) {
    ASSERT_TRUE(save("old\r\n"));
    Child child = startSave(true, false);
    ASSERT_NE(child.report, 0);
    if (child.report == 'n') {
        kill(child);
        GTEST_SKIP() << "this file system makes no file without a name";
    }
    EXPECT_TRUE(others().empty()) << "3 MB written, nothing visible in the folder";
    kill(child);
    EXPECT_EQ(folder.read("t.csv"), "old\r\n");
    EXPECT_TRUE(others().empty());
}

TEST_F(KilledSaveTest, TheNextSaveRemovesWhatAKilledSaveLeftButNotWhatARunningSaveHolds) {
    ASSERT_TRUE(save("old\r\n"));
    // Killed while writing a named file, and killed with the unnamed file
    // named just before the rename: both leave a file behind.
    for (bool unnamedAllowed : {false, true}) {
        SCOPED_TRACE(unnamedAllowed);
        Child running = startSave(unnamedAllowed, unnamedAllowed);
        ASSERT_EQ(running.report, 'n');
        ASSERT_EQ(others().size(), 1u);
        const std::string left = others()[0];
        EXPECT_TRUE(isTemporaryName(left, ".t.csv.tabulyst-")) << left;
        // A save meanwhile keeps the running save's file: it is locked.
        ASSERT_TRUE(save("meanwhile\r\n"));
        EXPECT_EQ(others(), std::vector<std::string>{left});
        kill(running);
        EXPECT_EQ(folder.read("t.csv"), "meanwhile\r\n");  // whole: the old file, never a part of the new
        EXPECT_EQ(std::filesystem::file_size(folder.file(left)), 3u << 20);  // killed with its bytes written
        ASSERT_TRUE(save("next\r\n"));
        EXPECT_TRUE(others().empty());
        EXPECT_EQ(folder.read("t.csv"), "next\r\n");
    }
}

TEST_F(KilledSaveTest, OnlyFilesOfItsOwnNamingAreRemoved) {
    const std::vector<std::string> kept{".t.csv.tabulyst-abc12",  ".t.csv.tabulyst-abc1234", ".t.csv.tabulyst-ab_123",
                                        ".u.csv.tabulyst-abc123", "t.csv.tabulyst-abc123",   ".t.csv.tabulyst-link01",
                                        ".t.csv.tabulyst-fold01"};
    for (const auto& name : kept) folder.write(name, "x");
    std::filesystem::remove(folder.file(".t.csv.tabulyst-link01"));
    std::filesystem::create_symlink(folder.file(".u.csv.tabulyst-abc123"), folder.file(".t.csv.tabulyst-link01"));
    std::filesystem::remove(folder.file(".t.csv.tabulyst-fold01"));
    std::filesystem::create_directory(folder.file(".t.csv.tabulyst-fold01"));
    folder.write(".t.csv.tabulyst-Zz09aB", "stale");
    // Held by another process's lock: a file of its naming a running editor writes.
    folder.write(".t.csv.tabulyst-held00", "held");
    int held = ::open(folder.file(".t.csv.tabulyst-held00").c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    pid_t holder = ::fork();
    if (holder == 0) {
        char locked = ::flock(held, LOCK_EX) == 0 ? 'l' : 'f';
        if (::write(pipeFds[1], &locked, 1) != 1) ::_exit(2);
        for (;;) ::pause();
    }
    ::close(held);
    char locked = 0;
    ASSERT_EQ(::read(pipeFds[0], &locked, 1), 1);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ASSERT_EQ(locked, 'l');
    ASSERT_TRUE(save("new\r\n"));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    for (const auto& name : kept)
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(folder.file(name)))) << name;
    EXPECT_TRUE(std::filesystem::exists(folder.file(".u.csv.tabulyst-abc123")));
    EXPECT_TRUE(std::filesystem::exists(folder.file(".t.csv.tabulyst-held00")));
    EXPECT_FALSE(std::filesystem::exists(folder.file(".t.csv.tabulyst-Zz09aB")));
    EXPECT_EQ(folder.read("t.csv"), "new\r\n");
}

}  // namespace
}  // namespace tabulyst::testing
