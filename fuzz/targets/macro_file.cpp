// Macro files: a file of 4096 bytes or more reads as the buffer whose byte
// image is its first 4096 bytes; a shorter one is refused with a message and
// plays nothing. Playing injects exactly the file's non-zero presses and
// releases in order, and each of them, handed to the key hook and the grid as
// the window system would, leaves a consistent table behind (whatever keys a
// damaged or hand-made file holds).
//
// Input: the file's bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "core/macros/MacroFiles.h"
#include "support/Check.h"
#include "support/FormHarness.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormHarness& harness = FormHarness::fresh();
    MainForm& form = harness.form();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = macroFilePath(form.settings, kTemporaryMacro);
    harness.folder().write(path.substr(path.rfind('/') + 1), bytes);

    const MacroFileContents file = readMacroFile(path);
    const bool whole = size >= MacroBuffer::kFileSize;
    FUZZ_CHECK(file.error.empty() == whole, "exactly a file shorter than 4096 bytes is refused");
    if (whole)
        FUZZ_CHECK_BYTES(file.buffer.bytes(), bytes.substr(0, MacroBuffer::kFileSize), "the buffer's byte image");

    StringGrid& grid = form.document.StrGrid;
    grid.setColCount(6);
    grid.setRowCount(6);
    for (int r = 1; r < 6; ++r)
        for (int c = 1; c < 6; ++c) grid.setCell(c, r, std::to_string(c * r));
    grid.setCurrent(1, 1);
    form.document.journal.ClearJournal();

    MacroKeyHook& hook = form.macros.hook;
    hook.releaseModifiers();
    harness.fake().keyboard.onInject = [&](std::uint16_t key, bool release) {
        if (release) {
            hook.keyUp(key);
            return;
        }
        if (hook.keyDown(key)) return;
        form.gridKeyDown(KeyStroke{key, Modifiers{hook.ShiftDown, hook.CtrlDown, hook.AltDown}}, 10);
    };
    FUZZ_CHECK(form.macros.player.PlayMacro(kTemporaryMacro), "the file exists");
    hook.releaseModifiers();
    if (grid.editorOpen()) grid.closeEditor();

    const auto& injected = harness.fake().keyboard.injected;
    const auto& messages = harness.fake().dialogs.messages;
    if (!whole) {
        FUZZ_CHECK(injected.empty() && messages.size() == 1, "a short file plays nothing and says why");
        return 0;
    }
    std::vector<testing::FakeKeyboard::Injected> expected;
    for (int i = 0; i < MacroBuffer::kEvents; ++i) {
        if (file.buffer.down[i]) expected.push_back({file.buffer.down[i], false});
        if (file.buffer.up[i]) expected.push_back({file.buffer.up[i], true});
    }
    FUZZ_CHECK(injected == expected, "the file's keys in order, " + std::to_string(injected.size()) + " of " +
                                         std::to_string(expected.size()));
    FUZZ_CHECK(grid.col() >= grid.fixedCols() && grid.col() < grid.colCount() && grid.row() >= grid.fixedRows() &&
                   grid.row() < grid.rowCount(),
               "the current cell lies in the grid");
    return 0;
}
