#include "ui/CellEditor.h"

#include <QKeyEvent>
#include <algorithm>

#include "core/app/MainForm.h"
#include "core/grid/StringGrid.h"
#include "core/output/CellLineBreaks.h"
#include "ui/GridView.h"
#include "ui/KeyMap.h"
#include "ui/Text.h"

namespace tabulyst::ui {

CellEditor::CellEditor(GridView& view) : QLineEdit(view.viewport()), view_(view) {
    setFrame(false);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string cells;
        if (!view_.form_.takeTypedText(toUtf8(text), cells)) {
            // Not taken: the cell's text stays, the caret where the typing began.
            const QString before = shown(grid().cell(grid().col(), grid().row()));
            const int caret = cursorPosition() - static_cast<int>(text.size() - before.size());
            setText(before);
            setCursorPosition(std::max(caret, 0));
            return;
        }
        grid().editorTextChanged(cells);
    });
}

QString CellEditor::shown(std::string_view cells) const {
    return fromCell(cells, view_.form_.document.format().encoding.cells());
}

void CellEditor::key(int virtualKey, bool shift, bool ctrl, bool alt) {
    Qt::KeyboardModifiers m;
    if (shift) m |= Qt::ShiftModifier;
    if (ctrl) m |= Qt::ControlModifier;
    if (alt) m |= Qt::AltModifier;
    QKeyEvent e(QEvent::KeyPress, qtKeyOf(static_cast<std::uint16_t>(virtualKey)), m);
    QLineEdit::keyPressEvent(&e);
}

bool CellEditor::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && view_.isMenuShortcut(*static_cast<QKeyEvent*>(e))) {
        e->ignore();  // the line edit would take Ctrl+Z, Ctrl+C or Ctrl+Home for itself
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    KeyStroke s = strokeOf(*event);
    const TableDocument& document = view_.form_.document;
    if (std::string_view lineBreak = lineBreakTyped(s, document.layout, document.format()); !lineBreak.empty()) {
        insert(fromUtf8(lineBreak));
        std::string cells;
        if (view_.form_.takeTypedText(toUtf8(text()), cells)) grid().editorTextChanged(cells);
        return;
    }
    if (s.key != 0) {
        view_.form_.StrGridKeyDown(s);
        if (s.key == 0) return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        grid().closeEditor();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        view_.forwardKey(event);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

StringGrid& CellEditor::grid() const { return view_.grid(); }

void CellEditor::open(const QString& text, bool replace) {
    std::string cells;
    // Text the table refuses leaves the cell as it is and the editor closed.
    if (replace && !text.isEmpty() && !view_.form_.takeTypedText(toUtf8(text), cells)) return;
    if (!grid().openEditor()) return;
    if (replace) {
        setText(shown(cells));
        grid().editorTextChanged(cells);
    }
}

void CellEditor::followGrid() {
    if (grid().editorOpen()) {
        setText(shown(grid().cell(grid().col(), grid().row())));
        place();
        show();
        setFocus();
    } else {
        bool hadFocus = hasFocus();
        hide();
        if (hadFocus) view_.setFocus();
    }
    view_.viewport()->update();
}

void CellEditor::place() {
    if (!grid().editorOpen()) return;
    QRect r = view_.cellRect(grid().col(), grid().row());
    if (r.isEmpty()) {
        move(-1000, -1000);
        return;
    }
    setGeometry(r.adjusted(0, 0, 1, 1));
}

void CellEditor::syncText() {
    if (!isVisible()) return;
    const QString cell = shown(grid().cell(grid().col(), grid().row()));
    if (text() != cell) setText(cell);
}

}  // namespace tabulyst::ui
