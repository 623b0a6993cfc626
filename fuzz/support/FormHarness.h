#pragma once
// One main form on the scripted desktop for the whole fuzzing process, with
// its settings and table files in a temporary folder. Creating a form per
// input would cost more than the input.
#include <string>

#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace tabulyst::fuzz {

class FormHarness {
public:
    // The process's form, emptied for the next input: a 2 x 2 grid, no file,
    // the default layout, no scripted answers, no recorded messages.
    static FormHarness& fresh();

    MainForm& form() { return *form_; }
    testing::FakePlatform& fake() { return fake_; }
    const testing::TempFolder& folder() const { return folder_; }

private:
    FormHarness();
    void reset();

    testing::FakePlatform fake_;
    testing::TempFolder folder_;
    std::unique_ptr<MainForm> form_;
};

}  // namespace tabulyst::fuzz
