#pragma once
// The core's dialogs shown with Qt: German buttons, question icon for confirmations.
#include <QPointer>
#include <QWidget>

#include "core/platform/Dialogs.h"

namespace tabulyst::ui {

class LayoutDialogWindow;
class FieldLengthDialogWindow;
class ValueDialogWindow;
class AboutDialog;

class QtDialogs : public Dialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string& fileName) override;
    // Windows created at the first showing and kept, like their core dialogs.
    bool showLayoutDialog(LayoutDialog& dialog) override;
    bool showFieldLengthDialog(FieldLengthDialog& dialog) override;
    // The check-list chooser lives only while it is shown, like its core object.
    bool showStringsChooser(StringsChooser& chooser) override;
    // Created at the first showing and kept, like their core windows.
    bool showValueDialog(ValueDialog& dialog) override;
    void showAboutWindow(AboutWindow& about) override;
    ~QtDialogs() override;

private:
    QPointer<QWidget> parent_;
    QPointer<LayoutDialogWindow> layoutWindow_;
    QPointer<FieldLengthDialogWindow> fieldLengthWindow_;
    QPointer<ValueDialogWindow> valueWindow_;
    QPointer<AboutDialog> aboutWindow_;
};

}  // namespace tabulyst::ui
