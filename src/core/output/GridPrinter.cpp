#include "core/output/GridPrinter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/grid/StringGrid.h"
#include "core/output/PrintLayout.h"
#include "core/platform/Platform.h"

namespace tabulyst {

namespace {

constexpr const char* kGridChanged = "Die Tabelle wurde während des Druckens geändert; der Druck wurde beendet.";

enum class CellKind { Plain, Header, Frozen };

// One running job: the page counter and where the current page and band begin.
class PrintJob {
public:
    PrintJob(PrintCanvas& canvas, PrintProgress* progress, const StringGrid& grid, const PrintOptions& options)
        : canvas_(canvas), progress_(progress), grid_(grid), options_(options), geometry_(grid),
          page_(options.firstPageNumber) {}

    int run() {
        const int pageWidth = canvas_.pageWidth();
        const int pageHeight = canvas_.pageHeight();
        margins_ = PrintMarginsFor(canvas_.pixelsPerInchX(), canvas_.pixelsPerInchY());
        usableWidth_ = pageWidth - margins_.left - margins_.right;
        usableHeight_ = pageHeight - margins_.top - margins_.bottom;
        if (auto refusal = PrintRefusal(geometry_.gridWidth(), usableWidth_, usableHeight_)) throw PrintError(*refusal);

        s_ = HorizontalPrintScale(usableWidth_, geometry_.gridWidth(), options_.minimumFontSize);
        s_ = SqueezedPrintScale(s_, geometry_.gridHeight(), pageHeight, usableHeight_, options_.minimumFontSize);
        canvas_.setJobTitle(GridPrinter::kJobTitle);
        canvas_.setFontSize(PrintFontSize(s_));

        canvas_.beginDoc();
        try {
            if (showProgress()) printBands();
        } catch (...) {
            finishAfterError();
            throw;
        }
        finish();
        return page_ - options_.firstPageNumber;
    }

private:
    void printBands() {
        int bandStart = 0;
        std::int64_t y0 = 0;
        for (;;) {
            bool lastBand = true;
            int nextBandStart = 0;
            std::int64_t nextY0 = 0;
            std::int64_t x0 = 0;
            for (int col = 0; col < geometry_.colCount(); ++col) {
                const ScreenRect head = geometry_.ScreenCellRect(col, 0);
                // A column that starts at the page's left edge stays even when
                // it is wider than the page: a break would only leave a blank page.
                if (usableWidth_ < static_cast<double>(head.right - x0) * s_ && head.left > x0) {
                    if (!nextPage()) return;
                    x0 = head.left;
                }
                for (int row = bandStart; row < geometry_.rowCount(); ++row) {
                    const ScreenRect r = geometry_.ScreenCellRect(col, row);
                    // Likewise a row taller than the page opens its band, or
                    // bands would start at it for ever.
                    if (usableHeight_ < static_cast<double>(r.bottom - y0) * s_ && r.top > y0) {
                        if (lastBand) {
                            lastBand = false;
                            nextBandStart = row;
                            nextY0 = r.top;
                        }
                        break;  // the rows below lie lower still
                    }
                    printCell(col, row, r, x0, y0);
                }
            }
            if (lastBand) return;
            if (!nextPage()) return;
            bandStart = nextBandStart;
            y0 = nextY0;
        }
    }

    int toDevice(double screen, double origin, int margin) const {
        // Clamped so that a column far wider than the page stays a valid coordinate.
        const double v = std::clamp(screen * s_ - origin * s_ + margin, -1e9, 1e9);
        return static_cast<int>(std::lround(v));
    }

