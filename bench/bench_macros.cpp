// Keyboard macros on Qt's offscreen platform: playing a 1,000-event macro into
// the grid, and what the key hook adds to every key press and release.
#include <QApplication>
#include <QKeyEvent>
#include <cstdio>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "core/macros/MacroFiles.h"
#include "ui/MacroKeyFilter.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"
#include "ui/QtKeyboard.h"

using namespace tabulyst;
using namespace tabulyst::bench;

namespace {

// 100 rows of "abcd" and Down: 1,000 events.
MacroBuffer typingMacro() {
    MacroBuffer macro;
    std::size_t i = 0;
    for (int row = 0; row < 100; ++row)
        for (std::uint16_t key : {std::uint16_t('A'), std::uint16_t('B'), std::uint16_t('C'), std::uint16_t('D'), vk::Down}) {
            macro.down[i++] = key;
            macro.up[i++] = key;
        }
    return macro;
}

// Sends a press and a release of a key to receiver n times, as the event loop delivers them.
void sendKeys(QObject& receiver, int n) {
    for (int i = 0; i < n; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        press.setTimestamp(static_cast<quint64>(2 * i));
        QCoreApplication::sendEvent(&receiver, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        release.setTimestamp(static_cast<quint64>(2 * i + 1));
        QCoreApplication::sendEvent(&receiver, &release);
    }
}

void reportMicros(const char* name, double seconds, const char* budget) {
    std::printf("%-34s %9.3f us                 budget %s\n", name, seconds * 1e6, budget);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::QtDesktop desktop;
    desktop.setFont(QApplication::font());
    ui::QtKeyboard keyboard;
    BenchForm bench(desktop);
    MainForm& form = bench.form;
    form.platform.events = &desktop;
    form.platform.keyboard = &keyboard;
    form.document.StrGrid.setColCount(3);
    form.document.StrGrid.setRowCount(202);

    ui::MainWindow window(form);
    window.show();
    window.activateWindow();
    ui::MacroKeyFilter filter(form.macros.hook);
    app.installEventFilter(&filter);
    QApplication::processEvents();

    if (!writeMacroFile(macroFilePath(form.settings, 5), typingMacro()).empty()) return 1;
    const double play = medianSeconds(
        5, [&] { form.macros.player.PlayMacro(5); }, [&] { form.document.StrGrid.setCurrent(1, 1); });
    if (form.document.StrGrid.cell(1, 100) != "abcd") {
        std::fprintf(stderr, "the macro did not reach the grid\n");
        return 1;
    }
    report("play a 1,000-event macro into grid", play, 0, "1 s");

    // The hook's own work per key while recording, in the core.
    constexpr int kKeys = 100000;
    MacroKeyHook& hook = form.macros.hook;
    form.macros.recorder.MacroRecording = true;
    const double core = medianSeconds(5, [&] {
        for (int i = 0; i < kKeys; ++i) {
            if (i % 512 == 0) form.macros.recorder.MacroEventCount = 0;
            hook.keyDown('A');
            hook.keyUp('A');
        }
    });
    reportMicros("hook per key, recording (core)", core / kKeys, "a few us");

    // Delivering a key with and without the filter in front, while recording.
    QObject receiver;
    const double withFilter = medianSeconds(5, [&] {
        form.macros.recorder.MacroEventCount = 0;
        sendKeys(receiver, 512);
    });
    app.removeEventFilter(&filter);
    const double without = medianSeconds(5, [&] { sendKeys(receiver, 512); });
    form.macros.recorder.MacroRecording = false;
    reportMicros("key delivery without the hook", without / 512, "-");
    reportMicros("key delivery with the hook", withFilter / 512, "a few us more");
    return 0;
}
