#include "support/FakePlatform.h"

namespace tabulyst::testing {

bool FakeDialogs::confirm(const std::string& text) {
    questions.push_back(text);
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

}  // namespace tabulyst::testing
