#include "ui/FieldLengthDialogWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/files/FieldLengthDialog.h"
#include "ui/Text.h"
#include "ui/Placement.h"

namespace tabulyst::ui {

// The core grid's fixed row and column become the table's headers, so they
// stay in place while Tab walks along the length cells.
FieldLengthDialogWindow::FieldLengthDialogWindow(FieldLengthDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    setWindowTitle(fromUtf8(FieldLengthDialog::kCaption));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    grid_ = new QTableWidget(FieldLengthDialog::kRowCount - 1, FieldLengthDialog::kColCount - 1, this);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setShowGrid(true);
    grid_->setTabKeyNavigation(true);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid_->horizontalHeader()->setDefaultSectionSize(64);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    auto* label = new QLabel(fromUtf8(FieldLengthDialog::kTotalLabel), this);
    total_ = new QLineEdit(this);
    total_->setObjectName(QStringLiteral("edtEdit"));
    total_->setReadOnly(true);
    auto* ok = new QPushButton(fromUtf8(FieldLengthDialog::kOkCaption), this);
    auto* cancel = new QPushButton(fromUtf8(FieldLengthDialog::kCancelCaption), this);
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label);
    bottom->addWidget(total_);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grid_);
    layout->addLayout(bottom);
    setFixedSize(FieldLengthDialog::kClientWidth, FieldLengthDialog::kClientHeight);

    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (loading_) return;
        dialog_.StringGridSetEditText(item->column() + 1, item->row() + 1, toUtf8(item->text()));
        showTotal();
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int, int) {
        dialog_.StringGridClick();
        showTotal();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        // An open cell editor hands its text over before the dialog closes.
        grid_->setFocus();
        if (dialog_.acceptLengths()) accept();
        else if (dialog_.focusColumn > 0) grid_->setCurrentCell(0, dialog_.focusColumn - 1);
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FieldLengthDialogWindow::showState() {
    loading_ = true;
    QStringList headers;
    for (int c = 1; c < FieldLengthDialog::kColCount; ++c) headers << fromUtf8(dialog_.cell(c, 0));
    grid_->setHorizontalHeaderLabels(headers);
    grid_->setVerticalHeaderLabels({fromUtf8(dialog_.cell(0, 1))});
    for (int c = 1; c < FieldLengthDialog::kColCount; ++c) {
        auto text = fromUtf8(dialog_.cell(c, 1));
        if (auto* item = grid_->item(0, c - 1))
            item->setText(text);
        else
            grid_->setItem(0, c - 1, new QTableWidgetItem(text));
    }
    loading_ = false;
    showTotal();
}

void FieldLengthDialogWindow::showTotal() { total_->setText(fromUtf8(dialog_.edtEdit)); }

bool FieldLengthDialogWindow::run() {
    showState();
    grid_->setCurrentCell(0, 0);
    centreOnScreen(this);
    return exec() == QDialog::Accepted;
}

}  // namespace tabulyst::ui
