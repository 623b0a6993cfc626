#include <gtest/gtest.h>

#include "core/app/AboutWindow.h"
#include "core/app/BuildVersion.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class AboutWindowTest : public FormFixture {
protected:
    AboutWindow& about() { return form->about; }
};

TEST_F(AboutWindowTest, TheCreditEndsWithTheVersionOrItsStandIn) {
    // This build states its version, and the window created at start shows it.
    ASSERT_FALSE(BuildVersion().empty());
    EXPECT_TRUE(endsWith(about().creditLabel, "; V" + BuildVersion())) << about().creditLabel;

    about().FormCreate("");
    EXPECT_TRUE(endsWith(about().creditLabel, "; V<>")) << about().creditLabel;
    EXPECT_EQ(about().creditLabel.rfind(AboutWindow::kCreditDesign, 0), 0u);
    about().FormCreate("2.5.1");
    EXPECT_EQ(about().creditLabel, std::string(AboutWindow::kCreditDesign) + "; V2.5.1");
    about().FormCreate(std::string(200, '9'));
    EXPECT_TRUE(endsWith(about().creditLabel, "; V" + std::string(127, '9')));
    EXPECT_FALSE(endsWith(about().creditLabel, "; V" + std::string(128, '9')));
}

TEST_F(AboutWindowTest, TheMenuAndItsButtonShowTheWindow) {
    ASSERT_TRUE(commands().trigger("mnuMainAbout"));
    ASSERT_TRUE(commands().trigger("ToolButton8"));
    EXPECT_EQ(fake.dialogs.aboutShown, 2);
}

TEST_F(AboutWindowTest, TheLinksOpenTheWebPageAndANewMailOnTheExampleDomain) {
    EXPECT_TRUE(endsWith(about().lblWWW, ".example.org"));
    EXPECT_TRUE(endsWith(about().lblMailTo, ".example.org"));
    about().lblWWWClick();
    about().lblMailToClick();
    ASSERT_EQ(fake.opener.targets.size(), 2u);
    EXPECT_EQ(fake.opener.targets[0], about().lblWWW + "/?Tabulyst");
    const std::string mail = fake.opener.targets[1];
    EXPECT_EQ(mail.rfind("mailto:" + about().lblMailTo + "?subject=Tabulyst&body=", 0), 0u) << mail;
    // The body as the mail program decodes it.
    std::string body = mail.substr(mail.find("&body=") + 6);
    for (std::size_t p; (p = body.find("%20")) != std::string::npos;) body.replace(p, 3, " ");
    EXPECT_EQ(body, "Your comment / Ihre Anmerkung :");
    EXPECT_EQ(mail.find(' '), std::string::npos);
}

TEST_F(AboutWindowTest, FailuresOfTheLinksAreNotReported) {
    fake.opener.exits = {{true, 4}, {false, 0}};
    about().lblWWWClick();
    about().lblMailToClick();
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(AboutWindowTest, TheAcknowledgementsThankUsersAndTesters) {
    const auto& lines = about().acknowledgements;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Vielen Dank an :");
    EXPECT_EQ(lines[1], "");
    EXPECT_NE(lines[2].find("Anwender"), std::string::npos);
    EXPECT_NE(lines[3].find("Tester"), std::string::npos);
}

}  // namespace
}  // namespace tabulyst::testing
