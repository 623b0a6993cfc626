#include "ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/textops/FindDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/ColsAndRowsDialogWindow.h"
#include "ui/FieldLengthDialogWindow.h"
#include "ui/FindReplaceWindow.h"
#include "ui/LayoutDialogWindow.h"
#include "ui/MacroKeyDialogWindow.h"
#include "ui/StandardDialogs.h"
#include "ui/StringsChooserDialog.h"
#include "ui/Text.h"
#include "ui/ValueDialogWindow.h"

namespace tabulyst::ui {

namespace {
QString appTitle() { return QApplication::applicationDisplayName(); }
}  // namespace

void QtDialogs::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, appTitle(), fromUtf8(text), QMessageBox::Ok, parent_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    fitTitle(box);
    box.exec();
}

bool QtDialogs::confirm(const std::string& text, DefaultAnswer byDefault) {
    QMessageBox box(QMessageBox::Question, appTitle(), fromUtf8(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
    box.setDefaultButton(byDefault == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::chooseOpenFile(const std::string& folder) {
    QFileDialog dialog(parent_, QString(), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    useAllFilesFilter(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtDialogs::chooseSaveFile(const std::string& folder, const std::string& fileName) {
    QString start = QString::fromStdString(folder);
    if (!fileName.empty()) start = QString::fromStdString(fileName);
    QFileDialog dialog(parent_, QString(), start);
    useAllFilesFilter(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

QtDialogs::~QtDialogs() {
    delete colsAndRowsWindow_.data();
    delete replaceWindow_.data();
    delete findWindow_.data();
    delete aboutWindow_.data();
    delete valueWindow_.data();
    delete fieldLengthWindow_.data();
    delete layoutWindow_.data();
    delete macroKeyWindow_.data();
}

bool QtDialogs::showLayoutDialog(LayoutDialog& dialog) {
    if (!layoutWindow_ || &layoutWindow_->dialog() != &dialog) {
        delete layoutWindow_.data();
        layoutWindow_ = new LayoutDialogWindow(dialog, parent_);
    }
    return layoutWindow_->run();
}

bool QtDialogs::showFieldLengthDialog(FieldLengthDialog& dialog) {
    if (!fieldLengthWindow_ || &fieldLengthWindow_->dialog() != &dialog) {
        delete fieldLengthWindow_.data();
        // Above the layout dialog that opens it.
        QWidget* owner = QApplication::activeModalWidget();
        fieldLengthWindow_ = new FieldLengthDialogWindow(dialog, owner ? owner : parent_.data());
    }
    return fieldLengthWindow_->run();
}

bool QtDialogs::showStringsChooser(StringsChooser& chooser) {
    StringsChooserDialog dialog(chooser, parent_);
    return dialog.run();
}

bool QtDialogs::showMacroKeyDialog(MacroKeyDialog& dialog) {
    if (!macroKeyWindow_ || &macroKeyWindow_->dialog() != &dialog) {
        delete macroKeyWindow_.data();
        macroKeyWindow_ = new MacroKeyDialogWindow(dialog, parent_);
    }
    return macroKeyWindow_->run();
}

bool QtDialogs::showColsAndRowsDialog(ColsAndRowsDialog& dialog) {
    if (!colsAndRowsWindow_ || &colsAndRowsWindow_->dialog() != &dialog) {
        delete colsAndRowsWindow_.data();
        colsAndRowsWindow_ = new ColsAndRowsDialogWindow(dialog, parent_);
    }
    return colsAndRowsWindow_->run();
}

FindReplaceWindow* QtDialogs::findWindow() const { return findWindow_.data(); }
FindReplaceWindow* QtDialogs::replaceWindow() const { return replaceWindow_.data(); }

void QtDialogs::showFindDialog(FindTextDialog& dialog) {
    if (!findWindow_ || &findWindow_->dialog() != &dialog) {
        delete findWindow_.data();
        findWindow_ = new FindReplaceWindow(dialog, nullptr, parent_);
    }
    findWindow_->present();
}

void QtDialogs::showReplaceDialog(ReplaceTextDialog& dialog) {
    if (!replaceWindow_ || &replaceWindow_->dialog() != &dialog) {
        delete replaceWindow_.data();
        replaceWindow_ = new FindReplaceWindow(dialog, &dialog, parent_);
    }
    replaceWindow_->present();
}

bool QtDialogs::showValueDialog(ValueDialog& dialog) {
    if (!valueWindow_ || &valueWindow_->dialog() != &dialog) {
        delete valueWindow_.data();
        valueWindow_ = new ValueDialogWindow(dialog, parent_);
    }
    return valueWindow_->run();
}

void QtDialogs::showAboutWindow(AboutWindow& about) {
    if (!aboutWindow_ || &aboutWindow_->about() != &about) {
        delete aboutWindow_.data();
        aboutWindow_ = new AboutDialog(about, parent_);
    }
    aboutWindow_->run();
}

}  // namespace tabulyst::ui
