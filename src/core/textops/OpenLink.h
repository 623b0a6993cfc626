#pragma once
// "Verknüpfung öffnen": the current cell's text, exactly as stored, opened
// with its associated application; a failure is told in the English sentence
// of its number.
#include <string>

namespace tabulyst {

class StringGrid;
class Commands;
class Dialogs;
class DesktopOpener;

// The sentence for a failure number of the shell's open action; empty for
// success and for the numbers that get no message.
std::string ShellErrorMessage(int result);

class OpenLink {
public:
    OpenLink(StringGrid& grid, Commands& commands, Dialogs& dialogs, DesktopOpener* opener);

    // Neither the table nor the modified state changes.
    void mnuOpenLinkClick();

private:
    StringGrid& grid_;
    Dialogs& dialogs_;
    DesktopOpener* opener_;
};

}  // namespace tabulyst
