// Find, replace and sort in a UTF-8 table, and find and replace in a
// Windows-1252 table as they always were (its sort: SortingTest). The
// dialogs' texts are UTF-8 as typed; the cells are in the table's encoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/textops/FindReplace.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Column = std::vector<std::string>;

class TableEncodingCommandsTest : public FormFixture {
protected:
    TableEncodingCommandsTest() { form->locale = Locale::german(); }
    // One data column, rows numbered; current cell (1, 1).
    void table(const Column& cells, bool utf8) {
        grid().setColCount(2);
        grid().setRowCount(static_cast<int>(cells.size()) + 1);
        for (std::size_t r = 0; r < cells.size(); ++r) {
            grid().setCell(0, static_cast<int>(r + 1), std::to_string(r + 1));
            grid().setCell(1, static_cast<int>(r + 1), cells[r]);
        }
        form->document.setEncoding(FileEncoding{false, utf8});
        grid().setCurrent(1, 1);
        journal().ClearJournal();
        form->document.sort.reset();
    }
    Column column() {
        Column out;
        for (int r = 1; r < grid().rowCount(); ++r) out.emplace_back(grid().cell(1, r));
        return out;
    }
    FindReplace& fr() { return form->findReplace; }
};

TEST_F(TableEncodingCommandsTest, FindAndReplaceAllFoldCaseAndKnowWordsOfTheTablesEncoding) {
    struct Case {
        bool utf8;
        Column cells;  // the first is current, so tested last
        const char* search;
        const char* replacement;  // nullptr: find next only
        bool matchCase, wholeWord;
        int foundRow;  // find: the row found, 0 for "Nicht gefunden."
        Column after;  // replace all
    };
    const Case cases[] = {
        {true, {"-", "in ŁÓDŹ"}, "łódź", nullptr, false, false, 2, {}},
        {true, {"-", "in ŁÓDŹ"}, "łódź", nullptr, true, false, 0, {}},
        {true, {"-", "Straße"}, "STRASSE", nullptr, false, false, 2, {}},
        {true, {"-", "Łódźer", "(Łódź)"}, "łódź", nullptr, false, true, 3, {}},
        {true, {"-", "1x", "x\u0308", "y,x"}, "x", nullptr, false, true, 4, {}},  // digits and marks join words
        {true, {"-", "ŁÓDŹ", "łódź und Łódź", "Lodz"}, "łódź", "Lodz", false, false, 0, {"-", "Lodz", "Lodz und Lodz", "Lodz"}},
        {true, {"Straße", "STRASSE"}, "strasse", "Wegstraße", false, false, 0, {"Wegstraße", "Wegstraße"}},
        // Windows-1252: the typed text in the code page, words between blanks.
        {false, {"-", "HERR M\xDCLLER"}, "müller", nullptr, false, false, 2, {}},
        {false, {"-", "y,x", "x"}, "x", nullptr, false, true, 3, {}},
        {false, {"-", "?\xF3" "d?"}, "Łódź", nullptr, false, false, 0, {}},
        {false, {"-", "M\xFCller"}, "müller", "Groß", false, false, 0, {"-", "Gro\xDF"}},
        {false, {"-", "?"}, "?", "Łódź", false, false, 0, {"-", "?"}},  // refused, never written as "?"
        {false, {"-", "?"}, "Ł", "x", false, false, 0, {"-", "?"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.search) + (c.utf8 ? " in UTF-8" : " in Windows-1252"));
        table(c.cells, c.utf8);
        fake.dialogs.messages.clear();
        if (!c.replacement) {
            commands().trigger("mnuFind");
            fr().FindDialog.FindText = c.search;
            fr().FindDialog.MatchCase = c.matchCase;
            fr().FindDialog.WholeWord = c.wholeWord;
            fr().FindDialog.findNextClick();
            EXPECT_EQ(grid().row(), c.foundRow == 0 ? 1 : c.foundRow);
            EXPECT_EQ(fake.dialogs.messages, c.foundRow == 0 ? Column{"Nicht gefunden."} : Column{});
            fr().FindDialog.closeClick();
            continue;
        }
        commands().trigger("mnuReplace");
        fr().ReplaceDialog.FindText = c.search;
        fr().ReplaceDialog.ReplaceText = c.replacement;
        fr().ReplaceDialog.MatchCase = c.matchCase;
        fr().ReplaceDialog.WholeWord = c.wholeWord;
        fr().ReplaceDialog.replaceAllClick();
        EXPECT_EQ(column(), c.after);
        // Not found, or the replacement refused.
        EXPECT_EQ(fake.dialogs.messages.size(), c.after == c.cells ? 1u : 0u);
        fr().ReplaceDialog.closeClick();
    }
    // The refusal names its reason.
    table({"-", "?"}, false);
    commands().trigger("mnuReplace");
    fr().ReplaceDialog.FindText = "?";
    fr().ReplaceDialog.ReplaceText = "Ł";
    fr().ReplaceDialog.replaceClick();
    EXPECT_EQ(fake.dialogs.messages.back(), FindReplace::kReplacementLacking);
}

TEST_F(TableEncodingCommandsTest, Utf8TextsSortInGermanOrder) {
    auto sortAscending = [&] {
        form->sorting.StrGridMouseDown(1);
        form->sorting.StrGridMouseUp(1, 0, 0, 100, 50, false);
    };
    table({"Zoë", "Łukasz", "Oskar", "Ärger", "", "Aal", "zoe"}, true);
    sortAscending();
    EXPECT_EQ(column(), (Column{"", "Aal", "Ärger", "Łukasz", "Oskar", "zoe", "Zoë"}));
}

}  // namespace
}  // namespace tabulyst::testing
