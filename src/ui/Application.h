#pragma once

class QApplication;

namespace tabulyst::ui {
// The program's name, Qt's German texts and the 8-point font of every window.
void setUpApplication(QApplication& app);
// Creates the application and the main window, runs the event loop.
int runApplication(int argc, char** argv);
}
