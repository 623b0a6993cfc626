#pragma once
// The modal check-list chooser: a list of texts with check marks, buttons to
// check, uncheck or invert them all, and a single-choice mode that keeps
// exactly one item checked. Callers create one per use, fill it, execute it
// and ask for the check mark of a text afterwards.
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

class Dialogs;
class Locale;

class StringsChooser {
public:
    static constexpr const char* kDesignCaption = "Get tables";
    static constexpr int kWidth = 544;
    static constexpr int kHeight = 375;
    static constexpr const char* kAllCaption = "Alle wählen";
    static constexpr const char* kNoneCaption = "Keine ";
    static constexpr const char* kInvertCaption = "Invertieren";
    static constexpr const char* kOkCaption = "OK";
    static constexpr const char* kCancelCaption = "Cancel";

    struct Item {
        std::string text;  // UTF-8, as the ui shows it
        bool checked = false;
    };

    // The locale's upper-case mapping decides which texts match in ChooserIsChecked.
    StringsChooser(Dialogs& dialogs, const Locale& locale);

    // --- the dialog's state, as the ui shows it ---
    std::string caption = kDesignCaption;
    // clbClientClient: the items in order, and the selected (highlighted) item or -1.
    std::vector<Item> clbClientClient;
    int itemIndex = -1;
    // pnlClientRight with the three mass buttons; hidden in single-choice mode.
    bool pnlClientRightVisible = true;
    bool singleChoice() const { return singleChoice_; }

    // --- what callers use ---
    // Appends an unchecked item.
    void ChooserAddItem(const std::string& text);
    // Sets one item's check mark; an index outside the list is ignored.
    void ChooserSetChecked(int index, bool checked);
    // Sets caption and mode, optionally replaces the items by list (every mark
    // set to initialChecked), shows the dialog modally; true when closed with OK.
    bool ChooserExecute(const std::vector<std::string>& list, const std::string& newCaption, bool initialChecked,
                        bool fillFromList, bool singleChoice);
    // The check mark of the last item whose text equals text ignoring letter
    // case; false when no item matches.
    bool ChooserIsChecked(std::string_view text) const;

    // --- what the user does in the shown dialog ---
    // An item was clicked or chosen with the keyboard: it becomes the selected one.
    void clbClientClientClick(int index);
    // The user set an item's check mark (mouse or Space); that item is selected.
    void clbClientClientClickCheck(int index, bool checked);
    void pnlClientRightAllClick();
    void pnlClientRightNoneClick();
    void pnlClientRightInvertClick();

    int checkedCount() const;

private:
    bool validIndex(int index) const { return index >= 0 && index < static_cast<int>(clbClientClient.size()); }
    // Single choice: more than one checked keeps only the selected item;
    // none checked checks the selected item.
    void enforceSingleChoice();

    Dialogs& dialogs_;
    const Locale& locale_;
    bool singleChoice_ = false;
};

}  // namespace tabulyst
