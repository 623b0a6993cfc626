#include "core/filecommands/LayoutCommand.h"

#include <gtest/gtest.h>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Separator = LayoutDialog::Separator;
const char* const kNoFile = "Erneutes Laden nicht möglich, es wurde kein Dateiname vergeben!";

class LayoutCommandTest : public FormFixture {
protected:
    LayoutDialog& layoutDialog() { return form->layoutCommand.layoutDialog; }
    FieldLengthDialog& fieldLengthDialog() { return form->layoutCommand.fieldLengthDialog; }
    LayoutSettings& layout() { return form->document.layout; }
    ConfigFile config() const { return ConfigFile(settingsFolder.file("tabulyst.CFG")); }
    std::string delimiterFile() const { return settingsFolder.read("tabulyst.INI"); }

    // Runs the command with a layout-dialog script; true from the script presses OK.
    void run(std::function<bool(LayoutDialog&)> script) {
        fake.dialogs.layoutScripts.push_back(std::move(script));
        commands().trigger("mnuMainSetDelimiter");
    }
    void restart() {
        form.reset();
        form = std::make_unique<MainForm>(fake.platform(), settingsFolder.file("tabulyst"));
        form->FormCreate();
    }
    // Types the texts into row 1 of the field-length grid from column 1 on, then OK.
    void queueFieldLengths(std::vector<std::string> texts, bool ok = true) {
        fake.dialogs.fieldLengthScripts.push_back([texts, ok](FieldLengthDialog& d) {
            for (std::size_t i = 0; i < texts.size(); ++i)
                d.StringGridSetEditText(static_cast<int>(i) + 1, 1, texts[i]);
            return ok;
        });
    }
};

TEST_F(LayoutCommandTest, AFirstStartShowsTheDefaults) {
    EXPECT_EQ(layout().CurrentDelimiter, ";");
    EXPECT_TRUE(layout().DelimitedMode);
    EXPECT_TRUE(layout().FieldLengths.empty());
    run([](LayoutDialog& d) {
        EXPECT_EQ(d.checkedSeparator, Separator::CSV);
        EXPECT_EQ(d.rbxClientBottomClientClientSeperatorOrLength, 0);
        EXPECT_FALSE(d.btnClientBottomClientClientAdjustLengthEnabled);
        EXPECT_EQ(d.edtSeperatorFree1, "#8");
        EXPECT_EQ(d.edtSeperatorFree2, "#13");
        return false;
    });
    EXPECT_EQ(fake.dialogs.layoutShown, 1);
    EXPECT_FALSE(settingsFolder.exists("tabulyst.CFG"));  // cancel writes nothing
    EXPECT_FALSE(settingsFolder.exists("tabulyst.INI"));
}

TEST_F(LayoutCommandTest, AFreeDelimiterIsStoredInNotationAndComesBackAtTheNextStart) {
    run([](LayoutDialog& d) {
        d.checkedSeparator = Separator::Free1;
        d.edtSeperatorFree1 = "#124";
        return true;
    });
    EXPECT_EQ(delimiterFile(), "#124");
    EXPECT_EQ(layout().CurrentDelimiter, "#124");
    EXPECT_EQ(config().readString("FreeDelimiter", "Delimiter1", ""), "#124");
    EXPECT_EQ(config().readString("FreeDelimiter", "Delimiter2", ""), "#13");
    EXPECT_EQ(config().readString("Common", "IsDelimitered", ""), "1");
    // Without a file the reload has nothing to do, after the settings were stored.
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{kNoFile}));

    restart();
    EXPECT_EQ(layout().CurrentDelimiter, "#124");
    run([](LayoutDialog& d) {
        EXPECT_EQ(d.edtSeperatorFree1, "#124");
        EXPECT_EQ(d.checkedSeparator, Separator::Free1);
        return false;
    });
}

TEST_F(LayoutCommandTest, AnUndecodableFreeDelimiterWarnsWithTheTypedTextAndIsKept) {
    run([](LayoutDialog& d) {
        d.checkedSeparator = Separator::Free2;
        d.edtSeperatorFree2 = "x#";
        return true;
    });
    EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{"x#", kNoFile}));
    EXPECT_EQ(layout().CurrentDelimiter, "x#");
    EXPECT_EQ(delimiterFile(), "x#");
}

