#pragma once
// Everything the core reaches outside itself, handed in at construction.
#include "core/platform/Desktop.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Keyboard.h"
#include "core/platform/PrintCanvas.h"
#include "core/platform/Progress.h"
#include "core/platform/DesktopOpener.h"
#include "core/platform/WindowGeometry.h"

namespace tabulyst {

struct Platform {
    Dialogs* dialogs = nullptr;
    BusyIndicator* busy = nullptr;
    EventPump* events = nullptr;
    Clipboard* clipboard = nullptr;
    TextMeasure* textMeasure = nullptr;
    Keyboard* keyboard = nullptr;
    Printer* printer = nullptr;
    DesktopOpener* opener = nullptr;
    WindowGeometry* geometry = nullptr;
    Progress* progress = nullptr;
};

// Shows the busy cursor for a scope and restores the previous one on every exit.
class BusyCursor {
public:
    explicit BusyCursor(BusyIndicator* indicator) : indicator_(indicator) {
        if (indicator_) {
            previous_ = indicator_->busy();
            indicator_->setBusy(true);
        }
    }
    ~BusyCursor() {
        if (indicator_) indicator_->setBusy(previous_);
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    BusyIndicator* indicator_;
    bool previous_ = false;
};

}  // namespace tabulyst
