#pragma once
// A created main form on a scripted desktop, for command tests.
#include <gtest/gtest.h>

#include <memory>

#include "core/app/MainForm.h"
#include "support/FakePlatform.h"

namespace tabulyst::testing {

class FormFixture : public ::testing::Test {
protected:
    FormFixture() : form(std::make_unique<MainForm>(fake.platform(), "/opt/tabulyst/bin/tabulyst")) {
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
    std::unique_ptr<MainForm> form;
};

}  // namespace tabulyst::testing
