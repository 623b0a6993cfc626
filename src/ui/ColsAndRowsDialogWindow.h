#pragma once
// Shows the core's new-table dialog: two number fields, OK runs the core's
// check, which may keep the dialog open and name the field to focus.
#include <QDialog>

class QLineEdit;

namespace tabulyst {
class ColsAndRowsDialog;
}

namespace tabulyst::ui {

class ColsAndRowsDialogWindow : public QDialog {
    Q_OBJECT
public:
    ColsAndRowsDialogWindow(ColsAndRowsDialog& dialog, QWidget* parent);
    ColsAndRowsDialog& dialog() const { return dialog_; }
    QLineEdit* colsField() const { return cols_; }
    QLineEdit* rowsField() const { return rows_; }
    // Shows the core state and runs modally; true on an OK the check let through.
    bool run();

private:
    void okClicked();

    ColsAndRowsDialog& dialog_;
    QLineEdit* cols_;
    QLineEdit* rows_;
};

}  // namespace tabulyst::ui
