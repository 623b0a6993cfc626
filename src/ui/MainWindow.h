#pragma once
// The main window: menus, context menu, toolbar, grid and status bar, all
// built from the core's command tables and kept in step with its state.
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <map>
#include <string>

#include "core/base/Signal.h"

namespace tabulyst {
class MainForm;
class CoreTimer;
}

namespace tabulyst::ui {

class GridView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainForm& form, QWidget* parent = nullptr);

    QAction* action(const std::string& name) const;
    QMenu* menu(const std::string& name) const;
    QMenu* popupMenu() const { return popup_; }
    GridView* gridView() const { return grid_; }
    QLabel* statusPanel() const { return statusPanel_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    // A file dragged from the file manager opens as the Open command opens one.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* createAction(const std::string& name);
    void buildMenus();
    void buildToolBar();
    void syncAction(const std::string& name);
    void rebuildDynamicItems(const std::string& menu);
    void bindTimer(CoreTimer& timer, QTimer& qtTimer);
    void applyStayOnTop(bool on);

    MainForm& form_;
    Connections connections_;  // the form may outlive the window
    GridView* grid_ = nullptr;
    QMenu* popup_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    std::map<std::string, std::vector<QAction*>> dynamicActions_;
    QTimer hideStatusTimer_;
    QTimer reloadTimer_;
    bool painted_ = false;
    bool stayOnTop_ = false;
};

// Qt key sequences of a shortcut text of the command tables ("Ctrl+<>" included).
QList<QKeySequence> shortcutsOf(const std::string& text);

}  // namespace tabulyst::ui
