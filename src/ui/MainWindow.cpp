#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include "core/window/CommandTable.h"
#include "core/app/MainForm.h"
#include "core/filecommands/DroppedFiles.h"
#include "ui/ColumnPickerList.h"
#include "ui/FileDrops.h"
#include "ui/GridView.h"
#include "ui/Icons.h"
#include "ui/Text.h"
#include "ui/Placement.h"

namespace tabulyst::ui {

QList<QKeySequence> shortcutsOf(const std::string& text) {
    if (text.empty()) return {};
    // The key beside the left Shift key types "<" and, shifted, ">" on a German layout.
    // Shifted, one press matches both Ctrl+> and Ctrl+Shift+<; two shortcuts
    // matching one press are ambiguous and fire nothing, so only one is set.
    if (text == "Ctrl+<>") return {QKeySequence(Qt::CTRL | Qt::Key_Less)};
    if (text == "Ctrl+Shift+<>") return {QKeySequence(Qt::CTRL | Qt::Key_Greater)};
    return {QKeySequence::fromString(QString::fromStdString(text), QKeySequence::PortableText)};
}

MainWindow::MainWindow(MainForm& form, QWidget* parent) : QMainWindow(parent), form_(form) {
    resize(MainForm::kWidth, MainForm::kHeight);
    centreOnScreen(this);
    grid_ = new GridView(form_, this);
    setCentralWidget(grid_);
    buildMenus();
    buildToolBar();

    statusPanel_ = new QLabel(QStringLiteral("?"));
    statusPanel_->setMinimumWidth(50);
    statusBar()->addWidget(statusPanel_, 1);
    statusBar()->setFixedHeight(20);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->hide();
    connections_.connect(form_.StatusBar.changed, [this] {
        statusPanel_->setText(fromUtf8(form_.StatusBar.text()));
        statusBar()->setVisible(form_.StatusBar.visible());
    });

    connections_.connect(form_.commands.changed, [this](const std::string& name) { syncAction(name); });
    connections_.connect(form_.commands.menuChanged, [this](const std::string& menu) { rebuildDynamicItems(menu); });
    // Items the core added before this window listened (the recent files read at start).
    for (const auto& [name, m] : menus_) rebuildDynamicItems(name);
    connections_.connect(form_.captionChanged, [this] { setWindowTitle(QString::fromStdString(form_.windowText())); });
    connections_.connect(form_.closeRequested, [this] { close(); });
    bindTimer(form_.timHideStatusBar, hideStatusTimer_);
    bindTimer(form_.timReload, reloadTimer_);

    grid_->setMenuShortcutTest([this](const QKeyEvent& event) {
        const QKeySequence pressed(event.keyCombination());
        for (const auto& [name, a] : actions_)
            if (a->isEnabled() && a->shortcuts().contains(pressed)) return true;
        return false;
    });
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popup_->popup(grid_->mapToGlobal(pos)); });
    for (const auto& [name, a] : actions_) syncAction(name);
    setWindowTitle(QString::fromStdString(form_.windowText()));
    new ColumnPickerList(form_.columnPicker, *this);
    grid_->setFocus();
    setAcceptDrops(true);
}