    void printCell(int col, int row, const ScreenRect& r, std::int64_t x0, std::int64_t y0) {
        const auto sx0 = static_cast<double>(x0);
        const auto sy0 = static_cast<double>(y0);
        const PrintRect device{toDevice(static_cast<double>(r.left), sx0, margins_.left),
                               toDevice(static_cast<double>(r.top), sy0, margins_.top),
                               toDevice(static_cast<double>(r.right), sx0, margins_.left),
                               toDevice(static_cast<double>(r.bottom), sy0, margins_.top)};
        PrintRect text = device;
        text.left += 4;
        text.right -= static_cast<int>(std::lround((device.right - device.left) * 0.05));
        CellKind kind = CellKind::Plain;
        if (row < grid_.fixedRows() || col < grid_.fixedCols())
            kind = (row == 0 || col == 0) ? CellKind::Header : CellKind::Frozen;
        PrintCellText(grid_.cell(col, row), text, device, kind);
        const std::array<PrintPoint, 5> frame{PrintPoint{device.left, device.top}, PrintPoint{device.right, device.top},
                                              PrintPoint{device.right, device.bottom},
                                              PrintPoint{device.left, device.bottom},
                                              PrintPoint{device.left, device.top}};
        canvas_.polyline(frame);
    }

    void PrintCellText(std::string_view text, const PrintRect& textRect, const PrintRect& deviceRect, CellKind kind) {
        canvas_.setBrushColor(GridPrinter::kWhite);
        if (kind != CellKind::Plain) {
            const PrintColor fill = kind == CellKind::Header ? GridPrinter::kHeaderColor : GridPrinter::kFrozenColor;
            canvas_.setBrushColor(fill);
            canvas_.setPenColor(fill);
            canvas_.fillRect(deviceRect);
        }
        canvas_.setPenColor(GridPrinter::kBlack);
        canvas_.drawText(textRect, text, options_.cells);
    }

    void PrintPageHeader() {
        // On white, whatever the page's last cell left in the brush.
        canvas_.setBrushColor(GridPrinter::kWhite);
        const int pageWidth = canvas_.pageWidth();
        const std::string& title = options_.title;
        canvas_.drawText({pageWidth / 100, 10, canvas_.textWidth(title, TextCoding::Utf8) + pageWidth / 100,
                          canvas_.textHeight(title, TextCoding::Utf8) + 20},
                         title, TextCoding::Utf8);
        if (options_.printPageNumbers) {
            const std::string number = pageText();
            canvas_.drawText({pageWidth - pageWidth / 100 - canvas_.textWidth(number, TextCoding::Ansi), 10,
                              pageWidth, canvas_.textHeight(number, TextCoding::Ansi) + 20},
                             number, TextCoding::Ansi);
        }
    }

    std::string pageText() const { return options_.pagePrefix + std::to_string(page_); }

    // Heads and closes the current page and opens the next one; false when
    // the user cancelled instead.
    bool nextPage() {
        closePage();
        if (!showProgress()) return false;
        canvas_.newPage();
        pageClosed_ = false;
        return true;
    }

    void closePage() {
        PrintPageHeader();
        ++page_;
        pageClosed_ = true;
    }

    bool showProgress() {
        if (!progress_) return true;
        if (!progress_->showPage(GridPrinter::kJobTitle, pageText())) return false;
        // The window lets events run; a command that reshaped the grid meanwhile ends the job.
        if (grid_.colCount() != geometry_.colCount() || grid_.rowCount() != geometry_.rowCount())
            throw PrintError(kGridChanged);
        return true;
    }

    void finish() {
        if (!pageClosed_) closePage();
        canvas_.endDoc();
        if (progress_) progress_->close();
    }

    // The page and the document are still closed; the first error is the one reported.
    void finishAfterError() noexcept {
        try {
            if (!pageClosed_) closePage();
        } catch (...) {
        }
        try {
            canvas_.endDoc();
        } catch (...) {
        }
        try {
            if (progress_) progress_->close();
        } catch (...) {
        }
    }

    PrintCanvas& canvas_;
    PrintProgress* progress_;
    const StringGrid& grid_;
    const PrintOptions& options_;
    ScreenGeometry geometry_;
    PrintMargins margins_;
    int usableWidth_ = 0;
    int usableHeight_ = 0;
    double s_ = 0;
    int page_;
    bool pageClosed_ = false;
};

}  // namespace

int GridPrinter::PrintGrid(const StringGrid& grid, const PrintOptions& options) {
    if (events_) events_->processEvents();
    BusyCursor busy(busy_);
    PrintJob job(canvas_, progress_, grid, options);
    return job.run();
}

}  // namespace tabulyst
