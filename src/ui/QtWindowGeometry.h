#pragma once
// Pixel positions of the main window and its grid, for the core's column picker.
#include <QPointer>

#include "core/platform/WindowGeometry.h"
#include "ui/MainWindow.h"

namespace tabulyst::ui {

class QtWindowGeometry : public WindowGeometry {
public:
    void setWindow(MainWindow* window) { window_ = window; }
    PixelPoint cellTopLeft(int col, int row) const override;
    int windowHeight() const override;

private:
    QPointer<MainWindow> window_;
};

}  // namespace tabulyst::ui
