#pragma once
// Line breaks inside a cell, which only quoted fields can hold: the grid
// shows each as one mark and keeps the row one line high; the cell editor
// takes Alt+Return or Ctrl+Return as a line break typed into the cell.
#include <string_view>

#include "core/files/FileEncoding.h"
#include "core/files/LayoutSettings.h"
#include "core/platform/Keys.h"

namespace tabulyst {

// What the grid shows for a line break (CR LF, a lone CR or a lone LF), in UTF-8: ↵.
inline constexpr std::string_view kLineBreakMark = "\xE2\x86\xB5";

// The cell as the grid shows it, in order: text(part) for each run without a
// line break, mark() for each line break.
template <class Text, class Mark>
void forEachShownPart(std::string_view cell, Text&& text, Mark&& mark) {
    for (;;) {
        const std::size_t at = cell.find_first_of("\r\n");
        if (at == std::string_view::npos) {
            if (!cell.empty()) text(cell);
            return;
        }
        if (at > 0) text(cell.substr(0, at));
        mark();
        cell.remove_prefix(at + (cell[at] == '\r' && at + 1 < cell.size() && cell[at + 1] == '\n' ? 2 : 1));
    }
}

// The line break the key types into the cell being edited, or nothing: Alt+
// or Ctrl+Return where fields may be quoted, the file's own line end.
inline std::string_view lineBreakTyped(const KeyStroke& stroke, const LayoutSettings& layout,
                                       const FileFormat& format) {
    const Modifiers& m = stroke.modifiers;
    if (stroke.key != vk::Return || m.shift || m.ctrl == m.alt) return {};
    if (!layout.DelimitedMode || !layout.QuotedFields) return {};
    return format.lineEnds == LineEnds::Lf ? "\n" : "\r\n";
}

}  // namespace tabulyst
