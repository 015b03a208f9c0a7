#include "platform/ProcessStarter.h"

#include <QProcess>

bool SystemProcessStarter::startDetached(const QString& program, const QStringList& arguments,
                                         const QString& workingFolder) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

std::unique_ptr<QProcess> ProcessStarter::startReading(const QString& program,
                                                       const QStringList& arguments,
                                                       const QString& workingFolder) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setArguments(arguments);
    process->setWorkingDirectory(workingFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setReadChannel(QProcess::StandardOutput);
    process->start();
    if (!process->waitForStarted(-1)) {
        return nullptr;
    }
    return process;
}
