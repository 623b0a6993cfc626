#include "ui/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <exception>

#include "core/app/MainForm.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"
#include "ui/QtDialogs.h"
#include "ui/QtOpener.h"
#include "ui/QtWindowGeometry.h"

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

int runApplication(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tabulyst"));
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);

    QtDialogs dialogs;
    app.dialogs = &dialogs;
    QtDesktop desktop;
    desktop.setFont(font);
    Platform platform{&dialogs, &desktop, &desktop, &desktop, &desktop};
    QtOpener opener;
    platform.opener = &opener;
    QtWindowGeometry geometry;
    platform.geometry = &geometry;
    MainForm form(platform, QFileInfo(QApplication::applicationFilePath()).absoluteFilePath().toStdString());
    // QApplication has run setlocale(LC_ALL, "") already; the core reads it once here.
    form.locale = Locale::fromCLibrary();
    for (int i = 1; i < argc; ++i) form.commandLine.emplace_back(argv[i]);
    form.FormCreate();
    MainWindow window(form);
    dialogs.setParent(&window);
    geometry.setWindow(&window);
    window.show();
    return app.exec();
}

}  // namespace tabulyst::ui
