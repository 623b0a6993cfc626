#pragma once
// A created main form on a scripted desktop, for command tests.
#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <utility>

#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {

class FormFixture : public ::testing::Test {
protected:
    // The executable lies in a fresh temporary folder, so the settings files
    // start missing and never touch the user's own.
    FormFixture() : form(std::make_unique<MainForm>(fake.platform(), settingsFolder.file("tabulyst"))) {
        form->FormCreate();
    }
    StringGrid& grid() { return form->document.StrGrid; }
    EditJournal& journal() { return form->document.journal; }
    Commands& commands() { return form->commands; }
    // Gives the grid cols x rows cells with the text "c,r" in every data cell.
    void fill(int cols, int rows);
    // Types text into the current cell through the in-place editor.
    void type(const std::string& text);
    // The current cell as (column, row).
    std::pair<int, int> current() { return {grid().col(), grid().row()}; }
    // Runs a command and tells where the current cell is afterwards.
    std::pair<int, int> runAndLocate(std::string_view command) {
        commands().trigger(command);
        return current();
    }

    FakePlatform fake;
    TempFolder settingsFolder;
    std::unique_ptr<MainForm> form;
};

}  // namespace tabulyst::testing
