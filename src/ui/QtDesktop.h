#pragma once
// The desktop services of the core on Qt: busy cursor, event processing,
// the system clipboard, text width in the grid's font.
#include <QFont>
#include <QFontMetrics>

#include "core/platform/AdvanceTable.h"
#include "core/platform/Desktop.h"

namespace tabulyst::ui {

class QtDesktop : public BusyIndicator, public EventPump, public Clipboard, public TextMeasure {
public:
    bool busy() const override { return busy_; }
    void setBusy(bool busy) override;
    void processEvents() override;
    void waitForEvent() override;
    std::string text() const override;
    void setText(const std::string& text) override;
    int textWidth(std::string_view text) const override { return advances_.textWidth(text); }
    int maxCharWidth() const override { return advances_.maxCharWidth(); }
    const AdvanceTable* advanceTable() const override { return &advances_; }
    // Measures every character of the code page in the grid's font once.
    void setFont(const QFont& font);

private:
    bool busy_ = false;
    AdvanceTable advances_;
};

}  // namespace tabulyst::ui
