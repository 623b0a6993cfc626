#pragma once
// Qt on the offscreen platform with the grid's 8-point font, and the desktop
// services measuring text in it, for the benchmarks of the ui.
#include <QApplication>
#include <QFont>

#include "ui/QtDesktop.h"

namespace tabulyst::bench {

inline int& offscreenPlatform(int& argc) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

struct OffscreenUi {
    OffscreenUi(int& argc, char** argv) : app(offscreenPlatform(argc), argv), font(QApplication::font()) {
        font.setPointSize(8);
        QApplication::setFont(font);
        desktop.setFont(font);
    }
    QApplication app;
    QFont font;
    ui::QtDesktop desktop;
};

}  // namespace tabulyst::bench
