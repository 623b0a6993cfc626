#include "ui/FindReplaceWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/textops/FindDialogs.h"
#include "ui/Text.h"

namespace tabulyst::ui {

FindReplaceWindow::FindReplaceWindow(FindTextDialog& dialog, ReplaceTextDialog* replace, QWidget* parent)
    : QDialog(parent), dialog_(dialog), replace_(replace) {
    setWindowTitle(fromUtf8(replace ? "Ersetzen" : "Suchen"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    setModal(false);

    auto* fields = new QGridLayout;
    auto addField = [&](const char* caption, int row) {
        auto* edit = new QLineEdit(this);
        edit->setMinimumWidth(220);
        auto* label = new QLabel(fromUtf8(caption), this);
        label->setBuddy(edit);
        fields->addWidget(label, row, 0);
        fields->addWidget(edit, row, 1);
        return edit;
    };
    findEdit_ = addField("Suchen nach:", 0);
    if (replace_) replaceEdit_ = addField("Ersetzen durch:", 1);
    wholeWord_ = new QCheckBox(fromUtf8("Nur ganzes Wort suchen"), this);
    matchCase_ = new QCheckBox(fromUtf8("Groß-/Kleinschreibung beachten"), this);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addSpacing(8);
    left->addWidget(wholeWord_);
    left->addWidget(matchCase_);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    findNext_ = new QPushButton(fromUtf8("Weitersuchen"), this);
    findNext_->setDefault(true);
    buttons->addWidget(findNext_);
    if (replace_) {
        replaceButton_ = new QPushButton(fromUtf8("Ersetzen"), this);
        replaceAllButton_ = new QPushButton(fromUtf8("Alle ersetzen"), this);
        buttons->addWidget(replaceButton_);
        buttons->addWidget(replaceAllButton_);
    }
    auto* cancel = new QPushButton(fromUtf8("Abbrechen"), this);
    buttons->addWidget(cancel);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(findEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        dialog_.FindText = toUtf8(text);
        updateButtons();
    });
    if (replaceEdit_)
        connect(replaceEdit_, &QLineEdit::textChanged, this,
                [this](const QString& text) { replace_->ReplaceText = toUtf8(text); });
    connect(wholeWord_, &QCheckBox::toggled, this, [this](bool on) { dialog_.WholeWord = on; });
    connect(matchCase_, &QCheckBox::toggled, this, [this](bool on) { dialog_.MatchCase = on; });
    // After a message ("Nicht gefunden.") the keys come back to this dialog.
    auto press = [this](auto action) {
        return [this, action] {
            action();
            if (isVisible()) activateWindow();
        };
    };
    connect(findNext_, &QPushButton::clicked, this, press([this] { dialog_.findNextClick(); }));
    if (replace_) {
        connect(replaceButton_, &QPushButton::clicked, this, press([this] { replace_->replaceClick(); }));
        connect(replaceAllButton_, &QPushButton::clicked, this, press([this] { replace_->replaceAllClick(); }));
    }
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    loadFromDialog();
}

void FindReplaceWindow::loadFromDialog() {
    findEdit_->setText(fromUtf8(dialog_.FindText));
    if (replaceEdit_) replaceEdit_->setText(fromUtf8(replace_->ReplaceText));
    wholeWord_->setChecked(dialog_.WholeWord);
    matchCase_->setChecked(dialog_.MatchCase);
    updateButtons();
}

// As the standard dialogs do: nothing to find, nothing to press.
void FindReplaceWindow::updateButtons() {
    const bool any = !findEdit_->text().isEmpty();
    findNext_->setEnabled(any);
    if (replaceButton_) replaceButton_->setEnabled(any);
    if (replaceAllButton_) replaceAllButton_->setEnabled(any);
}

void FindReplaceWindow::present() {
    if (!isVisible()) {
        loadFromDialog();
        if (!placed_ && parentWidget()) {
            // Near the top right of the main window, where it covers little of the grid.
            adjustSize();
            const QRect owner = parentWidget()->frameGeometry();
            move(owner.right() - frameGeometry().width() - 24, owner.top() + 80);
            placed_ = true;
        }
        show();
    }
    raise();
    activateWindow();
    // The window system activates the window later; a played macro's next key
    // comes at once and must already reach the dialog.
    QApplication::setActiveWindow(this);
    findEdit_->setFocus();
    findEdit_->selectAll();
}

void FindReplaceWindow::done(int result) {
    QDialog::done(result);
    // Likewise the keys go back to the main window at once.
    if (QWidget* owner = parentWidget(); owner && owner->isVisible()) QApplication::setActiveWindow(owner->window());
    dialog_.closeClick();
}

}  // namespace tabulyst::ui
