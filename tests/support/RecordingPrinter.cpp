#include "support/RecordingPrinter.h"

namespace tabulyst::testing {

std::vector<RecordingCanvas::Text> RecordingCanvas::pageHeaders() const {
    std::vector<Text> out;
    for (const auto& t : texts)
        if (t.rect.top == 10) out.push_back(t);
    return out;
}

std::vector<RecordingCanvas::Text> RecordingCanvas::cellTexts(int pageIndex) const {
    std::vector<Text> out;
    for (const auto& t : texts)
        if (t.page == pageIndex && t.rect.top != 10) out.push_back(t);
    return out;
}

}  // namespace tabulyst::testing
