// Files come back byte for byte unless the user changed a cell: UTF-8 with and
// without byte-order mark, in any script, broken UTF-8, and rows shorter than
// the widest one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

const std::string kMark = "\xEF\xBB\xBF";
const std::string kBroken = "Keine gültige UTF-8-Datei: unverändert geladen";
// Łódź: Windows-1252 has ó but not Ł and ź.
const std::string kLodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";

class FileRoundTripTest : public FormFixture {
protected:
    TableFiles& files() { return form->files; }
    bool open(const std::string& bytes, const std::string& name = "t.csv") {
        folder.write(name, bytes);
        return files().OpenTableFile(folder.file(name));
    }
    std::string caption() { return encodingCaption(form->document.format().encoding); }
    std::string saved(const std::string& name = "t.csv") {
        files().SaveCurrentFile();
        return folder.read(name);
    }
    void edit(int col, int row, const std::string& text) {
        grid().setCurrent(col, row);
        type(text);
        grid().setCurrent(col == 1 ? 2 : 1, row);  // leaving the cell journals the edit
    }
    TempFolder folder;
};

struct RoundTrip {
    const char* name;
    std::string lines;  // with LF line ends; each case also runs with CR LF
    const char* delimiter;
    const char* encoding;
    std::string notice;  // status text after opening, empty for none
};

TEST_F(FileRoundTripTest, OpenedAndSavedWithoutEditEveryFileComesBackByteForByte) {
    const RoundTrip cases[] = {
        {"mark, Latin-1 only", kMark + "Name;Ort\nM\xC3\xBCller;K\xC3\xB6ln\n", ";", "UTF-8 mit BOM", ""},
        {"mark, the code page's own 0x80..0x9F",
         kMark + "5 \xE2\x82\xAC;\xE2\x80\x9ETee\xE2\x80\x9C\n\xE2\x80\x93;\xE2\x80\xA6\n", ";", "UTF-8 mit BOM", ""},
        {"mark, ASCII only", kMark + "a;b\nc;d\n", ";", "UTF-8 mit BOM", ""},
        {"mark, Lodz", kMark + "5 \xE2\x82\xAC;\xE2\x80\x9ETee\xE2\x80\x9C;" + kLodz + "\n", ";", "UTF-8 mit BOM", ""},
        {"no mark, a-umlaut and euro", "Name;Preis\nM\xC3\xA4rz;5 \xE2\x82\xAC\n", ";", "UTF-8", ""},
        {"no mark, Lodz", "Stadt;Land\n" + kLodz + ";PL\n", ";", "UTF-8", ""},
        {"Latin lines, then Lodz", "M\xC3\xBCller;1\nK\xC3\xB6ln;2\n" + kLodz + ";3\n", ";", "UTF-8", ""},
        {"Cyrillic, Greek, CJK and an emoji",
         "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0;\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1\n"
         "\xE6\x9D\xB1\xE4\xBA\xAC;\xF0\x9F\x98\x80\n",
         ";", "UTF-8", ""},
        {"a lone 0xC3 at a line's end", "Gr\xC3\xBC\xC3\n\xC3\xA4;b\n", ";", "Windows-1252", ""},
        {"mark, then a lone 0xC3", kMark + "x\xC3\ny\n", ";", "Windows-1252", kBroken},
        {"Windows-1252", "M\xFCller;K\xF6ln\n\x80;\x84\n", ";", "Windows-1252", ""},
        {"ragged CSV", "a;b;c\nd\n\ne;f\ng;h;i;j\nk;;\n;\n", ";", "Windows-1252", ""},
        {"tab file with comment lines",
         "# tzdb timezone descriptions\n#\n#country-\ncode\tcoordinates\tTZ\tcomments\nAD\t+4230+00131\tEurope/Andorra\n"
         "AQ\t-7750+16636\tAntarctica/McMurdo\tNew Zealand time - McMurdo, South Pole\n",
         "#9", "Windows-1252", ""},
    };
    for (const RoundTrip& c : cases) {
        for (const std::string lineEnd : {"\n", "\r\n"}) {
            SCOPED_TRACE(std::string(c.name) + (lineEnd == "\n" ? ", LF" : ", CR LF"));
            std::string bytes;
            for (char ch : c.lines) bytes += ch == '\n' ? lineEnd : std::string(1, ch);
            form->document.layout.CurrentDelimiter = c.delimiter;
            form->StatusBar.ShowStatusText("before");
            ASSERT_TRUE(open(bytes));
            EXPECT_FALSE(journal().Modified);
            EXPECT_EQ(caption(), c.encoding);
            EXPECT_EQ(form->document.format().encoding.byteOrderMark, bytes.starts_with(kMark));
            EXPECT_EQ(form->StatusBar.text(), c.notice.empty() ? "before" : c.notice);
            EXPECT_EQ(saved(), bytes);
        }
    }
}

