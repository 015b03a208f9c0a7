#include "batch/BatchRun.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <filesystem>

#include "batch/BatchLog.h"
#include "batch/DeletionGuard.h"
#include "batch/DosSession.h"
#include "batch/Interpreter.h"

namespace BatchRun {
namespace {

// A DOS command interpreter started on a script works in the script's
// folder; a folder outside every drive starts on the first drive's root.
void startIn(DosSession& session, const QString& hostFolder, BatchLog& log) {
    const QString dos = session.fs().toDos(hostFolder);
    if (!dos.isEmpty()) {
        session.startIn(dos);
        return;
    }
    const auto& roots = session.fs().drives().roots();
    if (roots.empty()) {
        return;
    }
    const QString root = QString(roots.begin()->first) + u":\\";
    log.note(QStringLiteral("note: %1 lies on no drive; starting in %2").arg(hostFolder, root));
    session.startIn(root);
}

bool isSameFile(const QString& a, const QString& b) {
    std::error_code ec;
    const bool same = std::filesystem::equivalent(QFile::encodeName(a).toStdString(),
                                                  QFile::encodeName(b).toStdString(), ec);
    return (same && !ec) || a == b;
}

int finish(const Interpreter& interpreter, BatchLog& log) {
    if (interpreter.linesFailed() > 0) {
        log.note(QStringLiteral("done: %1 of %2 lines failed")
                     .arg(interpreter.linesFailed())
                     .arg(interpreter.linesRun()));
        return 1;
    }
    log.note(QStringLiteral("done: %1 lines, all succeeded").arg(interpreter.linesRun()));
    return 0;
}

}  // namespace

int script(const BatchOptions& options, const DriveMap& drives) {
    const QFileInfo info(options.script);
    const QString folder = info.absolutePath();
    const QString logFile = folder + QStringLiteral("/Execute.log");
    if (isSameFile(info.absoluteFilePath(), logFile)) {
        // The log is replaced before the script is read: the script would be lost.
        std::fprintf(stderr, "brivanel-batch: %s is the log file of its own run; not run\n",
                     BatchLog::escaped(info.absoluteFilePath()).toLocal8Bit().constData());
        return 2;
    }
    const auto log = BatchLog::replacing(logFile);
    log->note(QStringLiteral("brivanel-batch %1 (show %2; drives %3)")
                  .arg(info.absoluteFilePath(), options.show, drives.toString()));
    const std::optional<QStringList> lines = readScript(info.absoluteFilePath());
    if (!lines) {
        log->outcome(Outcome::failure(QStringLiteral("Cannot read batch file - ") +
                                      info.absoluteFilePath()));
        return 1;
    }
    const DosFileSystem fs(drives);
    DosSession session(fs);
    startIn(session, folder, *log);
    const DeletionGuard guard(drives, QDir::homePath());
    Interpreter interpreter(session, guard, *log);
    interpreter.run(*lines);
    return finish(interpreter, *log);
}

int command(const BatchOptions& options, const DriveMap& drives) {
    const auto log = BatchLog::toStandardError();
    const DosFileSystem fs(drives);
    DosSession session(fs);
    startIn(session, QDir::currentPath(), *log);
    const DeletionGuard guard(drives, QDir::homePath());
    Interpreter interpreter(session, guard, *log);
    interpreter.run({*options.command});
    return interpreter.linesFailed() > 0 ? 1 : 0;
}

}  // namespace BatchRun
