#include "ui/ColumnPickerList.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>

#include "core/interaction/ColumnPicker.h"
#include "ui/GridView.h"
#include "ui/MainWindow.h"
#include "ui/Colour.h"
#include "ui/Text.h"

namespace tabulyst::ui {

namespace {
constexpr int kItemHeight = 13;
}  // namespace

ColumnPickerList::ColumnPickerList(ColumnPicker& picker, MainWindow& window)
    : QObject(&window), picker_(picker), window_(window), grid_(window.gridView()) {
    picker_.changed.connect([self = QPointer<ColumnPickerList>(this)] {
        if (self) self->showState();
    });
    grid_->installEventFilter(this);
}

// The bar itself too: a disabled bar takes no Alt key, so the list keeps its keys.
void ColumnPickerList::setMenusEnabled(bool enabled) {
    for (QAction* top : window_.menuBar()->actions()) top->setEnabled(enabled);
    window_.menuBar()->setEnabled(enabled);
}

void ColumnPickerList::create() {
    list_ = new QListWidget(&window_);
    // Without a frame every row fits the height the core gives (13 of 13.5 each).
    list_->setFrameStyle(QFrame::NoFrame);
    list_->setUniformItemSizes(true);
    list_->setObjectName(QStringLiteral("ColumnPickerList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, colourOf(ColumnPicker::kBackground));
    palette.setColor(QPalette::Text, colourOf(ColumnPicker::kTextColour));
    list_->setPalette(palette);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_) picker_.setItemIndex(row);
    });
}

void ColumnPickerList::showState() {
    const bool open = picker_.isOpen();
    // Menus and grid follow the core; a closing list hands the focus back to the grid.
    setMenusEnabled(picker_.mainMenuEnabled());
    grid_->setEnabled(picker_.gridEnabled());
    if (!open) {
        if (list_) {
            list_->hide();
            list_->deleteLater();
            list_ = nullptr;
            grid_->setFocus();
        }
        return;
    }
    const bool created = !list_;
    if (created) create();
    const auto& state = picker_.list();
    syncing_ = true;
    if (created) {
        for (const auto& item : state.items) {
            auto* row = new QListWidgetItem(fromUtf8(item), list_);
            row->setSizeHint(QSize(0, kItemHeight));
        }
    }
    list_->setCurrentRow(state.itemIndex);
    syncing_ = false;
    if (created) {
        // The core's width is the text's; a scroll bar comes on top.
        const bool scrolls = state.height < kItemHeight * list_->count();
        const int width = state.width + (scrolls ? list_->verticalScrollBar()->sizeHint().width() : 0);
        list_->setGeometry(state.left, state.top, width, state.height);
        list_->show();
        list_->raise();
        list_->setFocus();
    }
}

bool ColumnPickerList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::FocusIn) {
        picker_.StrGridEnter();
        return false;
    }
    if (!list_) return false;
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        char typed = key == Qt::Key_Return || key == Qt::Key_Enter ? '\r' : key == Qt::Key_Escape ? 27 : 0;
        if (typed == 0) return false;
        picker_.keyTyped(typed);
        return typed == 0;
    }
    const bool press = event->type() == QEvent::MouseButtonPress, release = event->type() == QEvent::MouseButtonRelease;
    if (watched == list_->viewport() && (press || release)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Only the left button highlights and picks, as in a list box.
        if (press && mouse->button() != Qt::LeftButton) return true;
        if (release) {
            const auto button = mouse->button() == Qt::LeftButton    ? MouseButton::Left
                                : mouse->button() == Qt::RightButton ? MouseButton::Right
                                                                     : MouseButton::Middle;
            picker_.ListBoxMouseUp(button);
            return true;
        }
    }
    return false;
}

}  // namespace tabulyst::ui
