#include "ui/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <exception>

#include "core/base/AppId.h"
#include "core/app/MainForm.h"
#include "ui/Icons.h"
#include "ui/MacroKeyFilter.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"
#include "ui/QtDialogs.h"
#include "ui/QtKeyboard.h"
#include "ui/QtOpener.h"
#include "ui/QtPrinter.h"
#include "ui/QtProgress.h"
#include "ui/QtWindowGeometry.h"
#include "ui/ReadyProbe.h"
#include "ui/StandardDialogs.h"

namespace tabulyst::ui {

namespace {
// The general error report: an error that escapes an event handler is shown
// instead of ending the program with the user's table.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    Dialogs* dialogs = nullptr;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            if (dialogs) dialogs->showMessage(error.what());
            return false;
        }
    }
};
}  // namespace

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("tabulyst"));
    // The desktop matches the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QApplication::setWindowIcon(applicationIcon());
    installQtGerman(app);
    // Dates and sizes in the standard dialogs follow their German texts.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

int runApplication(int argc, char** argv) {
    Application app(argc, argv);
    setUpApplication(app);
    const QFont font = QApplication::font();

    QtDialogs dialogs;
    app.dialogs = &dialogs;
    QtDesktop desktop;
    QtKeyboard keyboard;
    Platform platform{&dialogs, &desktop, &desktop, &desktop, &desktop, &keyboard};
    QtPrinter printer(font);
    platform.printer = &printer;
    QtOpener opener;
    platform.opener = &opener;
    QtWindowGeometry geometry;
    platform.geometry = &geometry;
    QtProgress progress;
    platform.progress = &progress;
    MainForm form(platform, QFileInfo(QApplication::applicationFilePath()).absoluteFilePath().toStdString());
    // QApplication has run setlocale(LC_ALL, "") already; the core reads it once here.
    form.locale = Locale::fromCLibrary();
    for (int i = 1; i < argc; ++i) form.commandLine.emplace_back(argv[i]);
    form.FormCreate();
    // The fonts take a while to load: the table is read meanwhile.
    form.readCommandLineFileAhead();
    desktop.setFont(font);
    form.sumReadAheadWithAdvances();
    // The last start-up step: the key hook in front of every window.
    MacroKeyFilter macroKeys(form.macros.hook);
    app.installEventFilter(&macroKeys);
    MainWindow window(form);
    dialogs.setParent(&window);
    printer.setParent(&window);
    geometry.setWindow(&window);
    progress.setWindow(&window);
    window.show();
    quitWhenReadyIfAsked(form, window, progress);
    return app.exec();
}

}  // namespace tabulyst::ui
