#pragma once

namespace tabulyst::ui {
// Creates the application and the main window, runs the event loop.
int runApplication(int argc, char** argv);
}
