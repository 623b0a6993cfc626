#include "ui/ColsAndRowsDialogWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/table/ColsAndRowsDialog.h"
#include "ui/Placement.h"
#include "ui/Text.h"

namespace tabulyst::ui {

ColsAndRowsDialogWindow::ColsAndRowsDialogWindow(ColsAndRowsDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    setWindowTitle(fromUtf8(ColsAndRowsDialog::kCaption));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    cols_ = new QLineEdit(this);
    cols_->setObjectName(QStringLiteral("edtNumberOfCols"));
    rows_ = new QLineEdit(this);
    rows_->setObjectName(QStringLiteral("edtNumberOfRows"));
    auto* fields = new QFormLayout;
    fields->addRow(new QLabel(fromUtf8(ColsAndRowsDialog::kColsLabel), this), cols_);
    fields->addRow(new QLabel(fromUtf8(ColsAndRowsDialog::kRowsLabel), this), rows_);

    auto* ok = new QPushButton(fromUtf8(ColsAndRowsDialog::kOkCaption), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    auto* cancel = new QPushButton(fromUtf8(ColsAndRowsDialog::kCancelCaption), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    ok->setDefault(true);  // Enter; Escape rejects the dialog like Cancel
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cols_, &QLineEdit::textEdited, this, [this](const QString& t) { dialog_.edtNumberOfCols = toUtf8(t); });
    connect(rows_, &QLineEdit::textEdited, this, [this](const QString& t) { dialog_.edtNumberOfRows = toUtf8(t); });
    connect(ok, &QPushButton::clicked, this, &ColsAndRowsDialogWindow::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ColsAndRowsDialogWindow::okClicked() {
    if (dialog_.ok()) {
        accept();
        return;
    }
    QLineEdit* field = dialog_.focus == ColsAndRowsDialog::Control::NumberOfRows ? rows_ : cols_;
    field->setFocus();
    field->selectAll();
}

bool ColsAndRowsDialogWindow::run() {
    cols_->setText(fromUtf8(dialog_.edtNumberOfCols));
    rows_->setText(fromUtf8(dialog_.edtNumberOfRows));
    cols_->setFocus();
    cols_->selectAll();
    centreOnScreen(this);
    return exec() == QDialog::Accepted;
}

}  // namespace tabulyst::ui