TEST_F(LayoutCommandTest, TheFixedChoicesStoreTheirPlainCharacters) {
    for (auto [separator, expected] : {std::pair{Separator::ASCII, ","}, {Separator::TAB, "\t"}, {Separator::CSV, ";"}}) {
        run([separator = separator](LayoutDialog& d) {
            d.checkedSeparator = separator;
            return true;
        });
        EXPECT_EQ(delimiterFile(), expected);
        EXPECT_EQ(layout().CurrentDelimiter, expected);
    }
}

TEST_F(LayoutCommandTest, TheShownDelimiterPicksItsRadioButtonAndTheLaterFreeFieldWins) {
    auto& d = layoutDialog();
    d.edtSeperatorFree1 = "#124";
    d.edtSeperatorFree2 = "#124";
    d.setShownDelimiter("#124");
    EXPECT_EQ(d.checkedSeparator, Separator::Free2);
    d.edtSeperatorFree2 = "#13";
    d.setShownDelimiter("#124");
    EXPECT_EQ(d.checkedSeparator, Separator::Free1);
    d.setShownDelimiter("\t");
    EXPECT_EQ(d.checkedSeparator, Separator::TAB);
    d.setShownDelimiter("#59");  // matches nothing: the earlier choice stays
    EXPECT_EQ(d.checkedSeparator, Separator::TAB);
    EXPECT_EQ(d.ChosenDelimiter, "#59");
    d.setShownDelimiter(",");
    EXPECT_EQ(d.checkedSeparator, Separator::ASCII);
}

TEST_F(LayoutCommandTest, TheModeEnablesTheFieldLengthButtonAndIsStored) {
    layout().FieldLengths = {"5"};
    run([](LayoutDialog& d) {
        d.rbxClientBottomClientClientSeperatorOrLengthClick(1);
        EXPECT_TRUE(d.btnClientBottomClientClientAdjustLengthEnabled);
        return true;
    });
    EXPECT_FALSE(layout().DelimitedMode);
    EXPECT_EQ(config().readString("Common", "IsDelimitered", ""), "0");
    run([](LayoutDialog& d) {
        EXPECT_EQ(d.rbxClientBottomClientClientSeperatorOrLength, 1);
        d.rbxClientBottomClientClientSeperatorOrLengthClick(0);
        EXPECT_FALSE(d.btnClientBottomClientClientAdjustLengthEnabled);
        return false;
    });
    restart();
    EXPECT_FALSE(layout().DelimitedMode);
}

TEST_F(LayoutCommandTest, FieldLengthsStopAtTheFirstEmptyCellAndTheTotalFollowsEdits) {
    queueFieldLengths({"10", "20", "", "5"});
    run([this](LayoutDialog& d) {
        d.rbxClientBottomClientClientSeperatorOrLengthClick(1);
        d.btnClientBottomClientClientAdjustLengthClick();
        EXPECT_EQ(fieldLengthDialog().edtEdit, "30");
        return true;
    });
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"10", "20"}));
    EXPECT_EQ(config().readKeys("Lengths"), (std::vector<std::string>{"0", "1"}));
    restart();
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"10", "20"}));
}

TEST_F(LayoutCommandTest, TheFieldLengthDialogShowsTheListOverItsEarlierCells) {
    layout().FieldLengths = {"10"};
    fake.dialogs.fieldLengthScripts.push_back([](FieldLengthDialog& d) {
        EXPECT_EQ(d.cell(1, 1), "10");
        EXPECT_EQ(d.cell(2, 1), "32");
        EXPECT_EQ(d.cell(4, 1), "32");
        EXPECT_EQ(d.cell(5, 1), "");
        EXPECT_EQ(d.cell(0, 1), "Fieldlength : ");
        EXPECT_EQ(d.cell(255, 0), "# 255");
        EXPECT_EQ(d.edtEdit, "0");  // not recomputed on opening
        return true;
    });
    run([](LayoutDialog& d) {
        d.btnClientBottomClientClientAdjustLengthClick();
        return false;
    });
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"10", "32", "32", "32"}));
}

