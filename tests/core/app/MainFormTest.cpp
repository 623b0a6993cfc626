#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "core/window/CommandTable.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class MainFormTest : public FormFixture {};

TEST_F(MainFormTest, StartStateMatchesTheCommandTables) {
    EXPECT_EQ(form->document.path(), "");
    EXPECT_EQ(form->ExecutableFolder, settingsFolder.path().string() + "/");
    const std::set<std::string_view> disabled{
        "mnuMainReLoad", "mnuMainCyclicalReLoad", "ToolBtnReload", "mnuMainSave", "ToolButtonSave",
        "mnuMainUndo", "mnuMainReUndo", "btnUndo", "btnReUndo", "mnuMainJumpBackLastChangedCell",
        "mnuMainJumpVorwardLastChangedCell", "ToolButton15", "ToolButton16", "mnuMainNextBookMark",
        "mnuMainPrevBookMark", "mnuMainDeleteBookMarks", "btnNextBookMark", "btnPrevBookMark",
        "btnDeleteBookMarks", "mnuMainStopReceiving", "mnuMainShowAllCols"};
    // Every other command of the menus and the toolbar starts enabled.
    auto check = [&](std::string_view name) { EXPECT_EQ(commands().enabled(name), !disabled.count(name)) << name; };
    for (const auto& item : popupMenuSpec().items)
        if (!item.isSeparator()) check(item.name);
    for (const auto& menu : mainMenuSpec()) {
        check(menu.name);
        for (const auto& item : menu.items)
            if (!item.isSeparator()) check(item.name);
    }
    for (const auto& b : toolBarSpec())
        if (!b.isSeparator()) check(b.name);
    EXPECT_EQ(form->StatusBar.text(), "?");
    EXPECT_FALSE(form->StatusBar.visible());
    EXPECT_FALSE(form->timHideStatusBar.enabled());
    EXPECT_EQ(form->timHideStatusBar.interval(), 3000);
    EXPECT_EQ(form->document.sort.SortKeyCount, -1);
}

TEST_F(MainFormTest, EveryToolbarButtonMirrorsAnExistingMenuItem) {
    for (const auto& b : toolBarSpec()) {
        if (b.isSeparator() || b.follows.empty()) continue;
        EXPECT_TRUE(commands().exists(b.follows)) << b.name;
        EXPECT_EQ(commands().enabled(b.name), commands().enabled(b.follows)) << b.name;
    }
}

TEST_F(MainFormTest, ClosingAModifiedTableAsksAndNoKeepsIt) {
    EXPECT_TRUE(form->FormClose());  // unmodified: no question
    EXPECT_TRUE(fake.dialogs.questions.empty());
    type("x");
    fake.dialogs.answers = {false};
    EXPECT_FALSE(form->FormClose());
    EXPECT_EQ(fake.dialogs.questions.back(), "Änderungen verwerfen und beenden?");
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(grid().cell(1, 1), "x");
    fake.dialogs.answers = {true};
    EXPECT_TRUE(form->FormClose());
}

TEST_F(MainFormTest, TheStatusTimerHidesTheBarOnceEachTimeItIsEnabled) {
    form->StatusBar.ShowStatusText("3 ersetzt");
    form->timHideStatusBar.setEnabled(true);
    form->timHideStatusBar.fire();
    EXPECT_FALSE(form->StatusBar.visible());
    EXPECT_FALSE(form->timHideStatusBar.enabled());
    form->StatusBar.ShowStatusText("stays");
    form->timHideStatusBar.fire();  // not enabled: nothing happens
    EXPECT_TRUE(form->StatusBar.visible());
}

TEST_F(MainFormTest, AnErrorInACommandIsReportedAndTheProgramGoesOn) {
    commands().on("mnuPrint", [] { throw std::runtime_error("Drucker nicht bereit"); });
    EXPECT_TRUE(commands().trigger("mnuPrint"));
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0], "Drucker nicht bereit");
}

TEST_F(MainFormTest, StayOnTopToggles) {
    commands().trigger("mnuStayOnTop");
    EXPECT_TRUE(commands().checked("mnuStayOnTop"));
    commands().trigger("mnuStayOnTop");
    EXPECT_FALSE(commands().checked("mnuStayOnTop"));
}

}  // namespace
}  // namespace tabulyst::testing
