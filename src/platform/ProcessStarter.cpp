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
