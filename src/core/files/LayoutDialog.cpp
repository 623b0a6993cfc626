#include "core/files/LayoutDialog.h"

#include "core/files/ConfigFile.h"
#include "core/files/FieldLengthDialog.h"
#include "core/platform/Dialogs.h"
#include "core/files/DelimiterNotation.h"

namespace tabulyst {

LayoutDialog::LayoutDialog(ConfigFile& config, FieldLengthDialog& fieldLengthDialog, Dialogs& dialogs)
    : config_(config), fieldLengthDialog_(fieldLengthDialog), dialogs_(dialogs) {
    config_.inspect([this](const ConfigFile::Editor& e) {
        edtSeperatorFree1 = notationFromStorage(e.read("FreeDelimiter", "Delimiter1").value_or("#8"));
        edtSeperatorFree2 = notationFromStorage(e.read("FreeDelimiter", "Delimiter2").value_or("#13"));
    });
}

void LayoutDialog::setShownDelimiter(const std::string& delimiter) {
    ChosenDelimiter = delimiter;
    if (delimiter == ",") {
        checkedSeparator = Separator::ASCII;
    } else if (delimiter == ";") {
        checkedSeparator = Separator::CSV;
    } else if (delimiter == "\t") {
        checkedSeparator = Separator::TAB;
    } else {
        // Both free fields may hold it: the second one wins.
        if (edtSeperatorFree1 == delimiter) checkedSeparator = Separator::Free1;
        if (edtSeperatorFree2 == delimiter) checkedSeparator = Separator::Free2;
    }
}

void LayoutDialog::setShownMode(bool delimited) { rbxClientBottomClientClientSeperatorOrLengthClick(delimited ? 0 : 1); }

void LayoutDialog::rbxClientBottomClientClientSeperatorOrLengthClick(int itemIndex) {
    rbxClientBottomClientClientSeperatorOrLength = itemIndex;
    btnClientBottomClientClientAdjustLengthEnabled = itemIndex == 1;
    chkQuotedFieldsEnabled = itemIndex != 1;
}

bool LayoutDialog::ok() {
    // The free texts are stored whatever is chosen, even if the command is refused later.
    auto error = config_.update([this](ConfigFile::Editor& e) {
        e.write("FreeDelimiter", "Delimiter1", edtSeperatorFree1);
        e.write("FreeDelimiter", "Delimiter2", edtSeperatorFree2);
    });
    if (!error.empty()) dialogs_.showMessage(error);

    bool free = false;
    switch (checkedSeparator) {
        case Separator::ASCII: ChosenDelimiter = ","; break;
        case Separator::CSV: ChosenDelimiter = ";"; break;
        case Separator::TAB: ChosenDelimiter = "\t"; break;
        case Separator::Free1: ChosenDelimiter = edtSeperatorFree1; free = true; break;
        case Separator::Free2: ChosenDelimiter = edtSeperatorFree2; free = true; break;
        case Separator::None: ChosenDelimiter.clear(); break;
    }
    // The warning shows what was typed; the choice stands all the same.
    if (free && IsDecodeError(DecodeDelimiter(ChosenDelimiter))) dialogs_.showMessage(ChosenDelimiter);
    // Either would leave every file it is applied to unreadable, and a table without its file.
    if (chosenDelimitedMode() && ChosenDelimiter.empty()) {
        dialogs_.showMessage("Bitte geben Sie ein Trennzeichen ein!");
        return false;
    }
    if (!chosenDelimitedMode() && fieldLengths_ && fieldLengths_->empty()) {
        dialogs_.showMessage("Bitte stellen Sie die Feldlänge ein!");
        return false;
    }
    return true;
}

void LayoutDialog::btnClientBottomClientClientAdjustLengthClick() {
    if (!fieldLengths_) return;
    auto& lengths = *fieldLengths_;
    for (int i = 1; i < FieldLengthDialog::kColCount; ++i)
        if (lengths.size() >= static_cast<std::size_t>(i))
            fieldLengthDialog_.setCell(i, 1, lengths[static_cast<std::size_t>(i - 1)]);
    if (!dialogs_.showFieldLengthDialog(fieldLengthDialog_)) return;
    // The list is the main window's own: the new lengths apply at once.
    lengths.clear();
    for (int i = 1; i < FieldLengthDialog::kColCount; ++i) {
        auto length = FieldLengthDialog::fieldLength(fieldLengthDialog_.cell(i, 1));
        if (!length) break;
        lengths.push_back(std::to_string(*length));
    }
}

}  // namespace tabulyst
