#include "core/output/PrintCommand.h"

#include "core/window/Commands.h"
#include "core/base/CoreTimer.h"
#include "core/output/GridPrinter.h"
#include "core/output/PrintLayout.h"
#include "core/platform/Platform.h"

namespace tabulyst {

namespace {
constexpr const char* kNoPrinter = "Es ist kein Drucker eingerichtet.";

// Cyclic reloading waits while a job runs: a reload would reshape the grid under it.
class ReloadPause {
public:
    explicit ReloadPause(CoreTimer& timer) : timer_(timer), wasEnabled_(timer.enabled()) {
        if (wasEnabled_) timer_.setEnabled(false);
    }
    ~ReloadPause() {
        if (wasEnabled_) timer_.setEnabled(true);
    }
    ReloadPause(const ReloadPause&) = delete;
    ReloadPause& operator=(const ReloadPause&) = delete;

private:
    CoreTimer& timer_;
    bool wasEnabled_;
};
}  // namespace

PrintCommand::PrintCommand(StringGrid& grid, Commands& commands, const Platform& platform, CoreTimer& reloadTimer,
                           std::function<std::string()> title, std::function<text::TextEncoding()> cells)
    : grid_(grid), platform_(platform), reloadTimer_(reloadTimer), title_(std::move(title)), cells_(std::move(cells)) {
    commands.on("mnuPrint", [this] { print(); });
    commands.on("ToolButton14", [this] { print(); });
}

void PrintCommand::print() {
    lastPageCount_ = 0;
    Printer* printer = platform_.printer;
    if (!printer) {
        platform_.dialogs->showMessage(kNoPrinter);
        return;
    }
    // Refused before the dialog: choosing a printer for nothing would only waste the user's time.
    if (auto refusal = PrintRefusal(grid_)) {
        platform_.dialogs->showMessage(*refusal);
        return;
    }
    if (!printer->showPrintDialog()) return;
    ReloadPause pause(reloadTimer_);
    GridPrinter gridPrinter(printer->canvas(), &printer->progress(), platform_.busy, platform_.events);
    PrintOptions options;
    options.title = title_();
    options.cells = cells_() == text::TextEncoding::Utf8 ? TextCoding::Utf8 : TextCoding::Ansi;
    lastPageCount_ = gridPrinter.PrintGrid(grid_, options);
}

}  // namespace tabulyst
