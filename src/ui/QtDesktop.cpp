#include "ui/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

#include "ui/Text.h"

namespace tabulyst::ui {

void QtDesktop::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void QtDesktop::processEvents() { QApplication::processEvents(); }

std::string QtDesktop::text() const { return toAnsi(QGuiApplication::clipboard()->text()); }

void QtDesktop::setText(const std::string& text) { QGuiApplication::clipboard()->setText(fromAnsi(text)); }

int QtDesktop::textWidth(std::string_view text) const { return metrics_.horizontalAdvance(fromAnsi(text)); }

}  // namespace tabulyst::ui