TEST_F(LayoutCommandTest, LengthsAreNormalisedAndWhatIsNoLengthFromOneUpIsRefused) {
    const std::string refusal = "Numerische Eingabe zwischen 1 und 99999 erforderlich!";
    // Each refused OK leaves the dialog open; the next script types into it again.
    queueFieldLengths({" 007 ", "+3", "-5", "9"});
    for (const char* bad : {"abc", "0", "99999999999", "100000"}) queueFieldLengths({" 007 ", "+3", bad});
    queueFieldLengths({" 007 ", "+3", "", "x"});  // an empty cell ends the list: what follows is not looked at
    run([](LayoutDialog& d) {
        d.btnClientBottomClientClientAdjustLengthClick();
        return false;
    });
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>(5, refusal));
    EXPECT_EQ(fieldLengthDialog().focusColumn, 0);
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"7", "3"}));
    EXPECT_EQ(fieldLengthDialog().edtEdit, "10");
    queueFieldLengths({"12", "x"}, true);
    run([](LayoutDialog& d) {
        d.btnClientBottomClientClientAdjustLengthClick();  // refused, then no script left: cancelled
        return false;
    });
    EXPECT_EQ(fieldLengthDialog().focusColumn, 2);
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"7", "3"}));
}

TEST_F(LayoutCommandTest, CancellingTheFieldLengthDialogLeavesTheList) {
    layout().FieldLengths = {"8", "9"};
    queueFieldLengths({"1", "2", "3"}, false);
    run([](LayoutDialog& d) {
        d.btnClientBottomClientClientAdjustLengthClick();
        return false;
    });
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"8", "9"}));
    EXPECT_EQ(fieldLengthDialog().cell(3, 1), "3");  // the cells keep what was typed
}

TEST_F(LayoutCommandTest, NewLengthsApplyAtOnceButACancelledLayoutDialogStoresNothing) {
    queueFieldLengths({"4", "6", ""});
    run([](LayoutDialog& d) {
        d.btnClientBottomClientClientAdjustLengthClick();
        return false;
    });
    EXPECT_EQ(layout().FieldLengths, (std::vector<std::string>{"4", "6"}));
    EXPECT_FALSE(settingsFolder.exists("tabulyst.CFG"));
    restart();
    EXPECT_TRUE(layout().FieldLengths.empty());
}

TEST_F(LayoutCommandTest, NoToTheDiscardQuestionChangesNothingButTheFreeTexts) {
    layout().FieldLengths = {"3"};
    journal().SetModified(true);
    fake.dialogs.answers = {false};
    run([](LayoutDialog& d) {
        d.checkedSeparator = Separator::Free1;
        d.edtSeperatorFree1 = "#35#9";
        d.rbxClientBottomClientClientSeperatorOrLengthClick(1);
        return true;
    });
    EXPECT_EQ(fake.dialogs.questions, (std::vector<std::string>{"Änderungen verwerfen und Datei erneut laden?"}));
    EXPECT_EQ(layout().CurrentDelimiter, ";");
    EXPECT_TRUE(layout().DelimitedMode);
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(settingsFolder.exists("tabulyst.INI"));
    EXPECT_EQ(config().readString("FreeDelimiter", "Delimiter1", ""), "#35#9");
    EXPECT_FALSE(config().readString("Common", "IsDelimitered"));
}

TEST_F(LayoutCommandTest, YesToTheDiscardQuestionAppliesAndClearsTheModifiedState) {
    journal().SetModified(true);
    fake.dialogs.answers = {true};
    run([](LayoutDialog& d) {
        d.checkedSeparator = Separator::ASCII;
        return true;
    });
    EXPECT_FALSE(journal().Modified);
    EXPECT_FALSE(commands().enabled("mnuMainSave"));
    EXPECT_EQ(layout().CurrentDelimiter, ",");
}

TEST_F(LayoutCommandTest, ACancelKeepsTypedFreeTextsForTheNextShowingAndTheNextOkStoresThem) {
    run([](LayoutDialog& d) {
        d.edtSeperatorFree2 = "#59#59";
        return false;
    });
    EXPECT_FALSE(settingsFolder.exists("tabulyst.CFG"));
    run([](LayoutDialog& d) {
        EXPECT_EQ(d.edtSeperatorFree2, "#59#59");
        return true;
    });
    EXPECT_EQ(config().readString("FreeDelimiter", "Delimiter2", ""), "#59#59");
    EXPECT_EQ(layout().CurrentDelimiter, ";");  // CSV was still the checked one
}

