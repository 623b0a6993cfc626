#pragma once
// What the toolkit's own dialogs need to fit a German program: Qt's German
// texts whatever the system language, one "All files(*.*)" filter that matches
// every file, and message boxes wide enough to show their title.
#include <QString>

class QCoreApplication;
class QFileDialog;
class QMessageBox;
class QTranslator;

namespace tabulyst::ui {

// Installs Qt's German translations from the Qt translations folder; the
// translator belongs to app. Null when they are not installed.
QTranslator* installQtGerman(QCoreApplication& app);

// The filter caption of the open and save dialogs.
inline const QString kAllFilesCaption = QStringLiteral("All files(*.*)");
// Shows kAllFilesCaption once, matching every file, in Qt's own dialog (a
// desktop's native dialog would speak the system language).
void useAllFilesFilter(QFileDialog& dialog);

// At least as wide as the title plus the window's icon and buttons.
int messageBoxMinimumWidth(const QString& title);
void fitTitle(QMessageBox& box);

}  // namespace tabulyst::ui
