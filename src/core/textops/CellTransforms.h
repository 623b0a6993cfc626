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
#include "core/text/TextEncoding.h"
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

    // cellEncoding: what the cells hold. In UTF-8 case follows Unicode's
    // mapping and lengths count whole characters.
    CellTransforms(StringGrid& grid, EditJournal& cells, Commands& commands, Dialogs& dialogs, BusyIndicator* busy,
                   const Locale& locale, std::function<text::TextEncoding()> cellEncoding);

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
    using LengthRule = void (*)(std::string_view, std::size_t, text::TextEncoding, std::string&);
    void askLength(const char* caption, const char* label, LengthRule apply);
    using CaseRule = void (*)(std::string_view, text::TextEncoding, const Locale&, std::string&);
    void changeCase(CaseRule rule);

    StringGrid& grid_;
    EditJournal& cells_;
    Dialogs& dialogs_;
    BusyIndicator* busy_;
    const Locale& locale_;
    std::function<text::TextEncoding()> cellEncoding_;
};

}  // namespace tabulyst
