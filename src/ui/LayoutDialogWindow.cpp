#include "ui/LayoutDialogWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/files/LayoutDialog.h"
#include "core/files/LayoutSettings.h"
#include "ui/Text.h"
#include "ui/Placement.h"

namespace tabulyst::ui {

namespace {
using Separator = LayoutDialog::Separator;

QGroupBox* boldGroup(const char* caption, QWidget* parent) {
    auto* box = new QGroupBox(fromUtf8(caption), parent);
    // Only the title is bold; a font set on the box would reach its children.
    box->setStyleSheet(QStringLiteral("QGroupBox { font-weight: bold; }"));
    return box;
}

}  // namespace

LayoutDialogWindow::LayoutDialogWindow(LayoutDialog& dialog, QWidget* parent) : QDialog(parent), dialog_(dialog) {
    setWindowTitle(fromUtf8(LayoutDialog::kCaption));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto* separatorBox = boldGroup(LayoutDialog::kSeparatorGroupCaption, this);
    auto* grid = new QGridLayout(separatorBox);
    separators_ = new QButtonGroup(this);
    auto addRadio = [&](const char* caption, Separator id, int row, int col) {
        auto* radio = new QRadioButton(fromUtf8(caption), separatorBox);
        separators_->addButton(radio, static_cast<int>(id));
        grid->addWidget(radio, row, col);
        return radio;
    };
    // The fixed choices on the left, the free ones with their fields on the right.
    addRadio(LayoutDialog::kAsciiCaption, Separator::ASCII, 0, 0);
    addRadio(LayoutDialog::kCsvCaption, Separator::CSV, 1, 0);
    addRadio(LayoutDialog::kTabCaption, Separator::TAB, 2, 0);
    addRadio(LayoutDialog::kFree1Caption, Separator::Free1, 0, 1);
    addRadio(LayoutDialog::kFree2Caption, Separator::Free2, 1, 1);
    free1_ = new QLineEdit(separatorBox);
    free2_ = new QLineEdit(separatorBox);
    for (auto* edit : {free1_, free2_}) {
        edit->setToolTip(fromUtf8(LayoutDialog::kFreeHint));
        // The delimiter file keeps no more than this; a longer text would come back cut.
        edit->setMaxLength(static_cast<int>(kMaxDelimiterFileBytes));
        edit->setMinimumWidth(50);
    }
    grid->addWidget(free1_, 0, 2);
    grid->addWidget(free2_, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* modeBox = boldGroup(LayoutDialog::kModeGroupCaption, this);
    auto* modeLayout = new QHBoxLayout(modeBox);
    modes_ = new QButtonGroup(this);
    auto* delimited = new QRadioButton(fromUtf8(LayoutDialog::kModeDelimited), modeBox);
    auto* fixed = new QRadioButton(fromUtf8(LayoutDialog::kModeFixed), modeBox);
    modes_->addButton(delimited, 0);
    modes_->addButton(fixed, 1);
    modeLayout->addWidget(delimited);
    modeLayout->addWidget(fixed);
    adjustLength_ = new QPushButton(fromUtf8(LayoutDialog::kAdjustLengthCaption), this);

    quotedFields_ = new QCheckBox(fromUtf8(LayoutDialog::kQuotedFieldsCaption), this);

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(modeBox, 1);
    modeRow->addWidget(adjustLength_, 0, Qt::AlignBottom);

    auto* ok = new QPushButton(fromUtf8(LayoutDialog::kOkCaption), this);
    auto* cancel = new QPushButton(fromUtf8(LayoutDialog::kCancelCaption), this);
    ok->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(separatorBox);
    layout->addWidget(quotedFields_);
    layout->addLayout(modeRow);
    layout->addStretch();
    layout->addLayout(bottom);
    setFixedSize(LayoutDialog::kClientWidth, LayoutDialog::kClientHeight);

    connect(separators_, &QButtonGroup::idClicked, this,
            [this](int id) { dialog_.checkedSeparator = static_cast<Separator>(id); });
    connect(free1_, &QLineEdit::textEdited, this, [this](const QString& t) { dialog_.edtSeperatorFree1 = toUtf8(t); });
    connect(free2_, &QLineEdit::textEdited, this, [this](const QString& t) { dialog_.edtSeperatorFree2 = toUtf8(t); });
    connect(modes_, &QButtonGroup::idClicked, this, [this](int id) {
        dialog_.rbxClientBottomClientClientSeperatorOrLengthClick(id);
        showState();
    });
    connect(quotedFields_, &QCheckBox::toggled, this, [this](bool on) { dialog_.chkQuotedFields = on; });
    connect(adjustLength_, &QPushButton::clicked, this,
            [this] { dialog_.btnClientBottomClientClientAdjustLengthClick(); });
    connect(ok, &QPushButton::clicked, this, &LayoutDialogWindow::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LayoutDialogWindow::showState() {
    auto* checked = separators_->button(static_cast<int>(dialog_.checkedSeparator));
    if (checked) {
        checked->setChecked(true);
    } else if (auto* current = separators_->checkedButton()) {
        // No button checked: an exclusive group only lets go of one that way.
        separators_->setExclusive(false);
        current->setChecked(false);
        separators_->setExclusive(true);
    }
    free1_->setText(fromUtf8(dialog_.edtSeperatorFree1));
    free2_->setText(fromUtf8(dialog_.edtSeperatorFree2));
    if (auto* mode = modes_->button(dialog_.rbxClientBottomClientClientSeperatorOrLength)) mode->setChecked(true);
    adjustLength_->setEnabled(dialog_.btnClientBottomClientClientAdjustLengthEnabled);
    quotedFields_->setChecked(dialog_.chkQuotedFields);
    quotedFields_->setEnabled(dialog_.chkQuotedFieldsEnabled);
}

void LayoutDialogWindow::okClicked() {
    if (dialog_.ok()) accept();
}

bool LayoutDialogWindow::run() {
    showState();
    centreOnScreen(this);
    return exec() == QDialog::Accepted;
}

}  // namespace tabulyst::ui
