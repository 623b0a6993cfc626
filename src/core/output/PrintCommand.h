#pragma once
// "Drucken": the print dialog, then the whole grid to the chosen printer,
// headed by the main window's caption.
#include <functional>
#include <string>

#include "core/text/TextEncoding.h"

namespace tabulyst {

class StringGrid;
class Commands;
class Dialogs;
class CoreTimer;
struct Platform;

class PrintCommand {
public:
    // title: the main window's caption when the command runs; cells: the table's encoding then.
    PrintCommand(StringGrid& grid, Commands& commands, const Platform& platform, CoreTimer& reloadTimer,
                 std::function<std::string()> title, std::function<text::TextEncoding()> cells);

    void print();
    // The page count of the last job (0 when nothing was printed).
    int lastPageCount() const { return lastPageCount_; }

private:
    StringGrid& grid_;
    const Platform& platform_;
    CoreTimer& reloadTimer_;
    std::function<std::string()> title_;
    std::function<text::TextEncoding()> cells_;
    int lastPageCount_ = 0;
};

}  // namespace tabulyst
