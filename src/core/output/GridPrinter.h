#pragma once
// Prints the whole grid, fixed rows and columns included: scaled so its text
// comes out at a small minimum size, cut into pages across and then down,
// every cell framed, every page headed by the title and its number.
#include <stdexcept>
#include <string>

#include "core/platform/PrintCanvas.h"

namespace tabulyst {

class StringGrid;
class BusyIndicator;
class EventPump;

struct PrintOptions {
    int minimumFontSize = 6;
    std::string title;  // UTF-8, printed at the top left of every page
    TextCoding cells = TextCoding::Ansi;  // what the cells' bytes are
    int firstPageNumber = 1;
    std::string pagePrefix = "Page ";
    bool printPageNumbers = true;
};

// Errors that end or refuse a job with a message for the user.
class PrintError : public std::runtime_error {
public:
    explicit PrintError(const std::string& what) : std::runtime_error(what) {}
};

class GridPrinter {
public:
    static constexpr const char* kJobTitle = "Printing a grid...";
    static constexpr PrintColor kHeaderColor{192, 192, 192};
    static constexpr PrintColor kFrozenColor{255, 255, 0};
    static constexpr PrintColor kWhite{255, 255, 255};
    static constexpr PrintColor kBlack{0, 0, 0};

    // progress, busy and events may be null.
    GridPrinter(PrintCanvas& canvas, PrintProgress* progress, BusyIndicator* busy, EventPump* events)
        : canvas_(canvas), progress_(progress), busy_(busy), events_(events) {}

    // Returns the number of pages printed. Refuses a grid without width or
    // pages without room inside the margins with a PrintError before the
    // document begins. A cancel in the progress window ends the job with the
    // pages printed so far; an error ends it too and is thrown on.
    int PrintGrid(const StringGrid& grid, const PrintOptions& options);

private:
    PrintCanvas& canvas_;
    PrintProgress* progress_;
    BusyIndicator* busy_;
    EventPump* events_;
};

}  // namespace tabulyst
