#pragma once
// Shows the core's column picker as a list over the main window: created when
// the picker opens, gone when it closes. Keys, clicks and the grid's focus go
// to the core; the menu bar and the grid follow its enabled states.
#include <QObject>
#include <QPointer>

#include <QListWidget>

namespace tabulyst {
class ColumnPicker;
}

namespace tabulyst::ui {

class MainWindow;

class ColumnPickerList : public QObject {
    Q_OBJECT
public:
    ColumnPickerList(ColumnPicker& picker, MainWindow& window);
    QListWidget* list() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showState();
    void create();
    void setMenusEnabled(bool enabled);

    ColumnPicker& picker_;
    MainWindow& window_;
    QPointer<QWidget> grid_;  // a QWidget: it is compared while being destroyed
    QPointer<QListWidget> list_;
    bool syncing_ = false;
};

}  // namespace tabulyst::ui
