#include "ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/AboutDialog.h"
#include "ui/FieldLengthDialogWindow.h"
#include "ui/LayoutDialogWindow.h"
#include "ui/StringsChooserDialog.h"
#include "ui/Text.h"
#include "ui/ValueDialogWindow.h"

namespace tabulyst::ui {

namespace {
const QString kFilter = QStringLiteral("All files(*.*) (*)");

QString appTitle() { return QApplication::applicationDisplayName(); }
}  // namespace

void QtDialogs::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, appTitle(), fromUtf8(text), QMessageBox::Ok, parent_);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool QtDialogs::confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, appTitle(), fromUtf8(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::chooseOpenFile(const std::string& folder) {
    QString name = QFileDialog::getOpenFileName(parent_, QString(), QString::fromStdString(folder), kFilter);
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> QtDialogs::chooseSaveFile(const std::string& folder, const std::string& fileName) {
    QString start = QString::fromStdString(folder);
    if (!fileName.empty()) start = QString::fromStdString(fileName);
    QFileDialog dialog(parent_, QString(), start, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

QtDialogs::~QtDialogs() {
    delete aboutWindow_.data();
    delete valueWindow_.data();
    delete fieldLengthWindow_.data();
    delete layoutWindow_.data();
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
