#pragma once
// A created main form on a scripted desktop, for command tests.
#include <gtest/gtest.h>

#include <memory>

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
    StringGrid& grid() { return form->StrGrid; }
    CellStore& cells() { return form->cells; }
    Commands& commands() { return form->commands; }
    // Gives the grid cols x rows cells with the text "c,r" in every data cell.
    void fill(int cols, int rows);
    // Types text into the current cell through the in-place editor.
    void type(const std::string& text);

    FakePlatform fake;
    TempFolder settingsFolder;
    std::unique_ptr<MainForm> form;
};

}  // namespace tabulyst::testing
