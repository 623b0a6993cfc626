#pragma once
// Shows the core's layout dialog: every control mirrors the core state, every
// change goes straight back to it, OK runs the core's OK handler.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tabulyst {
class LayoutDialog;
}

namespace tabulyst::ui {

class LayoutDialogWindow : public QDialog {
    Q_OBJECT
public:
    LayoutDialogWindow(LayoutDialog& dialog, QWidget* parent);
    LayoutDialog& dialog() const { return dialog_; }
    // Shows the core state and runs modally; true on OK.
    bool run();

private:
    void showState();
    void okClicked();

    LayoutDialog& dialog_;
    QButtonGroup* separators_;
    QButtonGroup* modes_;
    QLineEdit* free1_;
    QLineEdit* free2_;
    QPushButton* adjustLength_;
    QCheckBox* quotedFields_;
};

}  // namespace tabulyst::ui
