#pragma once
// The status bar: one panel of text, hidden at start.
#include <string>

#include "core/base/Signal.h"

namespace tabulyst {

class StatusLine {
public:
    bool visible() const { return visible_; }
    const std::string& text() const { return text_; }
    // Makes the bar visible and sets the text of its only panel.
    void ShowStatusText(const std::string& text) {
        text_ = text;
        visible_ = true;
        changed();
    }
    // Sets the panel's text and leaves the bar as it is.
    void setText(const std::string& text) {
        text_ = text;
        changed();
    }
    void hide() {
        visible_ = false;
        changed();
    }
    Signal<> changed;

private:
    bool visible_ = false;
    std::string text_ = "?";
};

}  // namespace tabulyst