TEST_F(FileRoundTripTest, UtfEightCellsHoldTheFilesBytesAndAnUndoneEditSavesTheSameBytes) {
    const std::string bytes = kMark + "5 \xE2\x82\xAC;\xE2\x80\x9ETee\xE2\x80\x9C\r\n\xC3\x84rger;" + kLodz + "\r\n";
    ASSERT_TRUE(open(bytes));
    EXPECT_EQ(grid().cell(1, 1), "5 \xE2\x82\xAC");
    EXPECT_EQ(grid().cell(2, 1), "\xE2\x80\x9ETee\xE2\x80\x9C");
    EXPECT_EQ(grid().cell(2, 2), kLodz);
    edit(2, 2, "changed");
    commands().trigger("mnuMainUndo");
    EXPECT_EQ(grid().cell(2, 2), kLodz);
    EXPECT_EQ(saved(), bytes);
    EXPECT_EQ(grid().cell(1, 1), "5 \xE2\x82\xAC");  // saving leaves the grid as it was
}

TEST_F(FileRoundTripTest, TextTypedIntoAUtf8FileIsSavedAsUtf8) {
    ASSERT_TRUE(open("Name;Ort\nM\xC3\xBCller;K\xC3\xB6ln\nB\xC3\xA4r;\n"));
    EXPECT_EQ(grid().cell(1, 2), "M\xC3\xBCller");
    EXPECT_EQ(caption(), "UTF-8");
    edit(2, 3, "Z\xC3\xBCrich");
    EXPECT_EQ(saved(), "Name;Ort\nM\xC3\xBCller;K\xC3\xB6ln\nB\xC3\xA4r;\x5A\xC3\xBC\x72\x69\x63\x68\n");

    ASSERT_TRUE(open(kMark + "a;b\r\n", "mark.csv"));  // ASCII behind a mark is UTF-8 too
    edit(2, 1, "\xC3\xA4");
    EXPECT_EQ(saved("mark.csv"), kMark + "a;\xC3\xA4\r\n");
    ASSERT_TRUE(open(kLodz + ";x\r\n", "lodz.csv"));
    edit(2, 1, "\xC5\x9B");
    EXPECT_EQ(saved("lodz.csv"), kLodz + ";\xC5\x9B\r\n");
    ASSERT_TRUE(open("plain;text\r\n", "ascii.csv"));  // no multi-byte sequence, no mark: Windows-1252
    EXPECT_EQ(caption(), "Windows-1252");
    edit(2, 1, "\xE4");
    EXPECT_EQ(saved("ascii.csv"), "plain;\xE4\r\n");
}

TEST_F(FileRoundTripTest, SaveAsReloadAndTheLayoutCommandKeepTheFilesEncoding) {
    ASSERT_TRUE(open(kMark + "a;\xC3\xA4;c\r\n"));
    fake.dialogs.files = {folder.file("copy.csv")};
    commands().trigger("mnuMainSaveAs");
    EXPECT_EQ(folder.read("copy.csv"), kMark + "a;\xC3\xA4;c\r\n");
    EXPECT_EQ(form->windowText(), folder.file("copy.csv") + "  [UTF-8 mit BOM]");

    folder.write("copy.csv", "\xC3\xB6;\xC3\xA9\n");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(grid().cell(1, 1), "\xC3\xB6");
    EXPECT_EQ(caption(), "UTF-8");
    EXPECT_FALSE(form->document.format().encoding.byteOrderMark);

    // The layout command reads the file again under the new delimiter.
    fake.dialogs.layoutScripts.push_back([](LayoutDialog& d) {
        d.checkedSeparator = LayoutDialog::Separator::ASCII;
        return true;
    });
    folder.write("copy.csv", "\xC3\xB6,\xC3\xA9;x\n");
    commands().trigger("mnuMainSetDelimiter");
    EXPECT_EQ(grid().cell(2, 1), "\xC3\xA9;x");
    EXPECT_EQ(caption(), "UTF-8");
}