TEST_F(LayoutCommandTest, AConfirmedChangeReloadsTheCurrentFileUnderTheNewLayout) {
    settingsFolder.write("t.csv", "a,b;c\r\n");
    ASSERT_TRUE(form->files.OpenTableFile(settingsFolder.file("t.csv")));
    EXPECT_EQ(grid().cell(2, 1), "c");
    run([](LayoutDialog&) { return false; });  // cancelled: nothing reloads
    EXPECT_EQ(grid().cell(2, 1), "c");
    run([](LayoutDialog& d) {
        d.checkedSeparator = LayoutDialog::Separator::ASCII;
        return true;
    });
    EXPECT_EQ(layout().CurrentDelimiter, ",");
    EXPECT_EQ(grid().cell(1, 1), "a");
    EXPECT_EQ(grid().cell(2, 1), "b;c");
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(LayoutCommandTest, UnwritableSettingsFilesAreReportedAndTheSettingStillApplies) {
    std::filesystem::create_directory(settingsFolder.path() / "tabulyst.INI");
    std::filesystem::create_directory(settingsFolder.path() / "tabulyst.CFG");
    restart();  // both unreadable: the defaults
    EXPECT_EQ(layout().CurrentDelimiter, ";");
    run([](LayoutDialog& d) {
        d.checkedSeparator = Separator::TAB;
        return true;
    });
    EXPECT_EQ(layout().CurrentDelimiter, "\t");
    ASSERT_EQ(fake.dialogs.messages.size(), 4u);  // free texts, delimiter file, layout, no file to reload
    EXPECT_NE(fake.dialogs.messages[0].find("tabulyst.CFG"), std::string::npos);
    EXPECT_NE(fake.dialogs.messages[1].find("tabulyst.INI"), std::string::npos);
    EXPECT_NE(fake.dialogs.messages[2].find("tabulyst.CFG"), std::string::npos);
    EXPECT_EQ(fake.dialogs.messages[3], kNoFile);
}

TEST_F(LayoutCommandTest, ToolButton4RunsTheSameCommand) {
    fake.dialogs.layoutScripts.push_back([](LayoutDialog& d) {
        d.checkedSeparator = Separator::ASCII;
        return true;
    });
    EXPECT_TRUE(commands().trigger("ToolButton4"));
    EXPECT_EQ(layout().CurrentDelimiter, ",");
}

}  // namespace
}  // namespace tabulyst::testing

namespace tabulyst::testing {
namespace {

TEST_F(LayoutCommandTest, AFileOpenedIntoOneColumnIsOfferedTheDelimiterItUses) {
    TempFolder files;
    // A comma file with a quoted comma, opened with ";": offered ",", declined, then taken.
    grid().setClientWidth(600);  // room for columns as wide as their texts
    files.write("comma.csv", "Name,Ort\r\n\"M\xC3\xBCller, Hans\",K\xC3\xB6ln\r\n");
    ASSERT_TRUE(form->files.OpenTableFile(files.file("comma.csv")));
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_NE(fake.dialogs.questions[0].find("„,“"), std::string::npos);
    EXPECT_EQ(grid().colCount(), 2);
    EXPECT_EQ(layout().CurrentDelimiter, ";");
    const int wholeLines = grid().colWidth(1);
    fake.dialogs.answers.push_back(true);
    ASSERT_TRUE(form->files.OpenTableFile(files.file("comma.csv")));
    EXPECT_EQ(layout().CurrentDelimiter, ",");
    EXPECT_EQ(delimiterFile(), ",");
    EXPECT_EQ(grid().cell(1, 2), "M\xC3\xBCller, Hans");
    EXPECT_EQ(grid().cell(2, 2), "K\xC3\xB6ln");
    // The columns are fitted to the cells they hold now, not to whole lines.
    EXPECT_LT(grid().colWidth(1), wholeLines);
    EXPECT_GT(grid().colWidth(1), grid().colWidth(2));

    // Nothing is offered where the fields do not agree, or the table has columns already.
    files.write("prose.txt", "Ja, gut\r\nNein\r\n");
    files.write("semi.csv", "a,b\r\n");
    fake.dialogs.questions.clear();
    ASSERT_TRUE(form->files.OpenTableFile(files.file("prose.txt")));
    ASSERT_TRUE(form->files.OpenTableFile(files.file("semi.csv")));
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

}  // namespace
}  // namespace tabulyst::testing
