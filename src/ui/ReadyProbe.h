#pragma once
// For the start-up benchmarks only: with TABULYST_QUIT_WHEN_READY set in the
// environment, the program prints when the grid was first painted with the
// command line's table loaded and its widths fitted, and quits; with
// TABULYST_SAVE_WHEN_READY=PATH it saves the table to PATH first.
namespace tabulyst {
class MainForm;
}

namespace tabulyst::ui {

class MainWindow;
class QtProgress;

// Call right after the main window was shown: the check runs after the first
// paint's load, which the window queued while being shown, once no long work
// is under way.
void quitWhenReadyIfAsked(MainForm& form, MainWindow& window, const QtProgress& progress);

}  // namespace tabulyst::ui