TEST_F(FileRoundTripTest, TheNoticeComesOncePerFileAndTheTitleShowsTheEncoding) {
    const std::string broken = kMark + "x\xC3;1\r\n";
    ASSERT_TRUE(open(broken));
    EXPECT_EQ(form->StatusBar.text(), kBroken);
    EXPECT_EQ(grid().cell(1, 1), "x\xC3");  // as read
    form->StatusBar.ShowStatusText("1 marked Rows");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(form->StatusBar.text(), "1 marked Rows");  // the same file again: told already
    ASSERT_TRUE(open("x\r\n", "other.csv"));
    ASSERT_TRUE(open(broken));
    EXPECT_EQ(form->StatusBar.text(), kBroken);

    ASSERT_TRUE(open(kMark + "\xC3\xA4\r\n"));
    EXPECT_EQ(form->windowText(), folder.file("t.csv") + "  [UTF-8 mit BOM]");
    EXPECT_FALSE(files().OpenTableFile(folder.file("missing.csv")));  // nothing read: nothing to convert
    EXPECT_EQ(caption(), "Windows-1252");
    EXPECT_FALSE(form->document.format().encoding.byteOrderMark);
}

TEST_F(FileRoundTripTest, TheUsersOwnUtf8CommandsTakeChargeOfTheEncoding) {
    ASSERT_TRUE(open(kMark + "Gr\xC3\xBC\xC3\x9F" "e;x\r\n"));
    commands().trigger("mnuMainAnsiToUTF8");  // UTF-8 already: nothing to do
    EXPECT_TRUE(form->document.format().encoding.byteOrderMark);
    EXPECT_EQ(caption(), "UTF-8 mit BOM");
    EXPECT_EQ(form->StatusBar.text(), CharsetCommands::kAlreadyUtf8);
    // Written as they stand, not encoded twice.
    EXPECT_EQ(saved(), kMark + "Gr\xC3\xBC\xC3\x9F" "e;x\r\n");

    ASSERT_TRUE(open("M\xC3\xBCller\n", "plain.csv"));
    commands().trigger("mnuMainUTF8toAnsi");
    EXPECT_EQ(caption(), "Windows-1252");
    EXPECT_EQ(saved("plain.csv"), "M\xFCller\n");
}

TEST_F(FileRoundTripTest, DelimitersAndFieldLengthsCountCharacters) {
    form->document.layout.CurrentDelimiter = "#167";  // the section sign, two bytes in UTF-8
    const std::string sections = "a\xC2\xA7\xC3\xA4\xC2\xA7" "c\n";
    ASSERT_TRUE(open(sections));
    EXPECT_EQ(grid().cell(2, 1), "\xC3\xA4");
    EXPECT_EQ(grid().cell(3, 1), "c");
    EXPECT_EQ(saved(), sections);

    form->document.layout.DelimitedMode = false;
    form->document.layout.FieldLengths = {"2", "3"};
    const std::string fixed = kMark + "\xC3\xA4" "b\xE2\x82\xAC" "cd\r\nxyabc\r\n";
    ASSERT_TRUE(open(fixed, "fixed.txt"));
    EXPECT_TRUE(fake.dialogs.messages.empty());  // every line fits the lengths
    EXPECT_EQ(grid().cell(1, 1), "\xC3\xA4" "b");
    EXPECT_EQ(grid().cell(2, 1), "\xE2\x82\xAC" "cd");
    EXPECT_EQ(saved("fixed.txt"), fixed);

    // A delimiter Windows-1252 lacks, typed as text, and a cell padded in characters.
    form->document.layout.DelimitedMode = true;
    form->document.layout.CurrentDelimiter = "\xE2\x86\x92";  // an arrow
    ASSERT_TRUE(open("\xC5\x81\xE2\x86\x92" "b\xE2\x86\x92\r\n", "arrow.txt"));
    EXPECT_EQ(grid().cell(1, 1), "\xC5\x81");
    EXPECT_EQ(grid().cell(2, 1), "b");
    EXPECT_EQ(grid().colCount(), 4);
    form->document.layout.DelimitedMode = false;
    form->document.layout.FieldLengths = {"3", "2"};
    ASSERT_TRUE(open("\xC5\x81\xC3\xB3" "dxy\r\n", "pad.txt"));
    edit(1, 1, "\xC5\x81");
    fake.dialogs.answers.push_back(true);  // pad the cells to their lengths
    EXPECT_EQ(saved("pad.txt"), "\xC5\x81  xy\r\n");
}

