#pragma once
// Shows the core's single-value dialog: a label and an edit field that drops
// typed characters the core does not allow, with "OK" and "Abbruch".
#include <QDialog>

class QLabel;
class QLineEdit;

namespace tabulyst {
class ValueDialog;
}

namespace tabulyst::ui {

class ValueDialogWindow : public QDialog {
    Q_OBJECT
public:
    ValueDialogWindow(ValueDialog& dialog, QWidget* parent);
    ValueDialog& dialog() const { return dialog_; }
    QLineEdit* edit() const { return edit_; }
    // Shows the core state and runs modally; on OK the core gets the text.
    bool run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ValueDialog& dialog_;
    QLabel* label_;
    QLineEdit* edit_;
};

}  // namespace tabulyst::ui
