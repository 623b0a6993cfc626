#pragma once
// The desktop services of the core on Qt: busy cursor, event processing,
// the system clipboard, text width in the grid's font.
#include <QFont>
#include <QFontMetrics>

#include "core/platform/Desktop.h"

namespace tabulyst::ui {

class QtDesktop : public BusyIndicator, public EventPump, public Clipboard, public TextMeasure {
public:
    bool busy() const override { return busy_; }
    void setBusy(bool busy) override;
    void processEvents() override;
    std::string text() const override;
    void setText(const std::string& text) override;
    int textWidth(std::string_view text) const override;
    void setFont(const QFont& font) { metrics_ = QFontMetrics(font); }

private:
    bool busy_ = false;
    QFontMetrics metrics_{QFont()};
};

}  // namespace tabulyst::ui
