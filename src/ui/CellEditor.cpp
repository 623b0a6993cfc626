#include "ui/CellEditor.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "core/app/MainForm.h"
#include "core/base/ScopedFlag.h"
#include "core/grid/StringGrid.h"
#include "core/output/CellLineBreaks.h"
#include "ui/GridView.h"
#include "ui/KeyMap.h"
#include "ui/Text.h"

namespace tabulyst::ui {

CellEditor::CellEditor(GridView& view) : QPlainTextEdit(view.viewport()), view_(view) {
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(0);
    // The margins around the text are the editor's own, painted as its text area.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setViewportMargins(GridView::kTextInset, GridView::kTextInset, 0, 0);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!setting_) edited();
        place();
    });
}

QString CellEditor::text() const {
    // The raw text: toPlainText would turn a no-break space of the cell into a space.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return raw;
}

QString CellEditor::shown(std::string_view cells) const {
    return fromCell(editorTextOfCell(cells), view_.form_.document.format().encoding.cells());
}

void CellEditor::setShown(const QString& text, int caret) {
    {
        ScopedFlag setting(setting_);
        setPlainText(text);
    }
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(caret, 0, static_cast<int>(text.size())));
    setTextCursor(c);
}

void CellEditor::edited() {
    const QString now = text();
    const TableDocument& document = view_.form_.document;
    const std::string_view lineBreak = editedLineBreak(grid().cell(grid().col(), grid().row()), document.layout,
                                                       document.format());
    std::string cells;
    if (!view_.form_.takeTypedText(cellOfEditorText(toUtf8(now), lineBreak), cells)) {
        // Not taken: the cell's text stays, the caret where the typing began.
        const QString before = shown(grid().cell(grid().col(), grid().row()));
        setShown(before, textCursor().position() - static_cast<int>(now.size() - before.size()));
        return;
    }
    // A line break the table cannot hold was taken as a space: show it so.
    if (const QString taken = shown(cells); taken != now) setShown(taken, textCursor().position());
    grid().editorTextChanged(cells);
}

void CellEditor::key(int virtualKey, bool shift, bool ctrl, bool alt) {
    const int qtKey = qtKeyOf(static_cast<std::uint16_t>(virtualKey));
    // Keys a line edit left alone would add a line or a tab to the text here.
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter || qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) return;
    Qt::KeyboardModifiers m;
    if (shift) m |= Qt::ShiftModifier;
    if (ctrl) m |= Qt::ControlModifier;
    if (alt) m |= Qt::AltModifier;
    QKeyEvent e(QEvent::KeyPress, qtKey, m);
    QPlainTextEdit::keyPressEvent(&e);
}

bool CellEditor::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && view_.isMenuShortcut(*static_cast<QKeyEvent*>(e))) {
        e->ignore();  // the text edit would take Ctrl+Z, Ctrl+C or Ctrl+Home for itself
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    KeyStroke s = strokeOf(*event);
    const TableDocument& document = view_.form_.document;
    if (!lineBreakTyped(s, document.layout, document.format()).empty()) {
        insertPlainText(QStringLiteral("\n"));  // handed on as the cell's own line break
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
        QPlainTextEdit::keyPressEvent(event);
    }
}

StringGrid& CellEditor::grid() const { return view_.grid(); }

void CellEditor::open(const QString& text, bool replace) {
    std::string cells;
    // Text the table refuses leaves the cell as it is and the editor closed.
    if (replace && !text.isEmpty() && !view_.form_.takeTypedText(toUtf8(text), cells)) return;
    if (!grid().openEditor()) return;
    if (replace) {
        const QString taken = shown(cells);
        setShown(taken, static_cast<int>(taken.size()));
        grid().editorTextChanged(cells);
    }
}

void CellEditor::followGrid() {
    if (grid().editorOpen()) {
        const QString cell = shown(grid().cell(grid().col(), grid().row()));
        setShown(cell, static_cast<int>(cell.size()));
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
    r.adjust(0, 0, 1, 1);
    // The first line where the grid paints it, so opening moves no text; each
    // further line below it, as far as the view reaches, then a scroll bar.
    const int lineHeight = fontMetrics().height();
    const int inset = GridView::kTextInset;
    // Whole rows are covered: a row's text half hidden behind the editor would show its lower part.
    const int pitch = r.height();
    const int wanted = (pitch + (document()->blockCount() - 1) * lineHeight + pitch - 1) / pitch * pitch;
    const int room = std::max(r.height(), view_.viewport()->height() - r.top());
    // The text area takes a pixel more than its lines, or the text edit scrolls.
    setViewportMargins(inset, inset, 0, std::max(0, r.height() - inset - lineHeight - 1));
    const bool capped = wanted > room;
    setVerticalScrollBarPolicy(capped ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    r.setHeight(std::min(wanted, room));
    setGeometry(r);
    raise();
    if (!capped) verticalScrollBar()->setValue(0);  // all lines show
    ensureCursorVisible();
}

void CellEditor::syncText() {
    if (!isVisible()) return;
    const QString cell = shown(grid().cell(grid().col(), grid().row()));
    if (text() != cell) setShown(cell, static_cast<int>(cell.size()));
}

}  // namespace tabulyst::ui
