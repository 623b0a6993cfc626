#pragma once
// The desktop's opener on Linux: xdg-open started directly (no shell) with
// the target as its only argument; its exit status is reported when it ends.
#include <QObject>
#include <QString>

#include "core/platform/DesktopOpener.h"

namespace tabulyst::ui {

class QtOpener : public DesktopOpener {
public:
    explicit QtOpener(QString program = QStringLiteral("xdg-open"));
    ~QtOpener() override;
    void open(const std::string& target, std::function<void(OpenerExit)> done) override;

private:
    QString program_;
    QObject processes_;  // owns the openers still running
};

}  // namespace tabulyst::ui
