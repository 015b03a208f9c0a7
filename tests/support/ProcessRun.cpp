#include "support/ProcessRun.h"

ProcessOutcome runToEnd(QProcess& process, int boundMs) {
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    ProcessOutcome outcome;
    if (!process.waitForFinished(boundMs)) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    outcome.standardError = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}