TEST_F(FileRoundTripTest, RowsTheEditorMakesHaveTheFullWidth) {
    ASSERT_TRUE(open("a;b;c\r\nd\r\n"));
    grid().setCurrent(1, 2);
    fake.dialogs.answers.assign(8, true);
    commands().trigger("mnuMainDublicateRow");
    grid().setCurrent(1, 3);
    commands().trigger("mnuMainInsertRowAfter");
    EXPECT_EQ(saved(), "a;b;c\r\nd\r\nd;;\r\n;;\r\n");

    ASSERT_TRUE(open("a;b;c\r\nd\r\ne;f\r\n"));
    edit(3, 2, "x");  // typed past the row's end: written up to it
    EXPECT_EQ(saved(), "a;b;c\r\nd;;x\r\ne;f\r\n");
    edit(3, 2, "");  // and emptied again: the line is short again
    EXPECT_EQ(saved(), "a;b;c\r\nd\r\ne;f\r\n");

    grid().setCurrent(1, 1);
    commands().trigger("mnuMainDeleteCol");  // inside every row
    EXPECT_EQ(saved(), "b;c\r\n\r\nf\r\n");
    grid().setCurrent(1, 1);
    commands().trigger("mnuMainInsertColBevore");
    EXPECT_EQ(saved(), ";b;c\r\n\r\n;f\r\n");  // the middle row has no field left to move
}

// Files as the installed Debian packages hold them, opened and saved without an
// edit. Their content changes with every update, so only the round trip is checked.
TEST_F(FileRoundTripTest, RealFilesFromDebianPackagesComeBackByteForByte) {
    struct RealFile {
        const char* path;
        const char* delimiter;
    };
    const RealFile real[] = {
        {"/usr/share/zoneinfo/zone.tab", "#9"},
        {"/usr/share/zoneinfo/zone1970.tab", "#9"},
        {"/usr/share/zoneinfo/iso3166.tab", "#9"},
        {"/usr/share/distro-info/debian.csv", ","},
        {"/usr/share/distro-info/ubuntu.csv", ","},
        {"/usr/share/i18n/SUPPORTED", " "},
        {"/usr/share/i18n/locales/es_CR", ";"},
        {"/usr/share/i18n/locales/gl_ES", ";"},
        {"/usr/share/i18n/locales/de_DE", ";"},
        {"/usr/share/i18n/locales/pl_PL", ";"},
        {"/usr/share/i18n/locales/ru_RU", ";"},
        {"/usr/share/i18n/locales/el_GR", ";"},
        {"/usr/share/i18n/locales/ja_JP", ";"},
        {"/usr/share/i18n/locales/tr_TR", ";"},
        {"/usr/share/i18n/locales/translit_combining", ";"},
    };

    int tried = 0;
    for (const RealFile& f : real) {
        if (!std::filesystem::exists(f.path)) continue;
        SCOPED_TRACE(f.path);
        ++tried;
        const std::string name = "real" + std::to_string(tried);
        std::filesystem::copy_file(f.path, folder.file(name));
        const std::string bytes = folder.read(name);
        form->document.layout.CurrentDelimiter = f.delimiter;
        ASSERT_TRUE(files().OpenTableFile(folder.file(name)));
        EXPECT_TRUE(saved(name) == bytes);  // no dump of whole files on failure
    }
    if (tried == 0) GTEST_SKIP() << "none of the Debian files is installed";
}

