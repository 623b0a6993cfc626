#include "ui/StringsChooserDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/table/StringsChooser.h"
#include "ui/Text.h"
#include "ui/Placement.h"

namespace tabulyst::ui {

namespace {
QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter always means OK, whichever button has the focus.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

StringsChooserDialog::StringsChooserDialog(StringsChooser& chooser, QWidget* parent)
    : QDialog(parent), chooser_(chooser) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("clbClientClient"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);

    right_ = new QWidget(this);
    right_->setObjectName(QStringLiteral("pnlClientRight"));
    auto* all = button("pnlClientRightAll", StringsChooser::kAllCaption, right_);
    auto* none = button("pnlClientRightNone", StringsChooser::kNoneCaption, right_);
    auto* invert = button("pnlClientRightInvert", StringsChooser::kInvertCaption, right_);
    auto* rightLayout = new QVBoxLayout(right_);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(all);
    rightLayout->addWidget(none);
    rightLayout->addWidget(invert);
    rightLayout->addStretch();

    auto* ok = button("btnBottomOK", StringsChooser::kOkCaption, this);
    auto* cancel = button("btnRightCancel", StringsChooser::kCancelCaption, this);
    ok->setDefault(true);

    auto* client = new QHBoxLayout;
    client->addWidget(list_, 1);
    client->addWidget(right_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(client, 1);
    layout->addLayout(bottom);
    resize(StringsChooser::kWidth, StringsChooser::kHeight);

    // Programmatic changes come with blocked signals, so these are the user's.
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        chooser_.clbClientClientClickCheck(list_->row(item), item->checkState() == Qt::Checked);
        showState();
    });
    // The selection, not the current row: focusing the list makes its first
    // item current without anyone choosing it.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        auto selected = list_->selectedItems();
        if (selected.isEmpty()) return;
        chooser_.clbClientClientClick(list_->row(selected.first()));
        showState();
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        chooser_.clbClientClientClick(list_->row(item));
        showState();
    });
    connect(all, &QPushButton::clicked, this, [this] {
        chooser_.pnlClientRightAllClick();
        showState();
    });
    connect(none, &QPushButton::clicked, this, [this] {
        chooser_.pnlClientRightNoneClick();
        showState();
    });
    connect(invert, &QPushButton::clicked, this, [this] {
        chooser_.pnlClientRightInvertClick();
        showState();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void StringsChooserDialog::showState() {
    QSignalBlocker block(list_);
    setWindowTitle(fromUtf8(chooser_.caption));
    right_->setVisible(chooser_.pnlClientRightVisible);
    const auto& items = chooser_.clbClientClient;
    const int count = static_cast<int>(items.size());
    while (list_->count() > count) delete list_->takeItem(list_->count() - 1);
    for (int i = 0; i < count; ++i) {
        QListWidgetItem* item = list_->item(i);
        const auto& source = items[static_cast<std::size_t>(i)];
        Qt::CheckState state = source.checked ? Qt::Checked : Qt::Unchecked;
        if (!item) {
            item = new QListWidgetItem(list_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            // An item gets its box only once it holds a check state, unchecked included.
            item->setCheckState(state);
        }
        QString text = fromUtf8(source.text);
        if (item->text() != text) item->setText(text);
        if (item->checkState() != state) item->setCheckState(state);
    }
    list_->setCurrentRow(chooser_.itemIndex);
    // The blocked signals kept the view from repainting changed marks.
    list_->viewport()->update();
}

bool StringsChooserDialog::run() {
    showState();
    centreOnScreen(this);
    return exec() == QDialog::Accepted;
}

}  // namespace tabulyst::ui
