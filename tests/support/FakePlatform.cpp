#include "support/FakePlatform.h"

#include "core/files/LayoutDialog.h"
#include "core/macros/MacroKeyDialog.h"
#include "core/table/ColsAndRowsDialog.h"
#include "core/table/StringsChooser.h"
#include "core/textops/ValueDialog.h"

namespace tabulyst::testing {

bool FakeDialogs::confirm(const std::string& text, DefaultAnswer byDefault) {
    questions.push_back(text);
    defaultAnswers.push_back(byDefault);
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<std::string> FakeDialogs::chooseOpenFile(const std::string& folder) {
    lastFolder = folder;
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
}

std::optional<std::string> FakeDialogs::chooseSaveFile(const std::string& folder, const std::string&) {
    return chooseOpenFile(folder);
}

bool FakeDialogs::showLayoutDialog(LayoutDialog& dialog) {
    ++layoutShown;
    if (layoutScripts.empty()) return false;
    auto script = std::move(layoutScripts.front());
    layoutScripts.pop_front();
    if (!script(dialog)) return false;
    dialog.BitBtn1Click();
    return true;
}

bool FakeDialogs::showFieldLengthDialog(FieldLengthDialog& dialog) {
    ++fieldLengthShown;
    if (fieldLengthScripts.empty()) return false;
    auto script = std::move(fieldLengthScripts.front());
    fieldLengthScripts.pop_front();
    return script(dialog);
}

bool FakeDialogs::showStringsChooser(StringsChooser& chooser) {
    chooserCaptions.push_back(chooser.caption);
    if (chooserScripts.empty()) return false;
    auto script = std::move(chooserScripts.front());
    chooserScripts.pop_front();
    return script(chooser);
}

bool FakeDialogs::showMacroKeyDialog(MacroKeyDialog& dialog) {
    ++macroKeyShown;
    if (macroKeyScripts.empty()) return false;
    auto script = std::move(macroKeyScripts.front());
    macroKeyScripts.pop_front();
    return script(dialog);
}

bool FakeDialogs::showColsAndRowsDialog(ColsAndRowsDialog& dialog) {
    ++colsAndRowsShown;
    while (!colsAndRowsScripts.empty()) {
        auto script = std::move(colsAndRowsScripts.front());
        colsAndRowsScripts.pop_front();
        if (!script(dialog)) return false;
        if (dialog.BitBtn1Click()) return true;
    }
    return false;
}

bool FakeDialogs::showValueDialog(ValueDialog& dialog) {
    valueOffered.push_back(dialog.edtString);
    if (valueScripts.empty()) return false;
    auto script = std::move(valueScripts.front());
    valueScripts.pop_front();
    return script(dialog);
}

void FakeOpener::open(const std::string& target, std::function<void(OpenerExit)> done) {
    targets.push_back(target);
    if (holdAnswers) {
        waiting.push_back(std::move(done));
        return;
    }
    OpenerExit exit{true, 0};
    if (!exits.empty()) {
        exit = exits.front();
        exits.pop_front();
    }
    done(exit);
}

void FakeOpener::reply(OpenerExit exit) {
    auto done = std::move(waiting.front());
    waiting.erase(waiting.begin());
    done(exit);
}

PixelPoint FakeGeometry::cellTopLeft(int col, int row) const {
    asked.emplace_back(col, row);
    return corner;
}

}  // namespace tabulyst::testing
