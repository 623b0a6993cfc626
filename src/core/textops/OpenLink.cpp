#include "core/textops/OpenLink.h"

#include <exception>

#include "core/window/Commands.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Dialogs.h"
#include "core/platform/ShellOpen.h"

namespace tabulyst {

std::string ShellErrorMessage(int result) {
    struct Row {
        int result;
        const char* message;
    };
    static constexpr Row table[] = {
        {0, "The operating system is out of memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied access to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred."},
        {27, "The filename association is incomplete or invalid."},
        {28, "The DDE transaction could not be completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not be completed because other DDE transactions were being processed."},
        {31, "There is no application associated with the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    for (const Row& row : table)
        if (row.result == result) return row.message;
    return {};
}

OpenLink::OpenLink(StringGrid& grid, Commands& commands, Dialogs& dialogs, DesktopOpener* opener)
    : grid_(grid), dialogs_(dialogs), opener_(opener) {
    commands.on("mnuOpenLink", [this] { mnuOpenLinkClick(); });
}

void OpenLink::mnuOpenLinkClick() {
    try {
        ShellOpen(opener_, grid_.cellText(grid_.col(), grid_.row()), [this](int result) {
            const std::string message = ShellErrorMessage(result);
            if (!message.empty()) dialogs_.showMessage(message);
        });
    } catch (const std::exception&) {
        // The command then simply does nothing.
    }
}

}  // namespace tabulyst
