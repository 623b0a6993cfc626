// A table read from a mapped file keeps its text when another program
// rewrites or shortens the file while it is open: the writer waits until the
// bytes are copied aside, and the save writes what the user saw.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "core/files/FileSnapshot.h"
#include "core/files/TableReadAhead.h"
#include "core/files/TableReader.h"
#include "core/files/TableWriter.h"
#include "core/grid/StringGrid.h"
#include "support/TempFolder.h"

namespace tabulyst {
namespace {

// Takes a snapshot of the file at path, as the reader does with the file it opened.
std::unique_ptr<FileSnapshot> snapshotOf(const std::string& path, std::size_t slack) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    auto snapshot = FileSnapshot::take(fd, slack);
    ::close(fd);  // the snapshot keeps its own handle
    return snapshot;
}

std::string bigTable() {
    std::string bytes;
    for (int i = 0; bytes.size() < (std::size_t{3} << 19); ++i) bytes += std::to_string(i) + ";zelle " + std::to_string(i * 7) + "\r\n";
    return bytes;
}

// Rewrites the file in place as another program would; how long its open waited.
double rewriteInPlace(const std::string& path, const std::string& bytes) {
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    const auto waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(fd, 0);
    if (fd >= 0) {
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }
    return waited;
}

TEST(FileSnapshotTest, ATableKeepsItsTextWhenTheFileIsRewrittenUnderIt) {
    testing::TempFolder folder;
    const std::string bytes = bigTable();
    folder.write("t.csv", bytes);
    if (!snapshotOf(folder.file("t.csv"), TableText::kSlack))
        GTEST_SKIP() << "no read lease on this file system";

    for (const std::string& other : {std::string("kurz\r\n"), std::string(bytes.size(), 'X')}) {
        folder.write("t.csv", bytes);
        TableLayout layout;
        layout.delimiter = ";";
        StringGrid grid;
        ASSERT_TRUE(readTableFile(folder.file("t.csv"), layout, grid).ok);
        const std::string before(grid.cell(2, 1000));
        double waited = 0;
        std::thread writer([&] { waited = rewriteInPlace(folder.file("t.csv"), other); });
        writer.join();
        EXPECT_LT(waited, 10.0) << "the writer waited for the kernel's grace period";
        EXPECT_EQ(folder.read("t.csv"), other);
        EXPECT_EQ(grid.cell(2, 1000), before);
        grid.setRowCount(grid.rowCount() - 1);  // the spare row, as the file commands drop it
        TableWriteLayout out;
        out.layout.delimiter = ";";
        std::string error;
        ASSERT_TRUE(writeTableFile(folder.file("saved.csv"), out, grid, error)) << error;
        EXPECT_EQ(folder.read("saved.csv"), bytes);
    }
}

TEST(FileSnapshotTest, SmallFilesAndFilesOpenForWritingAreNotMapped) {
    testing::TempFolder folder;
    folder.write("small.csv", "a;b\r\n");
    EXPECT_EQ(snapshotOf(folder.file("small.csv"), 64), nullptr);
    folder.write("big.csv", bigTable());
    const int writing = ::open(folder.file("big.csv").c_str(), O_WRONLY);
    ASSERT_GE(writing, 0);
    EXPECT_EQ(snapshotOf(folder.file("big.csv"), 64), nullptr);
    // Read instead (in two halves at once), it gives the rows the mapping gives.
    TableLayout layout;
    layout.delimiter = ";";
    StringGrid read, mapped;
    ASSERT_TRUE(readTableFile(folder.file("big.csv"), layout, read).ok);
    ::close(writing);
    ASSERT_TRUE(readTableFile(folder.file("big.csv"), layout, mapped).ok);
    ASSERT_EQ(read.rowCount(), mapped.rowCount());
    for (int r = 1; r < read.rowCount(); ++r) ASSERT_EQ(read.cell(2, r), mapped.cell(2, r)) << r;
    EXPECT_EQ(snapshotOf(folder.file("missing.csv"), 64), nullptr);
}

TEST(FileSnapshotTest, TheBytesAndTheirSlackStayReadableAfterTheCopy) {
    testing::TempFolder folder;
    // A file of whole pages: the slack lies beyond the file's last page.
    const std::string bytes(std::size_t{1} << 20, 'q');
    folder.write("t.csv", bytes);
    auto snapshot = snapshotOf(folder.file("t.csv"), 64);
    if (!snapshot) GTEST_SKIP() << "no read lease on this file system";
    EXPECT_TRUE(snapshot->mapped());
    EXPECT_EQ(std::string(snapshot->data(), snapshot->size()), bytes);
    EXPECT_EQ(std::string(snapshot->data() + bytes.size(), 64), std::string(64, '\0'));
    snapshot->makeWritable();
    EXPECT_FALSE(snapshot->mapped());
    snapshot->data()[0] = 'w';
    EXPECT_EQ(std::string(snapshot->data() + 1, snapshot->size() - 1), bytes.substr(1));
    EXPECT_EQ(folder.read("t.csv"), bytes);
}

TEST(FileSnapshotTest, ATableReadAheadIsTakenOnlyForTheSameUnwrittenFileAndLayout) {
    testing::TempFolder folder;
    const std::string bytes = bigTable();
    const std::string utf8 = "M\xC3\xBCller;\xE2\x82\xAC\r\n" + bytes;
    for (const char* name : {"a.csv", "b.csv"}) folder.write(name, bytes);
    folder.write("marked.csv", "\xEF\xBB\xBF" + bytes);
    folder.write("utf8.csv", utf8);
    if (!snapshotOf(folder.file("a.csv"), TableText::kSlack)) GTEST_SKIP() << "no read lease on this file system";
    TableLayout semicolon, comma;
    semicolon.delimiter = ";";
    comma.delimiter = ",";
    TableReadAhead ahead;
    auto takeFor = [&](const char* name, const TableLayout& layout) {
        const int fd = ::open(folder.file(name).c_str(), O_RDONLY | O_CLOEXEC);
        auto read = ahead.take(fd, layout, nullptr);
        ::close(fd);
        return read;
    };
    auto firstCell = [](const LinesReadAhead& read) {
        std::string cell;
        read.text->forEachLine([&](TableText::Line line) {
            if (cell.empty()) read.text->forEachField(line, [&](std::size_t p, std::string_view f) { if (p == 1) cell = f; });
        });
        return cell;
    };

    ahead.start(folder.file("a.csv"), semicolon);
    auto same = takeFor("a.csv", semicolon);
    ASSERT_TRUE(same);
    same->text->finish();
    EXPECT_EQ(same->text->lineCount(), static_cast<std::uint32_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    EXPECT_EQ(firstCell(*same), "0");
    EXPECT_FALSE(takeFor("a.csv", semicolon)) << "taken once";

    ahead.start(folder.file("a.csv"), semicolon);
    EXPECT_FALSE(takeFor("b.csv", semicolon)) << "another file";
    ahead.start(folder.file("a.csv"), semicolon);
    EXPECT_FALSE(takeFor("a.csv", comma)) << "another layout";
    ahead.start(folder.file("marked.csv"), semicolon);
    auto marked = takeFor("marked.csv", semicolon);
    ASSERT_TRUE(marked);
    EXPECT_TRUE(marked->detector.encoding().byteOrderMark);

    // A UTF-8 file's cells are its bytes: taken while the file stands as it
    // was, not once it was written.
    ahead.start(folder.file("utf8.csv"), semicolon);
    auto utf8Read = takeFor("utf8.csv", semicolon);
    ASSERT_TRUE(utf8Read);
    EXPECT_EQ(firstCell(*utf8Read), "M\xC3\xBCller");
    EXPECT_TRUE(utf8Read->detector.encoding().utf8);
    ahead.start(folder.file("utf8.csv"), semicolon);
    takeFor("b.csv", semicolon);  // waits for the read, and gives it up
    ahead.start(folder.file("utf8.csv"), semicolon);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // read by then, as a rule
    rewriteInPlace(folder.file("utf8.csv"), utf8.substr(0, utf8.size() - 40));
    EXPECT_FALSE(takeFor("utf8.csv", semicolon)) << "written since";

    ahead.start(folder.file("b.csv"), semicolon);
    rewriteInPlace(folder.file("b.csv"), "kurz\r\n");
    EXPECT_FALSE(takeFor("b.csv", semicolon)) << "written since";
    // Whatever was read ahead, the reader shows the file as it stands.
    ahead.start(folder.file("b.csv"), semicolon);
    StringGrid grid;
    ASSERT_TRUE(readTableFile(folder.file("a.csv"), semicolon, grid, nullptr, &ahead).ok);
    EXPECT_EQ(grid.cell(1, 1), "0");
    ahead.drop();
}

}  // namespace
}  // namespace tabulyst
