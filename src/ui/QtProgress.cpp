#include "ui/QtProgress.h"

#include <algorithm>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "ui/Text.h"

namespace tabulyst::ui {

namespace {
constexpr qint64 kShowAfterMs = 500;
constexpr qint64 kPumpEveryMs = 40;
constexpr int kSteps = 1000;
}  // namespace

void QtProgress::setWindow(QMainWindow* window) {
    window_ = window;
    panel_ = new QWidget;
    auto* layout = new QHBoxLayout(panel_);
    layout->setContentsMargins(0, 0, 0, 0);
    caption_ = new QLabel;
    bar_ = new QProgressBar;
    bar_->setRange(0, kSteps);
    bar_->setMaximumHeight(16);
    bar_->setMinimumWidth(160);
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"));
    cancel_->setMaximumHeight(18);
    connect(cancel_, &QPushButton::clicked, this, [this] { stopAsked_ = true; });
    layout->addWidget(caption_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_);
    window_->statusBar()->addPermanentWidget(panel_);
    panel_->hide();
}

void QtProgress::begin(std::string_view caption, bool stoppable) {
    if (depth_++ > 0) return;  // work within work shows as the outer one
    text_ = fromUtf8(caption);
    stoppable_ = stoppable;
    stopAsked_ = false;
    started_.start();
    pumped_.start();
}

bool QtProgress::report(std::uint64_t done, std::uint64_t total) {
    if (depth_ == 0) return true;
    if (!shown_ && started_.elapsed() >= kShowAfterMs) show();
    if (shown_) {
        bar_->setValue(total == 0 ? 0 : static_cast<int>(std::min(done, total) * kSteps / total));
        if (pumped_.elapsed() >= kPumpEveryMs) {
            QApplication::processEvents();
            pumped_.restart();
        }
    }
    return !(stoppable_ && stopAsked_);
}

void QtProgress::end() {
    if (depth_ == 0 || --depth_ > 0) return;
    hide();
}

void QtProgress::show() {
    if (!window_) return;
    shown_ = true;
    caption_->setText(text_);
    cancel_->setVisible(stoppable_);
    bar_->setValue(0);
    statusBarWasVisible_ = window_->statusBar()->isVisible();
    window_->statusBar()->show();
    panel_->show();
    qApp->installEventFilter(this);
}

void QtProgress::hide() {
    if (!shown_) return;
    shown_ = false;
    qApp->removeEventFilter(this);
    panel_->hide();
    window_->statusBar()->setVisible(statusBarWasVisible_);
}

bool QtProgress::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) stopAsked_ = true;
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // Only the cancel button takes the mouse (the window hands it on to the button).
        if (!watched->isWidgetType()) return false;
        return watched != cancel_ || !stoppable_;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
    case QEvent::InputMethod:
        return true;
    case QEvent::Timer:
        // Timers wait (they fire again once the work is done): a cyclic reload
        // must not replace the table a save or a sort is busy with.
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace tabulyst::ui
