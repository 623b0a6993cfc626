#include "ui/ReadyProbe.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdlib>

#include "core/app/MainForm.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/ReadyLine.h"

namespace tabulyst::ui {

void quitWhenReadyIfAsked(MainForm& form, MainWindow& window) {
    const char* saveTo = std::getenv("TABULYST_SAVE_WHEN_READY");
    if (!std::getenv("TABULYST_QUIT_WHEN_READY") && !saveTo) return;
    // Queued behind the first paint's load: the table is in the grid when this runs.
    QMetaObject::invokeMethod(
        &window,
        [&form, &window, saveTo] {
            window.gridView()->viewport()->repaint();
            printReadyLine(form.document.StrGrid.rowCount() - 1);
            bool padded = false;
            const bool saved = !saveTo || form.files.SaveTableFile(saveTo, true, padded);
            QCoreApplication::exit(saved ? 0 : 1);
        },
        Qt::QueuedConnection);
}

}  // namespace tabulyst::ui
