#include "core/table/StringsChooser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/Locale.h"
#include "support/FakePlatform.h"

namespace tabulyst::testing {
namespace {

using Strings = std::vector<std::string>;

class StringsChooserTest : public ::testing::Test {
protected:
    StringsChooser make(const Strings& texts) {
        StringsChooser chooser(dialogs, locale);
        for (const auto& t : texts) chooser.ChooserAddItem(t);
        return chooser;
    }
    static std::vector<bool> marks(const StringsChooser& chooser) {
        std::vector<bool> out;
        for (const auto& item : chooser.clbClientClient) out.push_back(item.checked);
        return out;
    }
    static Strings texts(const StringsChooser& chooser) {
        Strings out;
        for (const auto& item : chooser.clbClientClient) out.push_back(item.text);
        return out;
    }

    FakeDialogs dialogs;
    Locale locale = Locale::german();
};

TEST_F(StringsChooserTest, ExecuteFillsFromTheListOnlyWhenAsked) {
    auto chooser = make({"old"});
    chooser.ChooserSetChecked(0, true);
    Strings shown;
    std::vector<bool> shownMarks;
    bool panel = false;
    dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        shown = texts(c);
        shownMarks = marks(c);
        panel = c.pnlClientRightVisible;
        return true;
    });
    EXPECT_TRUE(chooser.ChooserExecute({"a", "b"}, "Pick", true, true, false));
    EXPECT_EQ(shown, (Strings{"a", "b"}));
    EXPECT_EQ(shownMarks, (std::vector<bool>{true, true}));
    EXPECT_TRUE(panel);
    EXPECT_EQ(dialogs.chooserCaptions, Strings{"Pick"});

    // Without filling, the items and their marks stay and the list is ignored.
    chooser.ChooserSetChecked(0, false);
    dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        shown = texts(c);
        shownMarks = marks(c);
        panel = c.pnlClientRightVisible;
        return false;
    });
    EXPECT_FALSE(chooser.ChooserExecute({"x", "y", "z"}, "Again", true, false, true));
    EXPECT_EQ(shown, (Strings{"a", "b"}));
    EXPECT_EQ(shownMarks, (std::vector<bool>{false, true}));
    EXPECT_FALSE(panel);  // single choice hides the mass buttons
    EXPECT_TRUE(chooser.singleChoice());

    // Nobody answers: the dialog counts as cancelled.
    EXPECT_FALSE(chooser.ChooserExecute({}, "Third", false, false, false));
    EXPECT_EQ(dialogs.chooserCaptions, (Strings{"Pick", "Again", "Third"}));
}

TEST_F(StringsChooserTest, IsCheckedIgnoresCaseAndTheLastMatchWins) {
    auto chooser = make({"ABC", "\xDC" "bel", "abc", "x"});
    chooser.ChooserSetChecked(0, true);
    chooser.ChooserSetChecked(1, true);
    EXPECT_FALSE(chooser.ChooserIsChecked("abc"));  // "abc" (unchecked) comes after "ABC"
    chooser.ChooserSetChecked(2, true);
    chooser.ChooserSetChecked(0, false);
    EXPECT_TRUE(chooser.ChooserIsChecked("Abc"));
    // Windows-1252 umlauts: "übel" matches "Übel".
    EXPECT_TRUE(chooser.ChooserIsChecked("\xFC" "BEL"));
    EXPECT_FALSE(chooser.ChooserIsChecked("ab"));
    EXPECT_FALSE(chooser.ChooserIsChecked("abcd"));
    EXPECT_FALSE(chooser.ChooserIsChecked("x"));
    EXPECT_FALSE(chooser.ChooserIsChecked("nothing"));
}

TEST_F(StringsChooserTest, SingleChoiceKeepsExactlyTheSelectedItemChecked) {
    auto chooser = make({"a", "b", "c"});
    chooser.ChooserSetChecked(0, true);
    dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        // Checking a second item unchecks the first.
        c.clbClientClientClickCheck(1, true);
        EXPECT_EQ(marks(c), (std::vector<bool>{false, true, false}));
        EXPECT_EQ(c.itemIndex, 1);
        // Unchecking the only checked item checks it again.
        c.clbClientClientClickCheck(1, false);
        EXPECT_EQ(marks(c), (std::vector<bool>{false, true, false}));
        // A plain click on another item with one checked changes nothing.
        c.clbClientClientClick(2);
        EXPECT_EQ(marks(c), (std::vector<bool>{false, true, false}));
        // None checked: the clicked item becomes the checked one.
        c.ChooserSetChecked(1, false);
        c.clbClientClientClick(0);
        EXPECT_EQ(marks(c), (std::vector<bool>{true, false, false}));
        return true;
    });
    EXPECT_TRUE(chooser.ChooserExecute({}, "Select", false, false, true));
    EXPECT_TRUE(chooser.ChooserIsChecked("a"));
    EXPECT_FALSE(chooser.ChooserIsChecked("b"));
}

TEST_F(StringsChooserTest, SeveralCheckedBeforeShowingCollapseToTheSelectedOne) {
    auto chooser = make({"a", "b", "c"});
    chooser.ChooserSetChecked(0, true);
    chooser.ChooserSetChecked(2, true);
    dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        c.clbClientClientClick(2);
        return true;
    });
    chooser.ChooserExecute({}, "Select", false, false, true);
    EXPECT_EQ(marks(chooser), (std::vector<bool>{false, false, true}));
}

TEST_F(StringsChooserTest, MultipleChoiceClicksAndMassButtons) {
    auto chooser = make({"a", "b", "c"});
    dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        c.clbClientClientClickCheck(0, true);
        c.clbClientClientClickCheck(2, true);
        EXPECT_EQ(marks(c), (std::vector<bool>{true, false, true}));
        c.clbClientClientClickCheck(2, false);
        c.clbClientClientClick(1);  // selecting does not check in this mode
        EXPECT_EQ(marks(c), (std::vector<bool>{true, false, false}));
        c.pnlClientRightInvertClick();
        EXPECT_EQ(marks(c), (std::vector<bool>{false, true, true}));
        c.pnlClientRightNoneClick();
        EXPECT_EQ(c.checkedCount(), 0);
        c.pnlClientRightAllClick();
        EXPECT_EQ(c.checkedCount(), 3);
        return true;
    });
    EXPECT_TRUE(chooser.ChooserExecute({}, "Multi", false, false, false));
}

}  // namespace
}  // namespace tabulyst::testing
