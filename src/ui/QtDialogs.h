#pragma once
// The core's dialogs shown with Qt: German buttons, question icon for confirmations.
#include <QPointer>
#include <QWidget>

#include "core/platform/Dialogs.h"

namespace tabulyst::ui {

class LayoutDialogWindow;
class FieldLengthDialogWindow;
class MacroKeyDialogWindow;
class ColsAndRowsDialogWindow;
class FindReplaceWindow;
class ValueDialogWindow;
class AboutDialog;

class QtDialogs : public Dialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text, DefaultAnswer byDefault) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string& fileName) override;
    // Windows created at the first showing and kept, like their core dialogs.
    bool showLayoutDialog(LayoutDialog& dialog) override;
    bool showFieldLengthDialog(FieldLengthDialog& dialog) override;
    // The check-list chooser lives only while it is shown, like its core object.
    bool showStringsChooser(StringsChooser& chooser) override;
    bool showMacroKeyDialog(MacroKeyDialog& dialog) override;
    // Created at the first showing and kept, like its core dialog.
    bool showColsAndRowsDialog(ColsAndRowsDialog& dialog) override;
    // The find and replace windows are created at their first showing and kept.
    void showFindDialog(FindTextDialog& dialog) override;
    void showReplaceDialog(ReplaceTextDialog& dialog) override;
    FindReplaceWindow* findWindow() const;
    FindReplaceWindow* replaceWindow() const;
    // Created at the first showing and kept, like their core windows.
    bool showValueDialog(ValueDialog& dialog) override;
    void showAboutWindow(AboutWindow& about) override;
    ~QtDialogs() override;

private:
    QPointer<QWidget> parent_;
    QPointer<LayoutDialogWindow> layoutWindow_;
    QPointer<FieldLengthDialogWindow> fieldLengthWindow_;
    QPointer<MacroKeyDialogWindow> macroKeyWindow_;
    QPointer<ColsAndRowsDialogWindow> colsAndRowsWindow_;
    QPointer<FindReplaceWindow> findWindow_;
    QPointer<FindReplaceWindow> replaceWindow_;
    QPointer<ValueDialogWindow> valueWindow_;
    QPointer<AboutDialog> aboutWindow_;
};

}  // namespace tabulyst::ui