// Samples of such files checked in with the tests (tests/data): what they read as.
TEST_F(FileRoundTripTest, SamplesFromDebianPackagesReadAsTheyShouldAndComeBackByteForByte) {
    struct Cell {
        int col, row;
        std::string text;
    };
    struct Sample {
        const char* name;
        const char* delimiter;
        const char* encoding;
        std::string notice;
        int cols, rows;  // the grid's counts, headers included
        std::vector<Cell> cells;
    };
    const Sample samples[] = {
        {"tzdata-iso3166.tab", "#9", "UTF-8", "", 3, 91,
         {{1, 1, "# ISO 3166 alpha-2 country codes"},
          {1, 19, "#     \"Czech Republic\" and \"Turkey\" rather than \"Czechia\" and \"T\xC3\xBCrkiye\"),"},
          {2, 30, "name of country, territory, area, or subdivision"},
          {1, 45, "AX"},
          {2, 45, "\xC3\x85land Islands"},
          {2, 74, "C\xC3\xB4te d'Ivoire"},
          {2, 83, "Cura\xC3\xA7" "ao"}}},
        // A line with the plus-minus sign, then one with a macron that Windows-1252 lacks.
        {"tzdata-zone1970.tab", "#9", "UTF-8", "", 5, 82,
         {{1, 15, "#     either \xC2\xB1" "DDMM\xC2\xB1" "DDDMM or \xC2\xB1" "DDMMSS\xC2\xB1" "DDDMMSS,"},
          {3, 39, "Europe/Andorra"},
          {4, 39, ""},
          {1, 40, "AE,OM,RE,SC,TF"},
          {4, 40, "Crozet"},
          {4, 50, "Mangghysta\xC5\xAB/Mankistau"},
          {4, 81, "Baja California"}}},
        {"distro-info-debian.csv", ",", "Windows-1252", "", 9, 24,
         {{1, 1, "version"}, {8, 1, "eol-elts"}, {2, 2, "Buzz"}, {6, 2, "1997-06-05"}, {7, 2, ""}}},
        {"cmake-Squish4RunTestCase.bat", "=", "Windows-1252", "", 3, 24,
         {{1, 1, "set SQUISHSERVER"},
          {2, 1, "%1"},
          {1, 7, ""},
          {1, 14, "start /B \"Squish Server\" %SQUISHSERVER%"},
          {2, 18, "%ERRORLEVEL%"},
          {2, 23, ""}}},
        {"cmake-NSIS.template.in", ";", "UTF-8 mit BOM", "", 3, 41,
         {{1, 1, ""}, {2, 1, " CPack install script designed for a nmake build"}, {1, 6, "  !define VERSION \"@CPACK_PACKAGE_VERSION@\""}}},
        {"vim-tutor.vi.utf-8", "#9", "UTF-8 mit BOM", "", 3, 10,
         {{1, 4, ""}, {2, 4, "Vim l\xC3\xA0 m\xE1\xBB\x99t tr\xC3\xACnh so\xE1\xBA\xA1n th\xE1\xBA\xA3o r\xE1\xBA\xA5t m\xE1\xBA\xA1nh. "
                                   "Vim c\xC3\xB3 r\xE1\xBA\xA5t nhi\xE1\xBB\x81u c\xC3\xA2u l\xE1\xBB\x87nh,"}}},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        std::filesystem::copy_file(std::string(TABULYST_SOURCE_DIR "/tests/data/") + s.name, folder.file(s.name));
        const std::string bytes = folder.read(s.name);
        form->document.layout.CurrentDelimiter = s.delimiter;
        form->StatusBar.ShowStatusText("before");
        ASSERT_TRUE(files().OpenTableFile(folder.file(s.name)));
        EXPECT_EQ(caption(), s.encoding);
        EXPECT_EQ(form->StatusBar.text(), s.notice.empty() ? "before" : s.notice);
        EXPECT_EQ(grid().colCount(), s.cols);
        EXPECT_EQ(grid().rowCount(), s.rows);
        for (const Cell& c : s.cells) EXPECT_EQ(grid().cell(c.col, c.row), c.text) << c.col << ", " << c.row;
        EXPECT_TRUE(saved(s.name) == bytes);
    }
}

}  // namespace
}  // namespace tabulyst::testing

namespace tabulyst::testing {
namespace {

TEST_F(FileRoundTripTest, NamesOnDiskMayHoldAnyCharacter) {
    std::filesystem::create_directories(folder.file("jürgen/Łódź"));
    const std::string name = "jürgen/Łódź/Kunden 東京.csv";
    ASSERT_TRUE(open("Name;Ort\r\nM\xC3\xBCller;K\xC3\xB6ln\r\n", name));
    EXPECT_EQ(form->document.path(), folder.file(name));
    EXPECT_EQ(form->recent.captions().front(), folder.file(name));
    edit(2, 2, "\xC5\x81\xC3\xB3" "d\xC5\xBA");
    EXPECT_EQ(saved(name), "Name;Ort\r\nM\xC3\xBCller;\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(grid().cell(2, 2), "\xC5\x81\xC3\xB3" "d\xC5\xBA");
    // The recent list comes back from the settings file with the name as it was.
    MainForm again(fake.platform(), form->ExecutablePath);
    again.FormCreate();
    EXPECT_EQ(again.recent.captions().front(), folder.file(name));
}

}  // namespace
}  // namespace tabulyst::testing
