#include "ui/Application.h"

#include <QApplication>

namespace tabulyst::ui {
int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
}  // namespace tabulyst::ui
