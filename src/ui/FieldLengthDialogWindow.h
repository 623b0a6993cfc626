#pragma once
// Shows the core's field-length dialog: one editable row of 255 length cells
// under the column headers; edits and clicks go to the core, which keeps the total.
#include <QDialog>

class QLineEdit;
class QTableWidget;

namespace tabulyst {
class FieldLengthDialog;
}

namespace tabulyst::ui {

class FieldLengthDialogWindow : public QDialog {
    Q_OBJECT
public:
    FieldLengthDialogWindow(FieldLengthDialog& dialog, QWidget* parent);
    FieldLengthDialog& dialog() const { return dialog_; }
    bool run();

private:
    void showState();
    void showTotal();

    FieldLengthDialog& dialog_;
    QTableWidget* grid_;
    QLineEdit* total_;
    bool loading_ = false;
};

}  // namespace tabulyst::ui
