#include "core/table/StringsChooser.h"

#include "core/platform/Dialogs.h"
#include "core/platform/Locale.h"

namespace tabulyst {

StringsChooser::StringsChooser(Dialogs& dialogs, const Locale& locale) : dialogs_(dialogs), locale_(locale) {}

void StringsChooser::ChooserAddItem(const std::string& text) { clbClientClient.push_back({text, false}); }

void StringsChooser::ChooserSetChecked(int index, bool checked) {
    if (validIndex(index)) clbClientClient[static_cast<std::size_t>(index)].checked = checked;
}

bool StringsChooser::ChooserExecute(const std::vector<std::string>& list, const std::string& newCaption,
                                    bool initialChecked, bool fillFromList, bool singleChoice) {
    caption = newCaption;
    singleChoice_ = singleChoice;
    pnlClientRightVisible = !singleChoice;
    if (fillFromList) {
        clbClientClient.clear();
        clbClientClient.reserve(list.size());
        for (const auto& text : list) clbClientClient.push_back({text, initialChecked});
        if (!validIndex(itemIndex)) itemIndex = -1;
    }
    return dialogs_.showStringsChooser(*this);
}

bool StringsChooser::ChooserIsChecked(std::string_view text) const {
    bool result = false;
    for (const auto& item : clbClientClient) {
        if (item.text.size() != text.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < text.size() && same; ++i)
            same = locale_.toUpper(static_cast<unsigned char>(item.text[i])) ==
                   locale_.toUpper(static_cast<unsigned char>(text[i]));
        if (same) result = item.checked;
    }
    return result;
}

void StringsChooser::clbClientClientClick(int index) {
    if (!validIndex(index)) return;
    itemIndex = index;
    if (singleChoice_) enforceSingleChoice();
}

void StringsChooser::clbClientClientClickCheck(int index, bool checked) {
    if (!validIndex(index)) return;
    itemIndex = index;
    clbClientClient[static_cast<std::size_t>(index)].checked = checked;
    if (singleChoice_) enforceSingleChoice();
}

void StringsChooser::pnlClientRightAllClick() {
    for (auto& item : clbClientClient) item.checked = true;
}

void StringsChooser::pnlClientRightNoneClick() {
    for (auto& item : clbClientClient) item.checked = false;
}

void StringsChooser::pnlClientRightInvertClick() {
    for (auto& item : clbClientClient) item.checked = !item.checked;
}

int StringsChooser::checkedCount() const {
    int count = 0;
    for (const auto& item : clbClientClient) count += item.checked ? 1 : 0;
    return count;
}

void StringsChooser::enforceSingleChoice() {
    const int count = checkedCount();
    if (count == 1) return;
    // More than one: every other item loses its mark, the selected one keeps
    // its own. None: the selected item becomes checked.
    for (std::size_t i = 0; i < clbClientClient.size(); ++i) {
        bool selected = static_cast<int>(i) == itemIndex;
        if (count > 1)
            clbClientClient[i].checked = clbClientClient[i].checked && selected;
        else
            clbClientClient[i].checked = selected;
    }
}

}  // namespace tabulyst
