// Tables with fields in quotes, as a user meets them: opened, edited, saved,
// reloaded, with the setting "Felder in Anführungszeichen" on and off.
#include <gtest/gtest.h>

#include <string>

#include "core/filecommands/LayoutCommand.h"
#include "core/files/ConfigFile.h"
#include "core/files/LayoutSettings.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

// An address over two lines, a name with the delimiter, a note with quotes.
const std::string kAddresses =
    "Name;Adresse;Notiz\r\n"
    "\"M\xFCller, Hans\";\"Hauptstr. 1\r\n12345 K\xF6ln\";\"sagt \"\"hi\"\"\"\r\n"
    "x;y;z\r\n";

class QuotedFieldsTest : public FormFixture {
protected:
    bool open(const std::string& bytes) {
        folder.write("t.csv", bytes);
        return form->files.OpenTableFile(folder.file("t.csv"));
    }
    std::string row(int r) {
        std::string out;
        for (int c = 1; c < grid().colCount(); ++c) out += (c > 1 ? "|" : "") + grid().cellText(c, r);
        return out;
    }
    void save() {
        journal().SetModified(true);
        commands().trigger("mnuMainSave");
    }
    // Runs the layout command with the check box set so.
    void chooseQuotedFields(bool on) {
        fake.dialogs.layoutScripts.push_back([on](LayoutDialog& d) {
            EXPECT_TRUE(d.chkQuotedFieldsEnabled);
            d.chkQuotedFields = on;
            return true;
        });
        commands().trigger("mnuMainSetDelimiter");
    }
    TempFolder folder;
};

TEST_F(QuotedFieldsTest, AFieldInQuotesIsOneCellAndRowsCountRecords) {
    ASSERT_TRUE(open(kAddresses));
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(grid().colCount(), 4);
    EXPECT_EQ(row(2), "M\xFCller, Hans|Hauptstr. 1\r\n12345 K\xF6ln|sagt \"hi\"");
    EXPECT_EQ(row(3), "x|y|z");
    EXPECT_EQ(grid().cell(0, 3), "3");
}

TEST_F(QuotedFieldsTest, AnEditedCellIsQuotedWhereItMustBeAndUntouchedRowsKeepTheirBytes) {
    ASSERT_TRUE(open(kAddresses));
    journal().ChangeCell(1, 3, "a;b");
    save();
    EXPECT_EQ(folder.read("t.csv"), "Name;Adresse;Notiz\r\n"
                                    "\"M\xFCller, Hans\";\"Hauptstr. 1\r\n12345 K\xF6ln\";\"sagt \"\"hi\"\"\"\r\n"
                                    "\"a;b\";y;z\r\n");
    // A cell read from quotes goes back in quotes, its neighbours too.
    journal().ChangeCell(3, 2, "neu");
    save();
    EXPECT_EQ(folder.read("t.csv"), "Name;Adresse;Notiz\r\n"
                                    "\"M\xFCller, Hans\";\"Hauptstr. 1\r\n12345 K\xF6ln\";\"neu\"\r\n"
                                    "\"a;b\";y;z\r\n");
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(row(2), "M\xFCller, Hans|Hauptstr. 1\r\n12345 K\xF6ln|neu");
    EXPECT_EQ(row(3), "a;b|y|z");
}

TEST_F(QuotedFieldsTest, AQuoteThatNeverClosesReadsItsLinePlainAndTheStatusLineSaysWhere) {
    const std::string bytes = "a;b\r\n\"c;d\r\ne;f\r\n";
    ASSERT_TRUE(open(bytes));
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(row(2), "\"c|d");
    EXPECT_EQ(row(3), "e|f");
    EXPECT_EQ(form->StatusBar.text(), "Anführungszeichen in Zeile 2 nicht geschlossen");
    save();
    EXPECT_EQ(folder.read("t.csv"), bytes);
}

TEST_F(QuotedFieldsTest, TheLayoutCommandTurnsQuotesIntoOrdinaryCharactersAndBackAndStoresTheChoice) {
    ASSERT_TRUE(open(kAddresses));
    chooseQuotedFields(false);
    EXPECT_FALSE(form->document.layout.QuotedFields);
    // As before the setting: split at every delimiter and line end, quotes shown.
    EXPECT_EQ(grid().rowCount(), 5);
    EXPECT_EQ(row(2), "\"M\xFCller, Hans\"|\"Hauptstr. 1|");
    EXPECT_EQ(row(3), "12345 K\xF6ln\"|\"sagt \"\"hi\"\"\"|");
    EXPECT_EQ(ConfigFile(settingsFolder.file("tabulyst.CFG")).readString("Common", "QuotedFields"), "0");
    journal().ChangeCell(1, 4, "x;1");
    save();
    EXPECT_EQ(folder.read("t.csv"), "Name;Adresse;Notiz\r\n"
                                    "\"M\xFCller, Hans\";\"Hauptstr. 1\r\n12345 K\xF6ln\";\"sagt \"\"hi\"\"\"\r\n"
                                    "x;1;y;z\r\n");
    chooseQuotedFields(true);
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(row(3), "x|1|y|z");
    // Fixed-length mode has no quoted fields.
    fake.dialogs.layoutScripts.push_back([](LayoutDialog& d) {
        d.rbxClientBottomClientClientSeperatorOrLengthClick(1);
        EXPECT_FALSE(d.chkQuotedFieldsEnabled);
        return false;
    });
    commands().trigger("mnuMainSetDelimiter");
}

}  // namespace
}  // namespace tabulyst::testing
