#include "support/FakePlatform.h"

#include "core/files/FieldLengthDialog.h"
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

// A refused OK leaves the dialog open: the next script works on it, and none left cancels it.
template <class Dialog, class Accept>
bool runScripts(std::deque<std::function<bool(Dialog&)>>& scripts, Dialog& dialog, Accept accept) {
    while (!scripts.empty()) {
        auto script = std::move(scripts.front());
        scripts.pop_front();
        if (!script(dialog)) return false;
        if (accept(dialog)) return true;
    }
    return false;
}

bool FakeDialogs::showLayoutDialog(LayoutDialog& dialog) {
    ++layoutShown;
    return runScripts(layoutScripts, dialog, [](LayoutDialog& d) { return d.ok(); });
}

bool FakeDialogs::showFieldLengthDialog(FieldLengthDialog& dialog) {
    ++fieldLengthShown;
    return runScripts(fieldLengthScripts, dialog, [](FieldLengthDialog& d) { return d.acceptLengths(); });
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
    return runScripts(colsAndRowsScripts, dialog, [](ColsAndRowsDialog& d) { return d.ok(); });
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
