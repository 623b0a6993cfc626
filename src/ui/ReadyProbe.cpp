#include "ui/ReadyProbe.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <cstdlib>

#include "core/app/MainForm.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/QtProgress.h"
#include "ui/ReadyLine.h"

namespace tabulyst::ui {

namespace {

void quitWhenIdle(MainForm& form, MainWindow& window, const QtProgress& progress, const char* saveTo) {
    // Queued behind the first paint's load: the table is in the grid when this runs.
    QMetaObject::invokeMethod(
        &window,
        [&form, &window, &progress, saveTo] {
            // The load's progress lets events through: this may come while it runs.
            if (progress.busy()) {
                QTimer::singleShot(5, &window, [&form, &window, &progress, saveTo] {
                    quitWhenIdle(form, window, progress, saveTo);
                });
                return;
            }
            window.gridView()->viewport()->repaint();
            printReadyLine(form.document.StrGrid.rowCount() - 1);
            bool padded = false;
            const bool saved = !saveTo || form.files.SaveTableFile(saveTo, true, padded);
            QCoreApplication::exit(saved ? 0 : 1);
        },
        Qt::QueuedConnection);
}

}  // namespace

void quitWhenReadyIfAsked(MainForm& form, MainWindow& window, const QtProgress& progress) {
    const char* saveTo = std::getenv("TABULYST_SAVE_WHEN_READY");
    if (!std::getenv("TABULYST_QUIT_WHEN_READY") && !saveTo) return;
    quitWhenIdle(form, window, progress, saveTo);
}

}  // namespace tabulyst::ui
