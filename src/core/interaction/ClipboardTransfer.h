#pragma once
// Cells to and from the system clipboard as plain text (UTF-8). Copies join
// cells with the table's own delimiter (nothing in fixed-length mode) and rows
// with CR LF; pastes split by the layout settings and write every piece
// through the journal, so a paste can be undone cell by cell.
#include <functional>
#include <string>
#include <string_view>

#include "core/platform/Platform.h"

namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
struct LayoutSettings;
struct FileFormat;

class ClipboardTransfer {
public:
    // The selection paste lets pending events run after this many pastes.
    static constexpr int kPastesBetweenEvents = 250;

    // format: the open table's, for the encoding its cells are in.
    ClipboardTransfer(StringGrid& grid, EditJournal& cells, Commands& commands, const LayoutSettings& layout,
                      const FileFormat& format, const Platform& platform);

    // The clipboard's UTF-8 text as the cells hold it; false when the table
    // cannot take it (the user was told). Unset: taken as it stands.
    std::function<bool(std::string_view utf8, std::string& cells)> takeText;

    // Set while a paste runs; a paste started meanwhile does nothing.
    bool PasteBusy = false;

    void CopySelection();
    void ClearSelection();
    void CutSelection();
    // Writes the clipboard text into the table from the current cell on.
    void PasteClipboard();

    void mnuCutClick();
    void mnuCopyClick();
    void btnPasteClick();  // the single paste
    void mnuPasteClick();  // the selection paste
    void mnuCopyRowClick();
    void mnuCopyColClick();

    // PasteClipboard with the grid's redrawing off, back on also after an error.
    void pasteWithoutRedraw();

private:
    bool editorOpen() const;
    // The cell separator of a copy; false (after telling the user) when the
    // delimiter cannot be decoded.
    bool copySeparator(std::string& separator);
    // With quoted fields the clipboard holds cells as spreadsheets write
    // them: split by tabs, in quotes where a cell holds a tab or a line break.
    bool spreadsheetCells() const;
    void appendCell(std::string& text, std::string_view cell) const;
    void pasteSpreadsheetCells(const std::string& text, int startCol, int startRow);
    void clearCells();
    void pasteDelimited(const std::string& text, int startCol, int startRow);
    void pasteFixed(const std::string& text, int startCol, int startRow);
    void endOfPaste();
    void putOnClipboard(const std::string& cells);

    StringGrid& grid_;
    EditJournal& cells_;
    Commands& commands_;
    const LayoutSettings& layout_;
    const FileFormat& format_;
    Platform platform_;
};

}  // namespace tabulyst
