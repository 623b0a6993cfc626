#include "core/files/FieldLength.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/LayoutSettings.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

TEST(FieldLengthTest, WholeNumbersFromZeroWithAnOptionalSign) {
    EXPECT_EQ(parseFieldLength("+3"), 3);
    EXPECT_EQ(parseFieldLength("007"), 7);
    EXPECT_EQ(parseFieldLength("0"), 0);
    EXPECT_EQ(parseFieldLength("-0"), 0);
    EXPECT_EQ(parseFieldLength("2147483647"), 2147483647);
    for (const char* bad : {"", "+", "-1", "+-3", " 3", "3 ", "3a", "1.5", "2147483648", "0x10"})
        EXPECT_FALSE(parseFieldLength(bad)) << bad;
    std::string badText;
    EXPECT_EQ(parseFieldLengths({"2", "+3", "x", "4"}, badText), (std::vector<int>{2, 3}));
    EXPECT_EQ(badText, "x");
}

// A length text is taken at start, at open, at save and at paste alike, or
// refused by all of them ("+3" used to pass the settings and fail every open).
class FieldLengthEverywhereTest : public FormFixture {
protected:
    TempFolder folder;
};

TEST_F(FieldLengthEverywhereTest, ALengthTheSettingsTakeOpensSavesAndPastes) {
    for (std::string text : {"+3", "03", "3", "-0", "-3", "+-3", "x3"}) {
        SCOPED_TRACE(text);
        const bool isLength = parseFieldLength(text).has_value();
        ASSERT_EQ(WriteLayoutSettings(form->config, false, {text, "2"}, true), "");
        std::vector<std::string> read;
        form->document.layout.DelimitedMode = ReadLayoutSettings(form->config, read);
        EXPECT_FALSE(form->document.layout.DelimitedMode);
        EXPECT_EQ(read.size(), isLength ? 2u : 0u);  // a bad length ends the list at start
        form->document.layout.FieldLengths = {text, "2"};     // as if typed into the dialog untrimmed

        fake.dialogs.messages.clear();
        folder.write("t.txt", "abcde\r\n");
        EXPECT_EQ(form->files.OpenTableFile(folder.file("t.txt")), isLength);
        if (!isLength) {
            ASSERT_EQ(fake.dialogs.messages.size(), 1u);
            EXPECT_EQ(fake.dialogs.messages[0], "'" + text + "' ist keine gültige Feldlänge.");
            continue;
        }
        const auto first = static_cast<std::size_t>(*parseFieldLength(text));
        EXPECT_EQ(grid().cellText(1, 1), std::string("abcde").substr(0, first));
        EXPECT_EQ(grid().cellText(2, 1), std::string("abcde").substr(first, 2));
        // Cells that fit their lengths are saved as they are, without the padding question.
        journal().SetModified(true);
        fake.dialogs.messages.clear();
        form->files.SaveCurrentFile();
        EXPECT_TRUE(fake.dialogs.questions.empty());
        EXPECT_TRUE(fake.dialogs.messages.empty());
        EXPECT_EQ(folder.read("t.txt"), std::string("abcde").substr(0, first + 2) + "\r\n");
        // Pasting cuts by the same lengths.
        grid().setCurrent(1, 1);
        fake.desktop.clipboardText = std::string("xyzuv").substr(0, first + 2);
        commands().trigger("btnPaste");
        EXPECT_TRUE(fake.dialogs.messages.empty());
        EXPECT_EQ(grid().cellText(1, 1), std::string("xyzuv").substr(0, first));
        EXPECT_EQ(grid().cellText(2, 1), std::string("xyzuv").substr(first, 2));
    }
}

}  // namespace
}  // namespace tabulyst::testing
