#pragma once
// Find and replace: the seven commands that open the find or the replace
// dialog in one of three search modes, the search step that walks the table in
// row-major order from the cell right of the current one, and the single and
// the whole-table replacement. Replacements write the cells directly: they set
// the modified state but are not journaled and cannot be undone. The dialogs'
// texts are UTF-8; they meet the cells in the table's encoding.
#include <functional>
#include <optional>

#include "core/text/CellReplacer.h"
#include "core/text/TextEncoding.h"
#include "core/textops/FindDialogs.h"

namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
class StatusLine;
class CoreTimer;
class Dialogs;
class Progress;
class BusyIndicator;
class Locale;

class FindReplace {
public:
    FindReplace(StringGrid& grid, EditJournal& cells, Commands& commands, StatusLine& status, CoreTimer& hideStatus,
                Dialogs& dialogs, BusyIndicator* busy, const Locale& locale,
                std::function<text::TextEncoding()> cellEncoding, Progress* progress = nullptr);

    // A replacement text with a character a Windows-1252 table cannot hold.
    static constexpr const char* kReplacementLacking =
        "Der Ersetzungstext enthält Zeichen, die es in Windows-1252 nicht gibt.";

    // Below zero while a find or replace dialog is open (one less per
    // replacement), 0 otherwise.
    int ReplaceCounter = 0;
    FindReplace(const FindReplace&) = delete;
    FindReplace& operator=(const FindReplace&) = delete;

    // Search only in the first scrollable column, at the start of its cells.
    bool FirstPlaceMode = false;
    // Search only in the current column; wins over FirstPlaceMode.
    bool CurrentColumnMode = false;
    bool LastSearchFound = false;

    FindTextDialog FindDialog;
    ReplaceTextDialog ReplaceDialog;

    void OpenFindDialog();
    void OpenReplaceDialog();

    // One search step with the texts of the sender (FindDialog or ReplaceDialog).
    void FindDialogFind(const FindTextDialog& sender);
    void ReplaceDialogFind(const FindTextDialog& sender);
    // "Ersetzen" or "Alle ersetzen", told apart by the dialog's replace-all request.
    void ReplaceDialogReplace(ReplaceTextDialog& sender);
    void FindDialogClose();
    void ReplaceDialogClose();

    struct CellPos {
        int col = -1;
        int row = -1;
        friend bool operator==(const CellPos&, const CellPos&) = default;
    };

private:
    // The dialog's texts in the cells' encoding: replacer stays empty when the
    // search text cannot occur in them; false (and the user told) when the
    // replacement has characters they cannot hold.
    bool prepareReplacer(const ReplaceTextDialog& dialog, std::optional<text::CellReplacer>& replacer);
    SearchMatcher matcherFor(const FindTextDialog& dialog) const;
    // Replaces in the current cell; true when that changed it.
    bool replaceInCurrentCell(const text::CellReplacer& replacer);
    void replaceAll(ReplaceTextDialog& dialog);
    // One step: the next match after from (skip never counts) becomes current
    // as a user's move; sets LastSearchFound and returns the match.
    std::optional<CellPos> moveToNextMatch(CellPos from, CellPos skip, const SearchMatcher& matches);

    // A match in a hidden column is shown in another cell (or in none, right of
    // the last visible column); the next step starts after the match itself
    // while the current cell is still where that step left it.
    struct HiddenMatch {
        CellPos match;
        CellPos landed;  // the current cell the step left
    };
    std::optional<HiddenMatch> hiddenMatch_;

    StringGrid& grid_;
    EditJournal& cells_;
    StatusLine& status_;
    CoreTimer& hideStatus_;
    Dialogs& dialogs_;
    BusyIndicator* busy_;
    Progress* progress_;
    const Locale& locale_;
    std::function<text::TextEncoding()> cellEncoding_;
};

}  // namespace tabulyst
