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

bool RecordingProcessStarter::startDetached(const QString& program, const QStringList& arguments,
                                            const QString& workingFolder) {
    starts_.push_back({program, arguments, workingFolder});
    if (!run_) {
        return true;
    }
    return SystemProcessStarter().startDetached(program, arguments, workingFolder);
}
