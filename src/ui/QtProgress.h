#pragma once
// Long work's progress in the status line: once the work has run for half a
// second, a bar with the share done (and a cancel button for work that can
// stop), and the window keeps painting. Meanwhile no input reaches the
// window but Escape and the cancel button, and no timer fires, so no command
// touches the table the work is busy with.
#include <QElapsedTimer>
#include <QObject>

#include "core/platform/Progress.h"

class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tabulyst::ui {

class QtProgress : public QObject, public Progress {
public:
    // The window whose status bar shows the bar; until then nothing is shown.
    void setWindow(QMainWindow* window);

    void begin(std::string_view caption, bool stoppable) override;
    bool report(std::uint64_t done, std::uint64_t total) override;
    void end() override;
    // Whether long work is under way (it lets events through while it runs).
    bool busy() const { return depth_ > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show();
    void hide();

    QMainWindow* window_ = nullptr;
    QWidget* panel_ = nullptr;
    QLabel* caption_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QElapsedTimer started_;
    QElapsedTimer pumped_;
    QString text_;
    int depth_ = 0;
    bool stoppable_ = false;
    bool stopAsked_ = false;
    bool shown_ = false;
    bool statusBarWasVisible_ = false;
};

}  // namespace tabulyst::ui
