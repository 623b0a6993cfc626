#include "ui/MacroKeyDialogWindow.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/macros/MacroKeyDialog.h"
#include "ui/Placement.h"
#include "ui/Text.h"

namespace tabulyst::ui {

MacroKeyDialogWindow::MacroKeyDialogWindow(MacroKeyDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog), keys_(new QButtonGroup(this)) {
    setWindowTitle(fromUtf8(MacroKeyDialog::kCaption));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* group = new QGroupBox(fromUtf8(MacroKeyDialog::kGroupCaption), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* column = new QVBoxLayout(group);
    column->setSpacing(2);
    for (int i = 0; i < static_cast<int>(MacroKeyDialog::kItems.size()); ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(MacroKeyDialog::kItems[static_cast<std::size_t>(i)]), group);
        keys_->addButton(button, i);
        column->addWidget(button);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setFixedSize(MacroKeyDialog::kWidth, MacroKeyDialog::kHeight);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool MacroKeyDialogWindow::run() {
    if (QAbstractButton* b = keys_->button(dialog_.itemIndex)) b->setChecked(true);
    centreOnScreen(this);
    const bool ok = exec() == QDialog::Accepted;
    dialog_.select(keys_->checkedId());
    return ok;
}

}  // namespace tabulyst::ui
