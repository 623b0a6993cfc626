#include "ui/QtOpener.h"

#include <QProcess>
#include <memory>

namespace tabulyst::ui {

QtOpener::QtOpener(QString program) : program_(std::move(program)) {}

// An opener still running at the end (some wait for the application they
// started) is left without anyone to report to.
QtOpener::~QtOpener() {
    for (QObject* child : processes_.children()) child->disconnect();
}

void QtOpener::open(const std::string& target, std::function<void(OpenerExit)> done) {
    auto* process = new QProcess(&processes_);
    process->setProgram(program_);
    process->setArguments({QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()))});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // finished and errorOccurred may both come; the first one answers.
    auto report = std::make_shared<std::function<void(OpenerExit)>>(std::move(done));
    auto answer = [process, report](OpenerExit exit) {
        if (!*report) return;
        auto callback = std::move(*report);
        *report = nullptr;
        process->deleteLater();
        callback(exit);
    };
    QObject::connect(process, &QProcess::finished, process, [answer](int exitCode, QProcess::ExitStatus status) {
        answer({true, status == QProcess::NormalExit ? exitCode : -1});
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [answer](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) answer({false, 0});
    });
    process->start();
}

}  // namespace tabulyst::ui
