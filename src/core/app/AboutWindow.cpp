#include "core/app/AboutWindow.h"

#include "core/window/Commands.h"
#include "core/platform/Dialogs.h"
#include "core/platform/ShellOpen.h"

namespace tabulyst {

namespace {

// A blank is no character of an address; mail programs decode "%20" back.
std::string encodeBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ') out += "%20";
        else out += c;
    }
    return out;
}

}  // namespace

std::string FileVersionText(std::string_view version) {
    if (version.empty()) return "<>";
    return std::string(version.substr(0, 127));
}

AboutWindow::AboutWindow(Commands& commands, Dialogs& dialogs, DesktopOpener* opener)
    : dialogs_(dialogs), opener_(opener) {
    commands.on("mnuMainAbout", [this] { show(); });
    commands.on("ToolButton8", [this] { show(); });
}

void AboutWindow::FormCreate(std::string_view version) {
    creditLabel = std::string(kCreditDesign) + "; V" + FileVersionText(version);
}

void AboutWindow::show() { dialogs_.showAboutWindow(*this); }

std::string AboutWindow::webLink() const { return lblWWW + "/?" + "Tabulyst"; }

std::string AboutWindow::mailLink() const {
    return "mailto:" + lblMailTo + "?subject=Tabulyst" + encodeBlanks("&body=Your comment / Ihre Anmerkung :");
}

void AboutWindow::lblWWWClick() { ShellOpen(opener_, webLink(), [](int) {}); }
void AboutWindow::lblMailToClick() { ShellOpen(opener_, mailLink(), [](int) {}); }

}  // namespace tabulyst
