#include "ui/CellEditor.h"

#include <QKeyEvent>

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
        std::string bytes = toAnsi(text);
        // Show what the cell holds: a character outside the code page is stored as "?".
        if (QString shown = fromAnsi(bytes); shown != text) {
            int caret = cursorPosition();
            setText(shown);
            setCursorPosition(caret);
        }
        grid().editorTextChanged(bytes);
    });
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
        insert(fromAnsi(lineBreak));
        grid().editorTextChanged(toAnsi(text()));
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
    if (!grid().openEditor()) return;
    if (replace) {
        std::string bytes = toAnsi(text);
        setText(fromAnsi(bytes));
        grid().editorTextChanged(bytes);
    }
}

void CellEditor::followGrid() {
    if (grid().editorOpen()) {
        setText(fromAnsi(grid().cell(grid().col(), grid().row())));
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
    const std::string_view cell = grid().cell(grid().col(), grid().row());
    if (toAnsi(text()) != cell) setText(fromAnsi(cell));
}

}  // namespace tabulyst::ui
