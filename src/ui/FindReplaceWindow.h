#pragma once
// The find dialog "Suchen" and the replace dialog "Ersetzen" on Qt: modeless
// beside the main window, German, Enter means "Weitersuchen". The controls
// write into the core dialog as they change; the buttons raise its events.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tabulyst {
class FindTextDialog;
class ReplaceTextDialog;
}  // namespace tabulyst

namespace tabulyst::ui {

class FindReplaceWindow : public QDialog {
    Q_OBJECT
public:
    // replace: the same dialog as a replace dialog (its fields and buttons added).
    FindReplaceWindow(FindTextDialog& dialog, ReplaceTextDialog* replace, QWidget* parent);

    FindTextDialog& dialog() const { return dialog_; }
    // Shows the window, or brings it to the front with its texts as they are.
    void present();

    QLineEdit* findEdit() const { return findEdit_; }
    QLineEdit* replaceEdit() const { return replaceEdit_; }

    // Every way of closing (Abbrechen, Escape, the title bar) ends here.
    void done(int result) override;

private:
    void loadFromDialog();
    void updateButtons();

    FindTextDialog& dialog_;
    ReplaceTextDialog* replace_;
    QLineEdit* findEdit_ = nullptr;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QPushButton* replaceButton_ = nullptr;
    QPushButton* replaceAllButton_ = nullptr;
    bool placed_ = false;
};

}  // namespace tabulyst::ui
