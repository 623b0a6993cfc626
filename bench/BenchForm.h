#pragma once
// A created main form on the scripted desktop with its own settings folder,
// measuring text with the given measure, as the benchmark programs need it.
#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace tabulyst::bench {

struct BenchForm {
    explicit BenchForm(TextMeasure& measure)
        : form(platformWith(measure), settings.file("tabulyst")) {
        form.FormCreate();
        form.document.StrGrid.setClientWidth(1280);
    }
    Platform platformWith(TextMeasure& measure) {
        Platform p = fake.platform();
        p.textMeasure = &measure;
        return p;
    }
    testing::FakePlatform fake;
    testing::TempFolder settings;
    MainForm form;
};

}  // namespace tabulyst::bench