QAction* MainWindow::action(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(const std::string& name) const {
    auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

QAction* MainWindow::createAction(const std::string& name) {
    auto* a = new QAction(this);
    a->setObjectName(QString::fromStdString(name));
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, [this, name] { form_.commands.trigger(name); });
    actions_[name] = a;
    return a;
}

void MainWindow::buildMenus() {
    const MenuSpec& popupSpec = popupMenuSpec();
    popup_ = new QMenu(this);
    popup_->setObjectName(QString::fromStdString(std::string(popupSpec.name)));
    for (const auto& item : popupSpec.items) {
        if (item.isSeparator()) popup_->addSeparator()->setObjectName(QString::fromStdString(std::string(item.name)));
        else popup_->addAction(createAction(std::string(item.name)));
    }
    for (const auto& entry : mainMenuSpec()) {
        const std::string menuName(entry.name);
        if (entry.items.empty()) {  // a top-level entry that is a command itself
            QAction* a = createAction(menuName);
            menuBar()->addAction(a);
            continue;
        }
        QMenu* m = menuBar()->addMenu(fromUtf8(entry.caption));
        m->setObjectName(QString::fromStdString(menuName));
        menus_[menuName] = m;
        for (const auto& item : entry.items) {
            if (item.isSeparator()) m->addSeparator()->setObjectName(QString::fromStdString(std::string(item.name)));
            else m->addAction(createAction(std::string(item.name)));
        }
        if (menuName == "mnuMainEdit") {
            // The context menu's entries again, sharing its actions so each shortcut stays single.
            for (QAction* a : popup_->actions()) {
                if (a->isSeparator()) m->addSeparator();
                else m->addAction(a);
            }
        }
        if (menuName == "mnuMainNavigation")
            connect(m, &QMenu::aboutToShow, this, [this] { form_.navigation.mnuMainNavigationClick(); });
    }
}

void MainWindow::buildToolBar() {
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(30);
    bar->setIconSize(QSize(16, 16));
    for (const auto& entry : toolBarSpec()) {
        const std::string name(entry.name);
        if (entry.isSeparator()) {
            auto* gap = new QWidget(bar);
            gap->setObjectName(QString::fromStdString(name));
            gap->setFixedWidth(8);
            bar->addWidget(gap);
            continue;
        }
        QAction* a = createAction(name);
        a->setIcon(commandIcon(entry.icon));
        a->setShortcut(QKeySequence());  // buttons carry no shortcut of their own
        bar->addAction(a);
    }
}

void MainWindow::syncAction(const std::string& name) {
    QAction* a = action(name);
    if (!a || !form_.commands.exists(name)) return;
    const CommandState& s = form_.commands.state(name);
    const bool isButton = [&] {
        for (const auto& entry : toolBarSpec())
            if (entry.name == name) return true;
        return false;
    }();
    QString caption = fromUtf8(s.caption);
    if (isButton) {
        a->setText(caption);
        a->setToolTip(caption);
    } else {
        a->setText(caption);
        a->setShortcuts(shortcutsOf(s.shortcut));
    }
    a->setEnabled(s.enabled);
    a->setVisible(s.visible);
    if (name == "mnuStayOnTop") {
        // The action toggles its own check mark before it reports the trigger,
        // so the window's state is compared with what was applied last.
        a->setCheckable(true);
        a->setChecked(s.checked);
        if (stayOnTop_ != s.checked) {
            stayOnTop_ = s.checked;
            applyStayOnTop(s.checked);
        }
    }
}

void MainWindow::rebuildDynamicItems(const std::string& menuName) {
    QMenu* m = menu(menuName);
    if (!m) return;
    for (QAction* a : dynamicActions_[menuName]) {
        for (auto it = actions_.begin(); it != actions_.end(); ++it)
            if (it->second == a) {
                actions_.erase(it);
                break;
            }
        m->removeAction(a);
        a->deleteLater();
    }
    dynamicActions_[menuName].clear();
    for (const auto& item : form_.commands.dynamicItems(menuName)) {
        QAction* a = createAction(item.name);
        m->addAction(a);
        dynamicActions_[menuName].push_back(a);
        syncAction(item.name);
    }
}

void MainWindow::bindTimer(CoreTimer& timer, QTimer& qtTimer) {
    connect(&qtTimer, &QTimer::timeout, this, [&timer] { timer.fire(); });
    auto apply = [&timer, &qtTimer] {
        qtTimer.setInterval(timer.interval());
        if (timer.enabled()) qtTimer.start();  // (re)starting counts the interval anew
        else qtTimer.stop();
    };
    connections_.connect(timer.changed, apply);
    apply();
}

void MainWindow::applyStayOnTop(bool on) {
    // Changing the flag on the native window keeps its place and size.
    if (QWindow* w = windowHandle()) {
        w->setFlag(Qt::WindowStaysOnTopHint, on);
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (form_.FormClose()) event->accept();
    else event->ignore();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        QMetaObject::invokeMethod(this, [this] { form_.FormPaint(); }, Qt::QueuedConnection);
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::Show && !painted_) {
        painted_ = true;
        QMetaObject::invokeMethod(this, [this] { form_.FormPaint(); }, Qt::QueuedConnection);
    }
    return QMainWindow::event(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedLocalFiles(event->mimeData()).empty()) event->ignore();
    else event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedLocalFiles(event->mimeData()).empty()) event->ignore();
    else event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> files = droppedLocalFiles(event->mimeData());
    if (files.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // After the drop has ended, so the file manager is not held by a question or a long load.
    QMetaObject::invokeMethod(
        this, [this, files = std::move(files)] { openDroppedFiles(form_.files, files); }, Qt::QueuedConnection);
}

}  // namespace tabulyst::ui
