#include "core/interaction/ClipboardTransfer.h"

#include <algorithm>

#include "core/window/Commands.h"
#include "core/base/ScopedFlag.h"
#include "core/files/DelimiterNotation.h"
#include "core/files/FieldLength.h"
#include "core/files/Fields.h"
#include "core/files/FileEncoding.h"
#include "core/files/quoted/ClipboardTable.h"
#include "core/files/LayoutSettings.h"
#include "core/grid/StringGrid.h"
#include "core/document/EditJournal.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/TextLength.h"

namespace tabulyst {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlankOrControl(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlankOrControl(s.back())) s.remove_suffix(1);
    return s;
}

// One line break at the end goes: CR LF, LF CR, a lone CR or a lone LF.
void stripOneLineBreak(std::string& text) {
    if (text.empty()) return;
    if (text.back() == '\r') {
        text.pop_back();
        if (!text.empty() && text.back() == '\n') text.pop_back();
    } else if (text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r') text.pop_back();
    }
}

// Redrawing off for a scope; on again and a repaint on every way out.
class RedrawOff {
public:
    explicit RedrawOff(StringGrid& grid) : grid_(grid) { grid_.beginUpdate(); }
    ~RedrawOff() {
        grid_.endUpdate();
        grid_.repaint();
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    StringGrid& grid_;
};

}  // namespace

ClipboardTransfer::ClipboardTransfer(StringGrid& grid, EditJournal& cells, Commands& commands,
                                     const LayoutSettings& layout, const FileFormat& format, const Platform& platform)
    : grid_(grid), cells_(cells), commands_(commands), layout_(layout), format_(format), platform_(platform) {
    commands.on("mnuCut", [this] { mnuCutClick(); });
    commands.on("btnCut", [this] { mnuCutClick(); });
    commands.on("mnuCopy", [this] { mnuCopyClick(); });
    commands.on("btnCopy", [this] { mnuCopyClick(); });
    commands.on("btnPaste", [this] { btnPasteClick(); });
    commands.on("mnuPaste", [this] { mnuPasteClick(); });
    commands.on("mnuCopyRow", [this] { mnuCopyRowClick(); });
    commands.on("mnuCopyCol", [this] { mnuCopyColClick(); });
}

bool ClipboardTransfer::editorOpen() const { return grid_.editorOpen(); }

bool ClipboardTransfer::spreadsheetCells() const { return layout_.DelimitedMode && layout_.QuotedFields; }

void ClipboardTransfer::appendCell(std::string& text, std::string_view cell) const {
    if (spreadsheetCells()) appendClipboardCell(text, cell);
    else text += cell;
}

bool ClipboardTransfer::copySeparator(std::string& separator) {
    separator.clear();
    if (!layout_.DelimitedMode) return true;
    if (spreadsheetCells()) {
        separator = "\t";
        return true;
    }
    separator = DecodeDelimiter(layout_.CurrentDelimiter, format_.encoding.cells());
    if (!IsDecodeError(separator)) return true;
    // Joining cells with the error text would put garbage on the clipboard.
    if (platform_.dialogs) platform_.dialogs->showMessage(separator);
    return false;
}

// --- copy, clear, cut ---

void ClipboardTransfer::CopySelection() {
    if (editorOpen()) return;
    std::string separator;
    if (!copySeparator(separator)) return;
    const GridRect sel = grid_.selection();
    std::string text;
    try {
        for (int r = sel.top; r <= sel.bottom; ++r) {
            if (r > sel.top) text += kCrLf;
            for (int c = sel.left; c <= sel.right; ++c) {
                if (c > sel.left) text += separator;
                appendCell(text, grid_.cell(c, r));
            }
        }
    } catch (...) {
        putOnClipboard(text);
        throw;
    }
    putOnClipboard(text);
}

