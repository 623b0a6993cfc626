#include "ui/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include "ui/Text.h"

namespace tabulyst::ui {

void QtDesktop::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void QtDesktop::processEvents() { QApplication::processEvents(); }

void QtDesktop::waitForEvent() {
    // The timer ends the wait when no event comes at all.
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(100);
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::string QtDesktop::text() const {
    // Most Linux programs end clipboard lines with a bare LF; the paste splits at CR LF.
    QString text = QGuiApplication::clipboard()->text();
    QString normalized;
    normalized.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) normalized += u'\r';
        normalized += text[i];
    }
    return toUtf8(normalized);
}

void QtDesktop::setText(const std::string& text) { QGuiApplication::clipboard()->setText(fromUtf8(text)); }

void QtDesktop::setFont(const QFont& font) {
    QFontMetrics metrics(font);
    for (int b = 0; b < 256; ++b) {
        char ch = static_cast<char>(b);
        advances_.setAdvance(static_cast<unsigned char>(b), metrics.horizontalAdvance(fromAnsi(std::string_view(&ch, 1))));
    }
}

}  // namespace tabulyst::ui
