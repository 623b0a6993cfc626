#pragma once
// Shows the core's about window: credit, icon, the two links, the thanks and
// the acknowledgements, closed with "Ok".
#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tabulyst {
class AboutWindow;
}

namespace tabulyst::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(AboutWindow& about, QWidget* parent);
    AboutWindow& about() const { return about_; }
    void run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AboutWindow& about_;
    QLabel* credit_;
    QLabel* web_;
    QLabel* mail_;
    QPlainTextEdit* memo_;
};

// The program's 32 x 32 icon: the application's window icon, or a drawn table.
QPixmap programIcon();

}  // namespace tabulyst::ui
