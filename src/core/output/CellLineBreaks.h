#pragma once
// Line breaks inside a cell, which only quoted fields can hold: the grid
// shows each as one mark and keeps the row one line high; the cell editor
// takes Alt+Return or Ctrl+Return as a line break typed into the cell and
// shows each line break as a line of its own.
#include <string>
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

// The line break a cell may take, the file's own line end; nothing where
// fields are not quoted, since a line break would split the row when read again.
inline std::string_view lineBreakAllowed(const LayoutSettings& layout, const FileFormat& format) {
    if (!layout.DelimitedMode || !layout.QuotedFields) return {};
    return format.lineEnds == LineEnds::Lf ? "\n" : "\r\n";
}

// The line break the key types into the cell being edited, or nothing: Alt+
// or Ctrl+Return where fields may be quoted.
inline std::string_view lineBreakTyped(const KeyStroke& stroke, const LayoutSettings& layout,
                                       const FileFormat& format) {
    const Modifiers& m = stroke.modifiers;
    if (stroke.key != vk::Return || m.shift || m.ctrl == m.alt) return {};
    return lineBreakAllowed(layout, format);
}

// What each line of the editor ends with in the cell: the cell's own (first)
// line break, so an edit keeps its bytes, else the one the table allows.
inline std::string_view editedLineBreak(std::string_view cell, const LayoutSettings& layout,
                                        const FileFormat& format) {
    const std::string_view allowed = lineBreakAllowed(layout, format);
    const std::size_t at = cell.find_first_of("\r\n");
    if (allowed.empty() || at == std::string_view::npos) return allowed;
    if (cell[at] == '\n') return "\n";
    return at + 1 < cell.size() && cell[at + 1] == '\n' ? "\r\n" : "\r";
}

// The cell as the editor shows it: each line break one "\n". Either encoding
// goes through unchanged, since CR and LF are single bytes in both.
inline std::string editorTextOfCell(std::string_view cell) {
    std::string out;
    out.reserve(cell.size());
    forEachShownPart(cell, [&](std::string_view part) { out += part; }, [&] { out += '\n'; });
    return out;
}

// The editor's text as the cell: each "\n" becomes lineBreak (editedLineBreak),
// or a space where the cell can hold none.
inline std::string cellOfEditorText(std::string_view text, std::string_view lineBreak) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\n') out += c;
        else if (lineBreak.empty()) out += ' ';
        else out += lineBreak;
    }
    return out;
}

}  // namespace tabulyst
