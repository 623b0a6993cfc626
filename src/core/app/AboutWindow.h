#pragma once
// The about window: the program's name and version, a thank-you line, the
// project's web and mail addresses as links, and the acknowledgements.
// Created once at start and shown modally by "A&bout" and its button.
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

class Commands;
class Dialogs;
class DesktopOpener;

// The version as the credit label shows it: "<>" when there is none, and at
// most 127 characters.
std::string FileVersionText(std::string_view version);

class AboutWindow {
public:
    static constexpr const char* kCaption = "About Tabulyst";
    static constexpr int kClientWidth = 390;
    static constexpr int kClientHeight = 249;
    static constexpr const char* kCreditDesign = "Tabulyst, der Editor für Text-Tabellen";
    static constexpr const char* kWebCaption = "Neuigkeiten und Updates unter :";
    static constexpr const char* kMailCaption = "Für Fehler oder Anregungen email an :";
    static constexpr const char* kThanks = "Thank you very much for using Tabulyst!";
    static constexpr const char* kOkCaption = "Ok";
    static constexpr unsigned kLinkColour = 0x0000FF;    // blue
    static constexpr unsigned kThanksColour = 0x008080;  // teal

    AboutWindow(Commands& commands, Dialogs& dialogs, DesktopOpener* opener);

    // --- the window's texts, as the ui shows them ---
    std::string creditLabel = kCreditDesign;
    std::string lblWWW = "https://tabulyst.example.org";
    std::string lblMailTo = "feedback@tabulyst.example.org";
    // The read-only text area, line by line.
    std::vector<std::string> acknowledgements{
        "Vielen Dank an :",
        "",
        "alle Anwender für ihre Rückmeldungen und Ideen,",
        "alle Tester für ihre Geduld und ihre Fehlerberichte.",
    };

    // Completes the credit label with "; V" and the version.
    void FormCreate(std::string_view version);
    // The about command and its toolbar button: shows the window modally.
    void show();

    // The addresses the links open (the mail one percent-encodes its blanks).
    std::string webLink() const;
    std::string mailLink() const;
    // Open them; the desktop's failures are not reported.
    void lblWWWClick();
    void lblMailToClick();

private:
    Dialogs& dialogs_;
    DesktopOpener* opener_;
};

}  // namespace tabulyst
