#pragma once
// The "&Modifizieren" menu's rewrites of cell values: upper, lower and word
// case over the selection, left and right trimming of all data cells, fixed
// and maximum lengths over the selection, and the time stamp in the current
// cell. Every changed cell goes through the journal, so each can be undone.
#include <functional>
#include <string>
#include <string_view>

#include "core/grid/GridTypes.h"
#include "core/platform/DateTimeText.h"
#include "core/text/CaseMapping.h"
#include "core/textops/ValueDialog.h"

namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
class Dialogs;
class BusyIndicator;
class Locale;


class CellTransforms {
public:
    static constexpr const char* kInvalidInput = "Ungültige Eingabe";
    // The length field takes digits and backspace, at most four of them.
    static constexpr const char* kLengthCharacters = "0123456789\b";
    static constexpr int kLengthMaxChars = 4;

    // rawUtf8Cells: whether the cells hold UTF-8 as a file was read (one with
    // characters the code page lacks); case and lengths then keep every
    // multi-byte sequence whole.
    CellTransforms(StringGrid& grid, EditJournal& cells, Commands& commands, Dialogs& dialogs, BusyIndicator* busy,
                   const Locale& locale, std::function<bool()> rawUtf8Cells);

    // The value dialog, created once and reused.
    ValueDialog valueDialog;
    // The length both length commands offer; each confirmed length replaces it.
    int LastCellLength = 50;
    // The local date and time the time stamp writes; tests set a fixed one.
    std::function<DateTime()> now = localNow;

    void mnuMainChangeCaseToUpperClick();
    void mnuMainChangeCaseToLowerClick();
    void mnuMainChangeCaseToCapitalizeClick();
    void mnuMainLeftTrimClick();
    void mnuMainRightTrimClick();
    void mnuFixLengthClick();
    void mnuCutCellLengthClick();
    void mnuInsertTimeStampClick();

private:
    // convert(text, out): out receives the new text. Each cell of the
    // selection, row by row, goes through ChangeCell; the selection stays.
    void eachSelected(const std::function<void(std::string_view, std::string&)>& convert);
    // keep(text): the part of a cell to keep. Every data cell, column by column.
    void eachDataCell(std::string_view (*keep)(std::string_view));
    void askLength(const char* caption, const char* label,
                   std::string (*apply)(std::string_view, std::size_t, bool utf8));
    void changeCase(bool upper);
    bool rawUtf8() const { return rawUtf8Cells_ && rawUtf8Cells_(); }

    StringGrid& grid_;
    EditJournal& cells_;
    Dialogs& dialogs_;
    BusyIndicator* busy_;
    const Locale& locale_;
    std::function<bool()> rawUtf8Cells_;
};

}  // namespace tabulyst