void ClipboardTransfer::putOnClipboard(const std::string& cells) {
    if (!platform_.clipboard) return;
    platform_.clipboard->setText(format_.encoding.utf8 ? cells : utf8FromWindows1252(cells));
}

void ClipboardTransfer::clearCells() {
    const GridRect sel = grid_.selection();
    static const std::string empty;
    for (int r = sel.top; r <= sel.bottom; ++r)
        for (int c = sel.left; c <= sel.right; ++c) cells_.ChangeCell(c, r, empty);
    cells_.SetModified(true);
}

void ClipboardTransfer::ClearSelection() {
    if (editorOpen()) return;
    clearCells();
}

void ClipboardTransfer::CutSelection() {
    if (editorOpen()) return;
    std::string separator;
    // Nothing is cleared when nothing could be copied.
    if (!copySeparator(separator)) return;
    CopySelection();
    clearCells();
}

void ClipboardTransfer::mnuCopyRowClick() {
    std::string separator;
    if (!copySeparator(separator)) return;
    std::string text;
    const int r = grid_.row();
    for (int c = grid_.fixedCols(); c < grid_.colCount(); ++c) {
        if (c > grid_.fixedCols()) text += separator;
        appendCell(text, grid_.cell(c, r));
    }
    putOnClipboard(text);
}

void ClipboardTransfer::mnuCopyColClick() {
    std::string text;
    const int c = grid_.col();
    for (int r = grid_.fixedRows(); r < grid_.rowCount(); ++r) {
        appendCell(text, grid_.cell(c, r));
        text += kCrLf;
    }
    putOnClipboard(text);
}

// --- commands ---

void ClipboardTransfer::mnuCutClick() {
    if (editorOpen()) {
        if (CellEditorHost* editor = grid_.editorHost()) {
            editor->cut();
            cells_.SetModified(true);
        }
        return;
    }
    CutSelection();
}

void ClipboardTransfer::mnuCopyClick() {
    if (editorOpen()) {
        if (CellEditorHost* editor = grid_.editorHost()) editor->copy();
        return;
    }
    CopySelection();
}

void ClipboardTransfer::pasteWithoutRedraw() {
    RedrawOff redraw(grid_);
    PasteClipboard();
}

void ClipboardTransfer::btnPasteClick() {
    if (editorOpen()) {
        if (CellEditorHost* editor = grid_.editorHost()) {
            editor->paste();
            cells_.SetModified(true);
        }
        return;
    }
    pasteWithoutRedraw();
}

void ClipboardTransfer::mnuPasteClick() {
    const GridRect sel = grid_.selection();
    if (sel.width() == 1 && sel.height() == 1) {
        btnPasteClick();
        return;
    }
    // Started from the events let through below: it would run inside this one.
    if (PasteBusy) return;
    RedrawOff redraw(grid_);
    BusyCursor busy(platform_.busy);
    int sinceEvents = 0;
    for (int r = sel.top; r <= sel.bottom; ++r) {
        // Events may have reshaped the grid meanwhile.
        if (!grid_.isScrollable(grid_.col(), r)) return;
        grid_.setRow(r);
        for (int c = sel.left; c <= sel.right; ++c) {
            if (!grid_.isScrollable(c, r)) return;
            grid_.setCol(c);
            // A hidden column refuses the move; its cells get no copy of the block.
            if (grid_.col() == c && grid_.row() == r) PasteClipboard();
            if (++sinceEvents == kPastesBetweenEvents) {
                if (platform_.events) {
                    // A paste the user starts meanwhile does nothing.
                    ScopedFlag busyFlag(PasteBusy);
                    platform_.events->processEvents();
                }
                sinceEvents = 0;
            }
        }
    }
}

// --- paste ---

