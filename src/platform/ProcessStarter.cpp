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

bool SystemProcessStarter::startWatched(const QString& program, const QStringList& arguments,
                                        const QString& workingFolder, QObject* context,
                                        Ended ended) {
    // Lives until the program ends, however long the caller does.
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setWorkingDirectory(workingFolder);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, context,
                     [ended = std::move(ended)](int exitCode, QProcess::ExitStatus status) {
                         ended(status == QProcess::NormalExit && exitCode == 0);
                     });
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start();
    if (!process->waitForStarted(-1)) {
        delete process;
        return false;
    }
    return true;
}
