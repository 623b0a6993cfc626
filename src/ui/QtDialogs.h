#pragma once
// The core's dialogs shown with Qt: German buttons, question icon for confirmations.
#include <QPointer>
#include <QWidget>

#include "core/platform/Dialogs.h"

namespace tabulyst::ui {

class QtDialogs : public Dialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder, const std::string& fileName) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tabulyst::ui
