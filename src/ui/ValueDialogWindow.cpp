#include "ui/ValueDialogWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/textops/ValueDialog.h"
#include "ui/Placement.h"
#include "ui/Text.h"

namespace tabulyst::ui {

ValueDialogWindow::ValueDialogWindow(ValueDialog& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblString"));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("edtString"));
    edit_->setFixedWidth(ValueDialog::kEditWidth);
    edit_->installEventFilter(this);

    auto* ok = new QPushButton(fromUtf8(ValueDialog::kOkCaption), this);
    ok->setObjectName(QStringLiteral("btnBottomOK"));
    auto* cancel = new QPushButton(fromUtf8(ValueDialog::kCancelCaption), this);
    cancel->setObjectName(QStringLiteral("btnBottomCancel"));
    for (QPushButton* b : {ok, cancel}) b->setFixedSize(ValueDialog::kButtonWidth, ValueDialog::kButtonHeight);
    ok->setDefault(true);

    auto* client = new QHBoxLayout;
    client->addWidget(label_);
    client->addStretch();
    client->addWidget(edit_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
    layout->addLayout(client);
    layout->addLayout(bottom);
    setFixedSize(ValueDialog::kClientWidth, ValueDialog::kClientHeight);

    connect(ok, &QPushButton::clicked, this, [this] {
        dialog_.edtString = toUtf8(edit_->text());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// Typed characters only: editing keys and shortcuts (Ctrl+V) pass, so pasted
// text reaches the field unfiltered, as the core expects.
bool ValueDialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && (text[0].unicode() >= 0x20 || text[0] == u'\b')) {
            const std::string typed = toUtf8(text);
            if (!dialog_.edtStringKeyPress(typed[0])) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ValueDialogWindow::run() {
    setWindowTitle(fromUtf8(dialog_.caption));
    label_->setText(fromUtf8(dialog_.lblString));
    edit_->setMaxLength(dialog_.maxLength > 0 ? dialog_.maxLength : 32767);
    edit_->setText(fromUtf8(dialog_.edtString));
    centreOnScreen(this);
    // The field has the focus with its text selected, so typing replaces it.
    edit_->setFocus();
    edit_->selectAll();
    return exec() == QDialog::Accepted;
}

}  // namespace tabulyst::ui
