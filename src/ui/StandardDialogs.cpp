#include "ui/StandardDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace tabulyst::ui {

namespace {
// Room a window manager takes beside the title: the window icon, three buttons, margins.
constexpr int kTitleBarControls = 120;
}  // namespace

QTranslator* installQtGerman(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

void useAllFilesFilter(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Qt takes the last parentheses as the patterns and, with the details
    // hidden, shows what stands before them.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilter(kAllFilesCaption + QStringLiteral(" (*)"));
}

int messageBoxMinimumWidth(const QString& title) {
    // Title bars use a bold font, mostly somewhat larger than the dialog's.
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(std::max(font.pointSizeF(), 8.0) * 1.25);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarControls;
}

void fitTitle(QMessageBox& box) {
    // QMessageBox sizes itself to its text and ignores a minimum width; a
    // spacer across its grid holds it open.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(messageBoxMinimumWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace tabulyst::ui
