#pragma once
// Shows the core's macro key chooser: F3 to F9 in a radio group, OK and Cancel.
#include <QDialog>

class QButtonGroup;

namespace tabulyst {
class MacroKeyDialog;
}

namespace tabulyst::ui {

class MacroKeyDialogWindow : public QDialog {
    Q_OBJECT
public:
    MacroKeyDialogWindow(MacroKeyDialog& dialog, QWidget* parent);
    MacroKeyDialog& dialog() const { return dialog_; }
    // Modal; the selection goes back to the core whichever button closes it.
    bool run();

private:
    MacroKeyDialog& dialog_;
    QButtonGroup* keys_;
};

}  // namespace tabulyst::ui
