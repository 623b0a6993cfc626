#pragma once
// Shows the core's check-list chooser: the list mirrors the core's items,
// marks and selection; every click and check change goes to the core, which
// decides the marks (single choice), and the list shows the result again.
#include <QDialog>

class QListWidget;
class QPushButton;
class QWidget;

namespace tabulyst {
class StringsChooser;
}

namespace tabulyst::ui {

class StringsChooserDialog : public QDialog {
    Q_OBJECT
public:
    StringsChooserDialog(StringsChooser& chooser, QWidget* parent);
    // Shows the core state and runs modally; true on OK.
    bool run();

    QListWidget* list() const { return list_; }
    QWidget* rightPanel() const { return right_; }
    // Brings the list in line with the core without reporting it back.
    void showState();

private:
    StringsChooser& chooser_;
    QListWidget* list_;
    QWidget* right_;
};

}  // namespace tabulyst::ui
