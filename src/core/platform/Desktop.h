#pragma once
// The small services of the desktop the core needs: the busy cursor, letting
// pending events run, the clipboard, and measuring text in the grid's font.
#include <string>
#include <string_view>

namespace tabulyst {

class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual bool busy() const = 0;
    virtual void setBusy(bool busy) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Lets the window system process pending events.
    virtual void processEvents() = 0;
    // Processes pending events, first waiting a short while for one when none is pending.
    virtual void waitForEvent() { processEvents(); }
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Plain text as Windows-1252 bytes; the ui converts at the boundary.
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

class AdvanceTable;

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width in pixels of a Windows-1252 text in the grid's font.
    virtual int textWidth(std::string_view text) const = 0;
    // No text is wider than its length times this; 0 when not known.
    virtual int maxCharWidth() const { return 0; }
    // The advance of each character when a text's width is their sum
    // (fitting a million rows reads them directly); nullptr otherwise.
    virtual const AdvanceTable* advanceTable() const { return nullptr; }
    // The measure for the cells of a UTF-8 table (this one's texts are Windows-1252).
    virtual const TextMeasure& forUtf8Cells() const { return *this; }
};

}  // namespace tabulyst
