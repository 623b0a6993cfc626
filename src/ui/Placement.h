#pragma once
#include <QScreen>
#include <QWidget>

namespace tabulyst::ui {

// Centres a window on its screen (the dialogs, and the main window at start).
inline void centreOnScreen(QWidget* w) {
    QScreen* screen = w->screen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    w->move(area.center() - QPoint(w->frameGeometry().width() / 2, w->frameGeometry().height() / 2));
}

}  // namespace tabulyst::ui
