#include "BatchHarness.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "support/ProcessRun.h"

BatchHarness::BatchHarness() : environment(QProcessEnvironment::systemEnvironment()) {
    environment.remove(u"BRIVANEL_DRIVES"_qs);
}

BatchHarness::Result BatchHarness::start(const QStringList& arguments, const QString& logHost) {
    QProcess process;
    process.setProgram(TempInstallation::batchInterpreter());
    QString drives = inst.drives().toString();
    if (!extraDrives.isEmpty()) {
        drives += u';' + extraDrives;
    }
    process.setArguments(QStringList{u"--drives"_qs, drives, u"--show"_qs, u"minimised"_qs} +
                         arguments);
    process.setWorkingDirectory(inst.programHostDir());
    process.setProcessEnvironment(environment);
    const ProcessOutcome outcome = runToEnd(process);
    Result result;
    result.exitCode = outcome.exitCode;
    result.standardError = outcome.standardError;
    QFile log(logHost);
    if (!logHost.isEmpty() && log.open(QIODevice::ReadOnly)) {
        result.log = QString::fromUtf8(log.readAll());
    }
    return result;
}

BatchHarness::Result BatchHarness::run(const QStringList& lines, const QString& scriptDos) {
    inst.writeLines(scriptDos, lines);
    return runExisting(scriptDos);
}

BatchHarness::Result BatchHarness::runExisting(const QString& scriptDos) {
    const QString script = inst.fs().resolve(scriptDos);
    return start({script}, QFileInfo(script).absolutePath() + u"/Execute.log");
}

BatchHarness::Result BatchHarness::runCommand(const QString& line) {
    return start({u"--command"_qs, line}, QString());
}

bool BatchHarness::exists(const QString& dosPath) const {
    return !inst.fs().resolve(dosPath).isEmpty();
}

void BatchHarness::setReadOnly(const QString& dosPath, bool readOnly) const {
    inst.fs().setReadOnly(dosPath, readOnly);
}

bool BatchHarness::isReadOnly(const QString& dosPath) const {
    return inst.fs().isReadOnly(dosPath);
}
