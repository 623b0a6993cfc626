#include "support/FormHarness.h"

namespace tabulyst::fuzz {

FormHarness::FormHarness() : form_(std::make_unique<MainForm>(fake_.platform(), folder_.file("tabulyst"))) {
    form_->FormCreate();
    form_->document.StrGrid.setClientWidth(600);
}

FormHarness& FormHarness::fresh() {
    static FormHarness harness;
    harness.reset();
    return harness;
}

void FormHarness::reset() {
    fake_.dialogs.answers.clear();
    fake_.dialogs.files.clear();
    fake_.dialogs.messages.clear();
    fake_.dialogs.questions.clear();
    fake_.keyboard.injected.clear();
    fake_.keyboard.onInject = nullptr;
    fake_.desktop.clipboardText.clear();
    MainForm& f = *form_;
    f.document.layout = LayoutSettings{};
    f.document.forgetFile();
    StringGrid& grid = f.document.StrGrid;
    if (grid.editorOpen()) grid.closeEditor();
    grid.beginUpdate();
    grid.setDefaultColWidth(StringGrid::kDefaultColWidth);
    grid.clearCells();
    grid.setColCount(2);
    grid.setRowCount(2);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setCurrent(1, 1);
    grid.endUpdate();
    f.document.journal.ClearJournal();
    f.document.journal.SetModified(false);
}

}  // namespace tabulyst::fuzz