void ClipboardTransfer::PasteClipboard() {
    if (PasteBusy) return;
    ScopedFlag busyFlag(PasteBusy);
    // A huge clipboard takes a while even without redrawing.
    BusyCursor busy(platform_.busy);
    const std::string utf8 = platform_.clipboard ? platform_.clipboard->text() : std::string();
    std::string text = utf8;
    if (takeText && !takeText(utf8, text)) return;
    stripOneLineBreak(text);
    const int startCol = grid_.col();
    const int startRow = grid_.row();
    if (spreadsheetCells()) pasteSpreadsheetCells(text, startCol, startRow);
    else if (layout_.DelimitedMode) pasteDelimited(text, startCol, startRow);
    else pasteFixed(text, startCol, startRow);
}

void ClipboardTransfer::pasteSpreadsheetCells(const std::string& text, int startCol, int startRow) {
    const std::vector<std::vector<std::string>> rows = parseClipboardTable(text);
    int i = startCol, j = startRow;
    bool changed = false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        j = startRow + static_cast<int>(r);
        i = startCol;
        for (const std::string& cell : rows[r]) {
            if (cells_.ChangeCell(i, j, cell)) changed = true;
            ++i;
        }
    }
    if ((i != startCol || j != startRow) && changed) endOfPaste();
}

void ClipboardTransfer::pasteDelimited(const std::string& text, int startCol, int startRow) {
    const std::string d = DecodeDelimiter(layout_.CurrentDelimiter, format_.encoding.cells());
    if (IsDecodeError(d)) {
        if (platform_.dialogs) platform_.dialogs->showMessage(d);
        return;
    }
    // With no delimiter the text cannot be split at all.
    if (d.empty()) return;
    // Line by line, each split as the reader splits a line of a file: only a
    // delimiter lying wholly inside the line counts, so with "||" the line
    // "1||2|" gives "1" and "2|", and a line ":" stays ":" with "::".
    int j = startRow - 1, i = startCol;
    bool changed = false;
    std::vector<std::string_view> fields;
    std::string piece;
    const std::string_view all(text);
    std::size_t pos = 0;
    for (bool more = true; more;) {
        std::size_t end = all.find(kCrLf, pos);
        more = end != std::string_view::npos;
        if (!more) end = all.size();
        splitFields(all.substr(pos, end - pos), d, fields);
        pos = end + kCrLf.size();
        ++j;
        i = startCol;
        for (std::string_view field : fields) {
            piece.assign(field);
            if (cells_.ChangeCell(i, j, piece)) changed = true;
            ++i;
        }
    }
    if ((i != startCol || j != startRow) && changed) endOfPaste();
}

void ClipboardTransfer::pasteFixed(const std::string& text, int startCol, int startRow) {
    std::string work = text;
    work += kCrLf;
    const std::string_view all(work);
    int i = startCol, j = startRow;
    std::size_t pos = 0;
    std::string piece;
    while (pos < all.size() && all.substr(pos) != kCrLf) {
        const auto field = static_cast<std::size_t>(i - startCol);
        const auto width = field < layout_.FieldLengths.size() ? parseFieldLength(layout_.FieldLengths[field])
                                                               : std::nullopt;
        if (!width) {
            if (platform_.dialogs) platform_.dialogs->showMessage("Auswahl passt nicht zu den Einstellungen!");
            return;
        }
        const std::size_t take =
            text::charactersEnd(all, pos, static_cast<std::size_t>(*width), format_.encoding.cells()) - pos;
        piece.assign(trimmed(all.substr(pos, take)));
        pos += take;
        cells_.ChangeCell(i, j, piece);
        ++i;
        if (all.substr(pos, kCrLf.size()) == kCrLf) {
            pos += kCrLf.size();
            ++j;
            i = startCol;
        }
    }
    if (i != startCol || j != startRow) endOfPaste();
}

void ClipboardTransfer::endOfPaste() {
    commands_.setEnabled("mnuMainJumpBackLastChangedCell", true);
    commands_.setEnabled("mnuMainJumpVorwardLastChangedCell", false);
    cells_.SetModified(true);
}

}  // namespace tabulyst
