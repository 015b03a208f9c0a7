#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

#include "batch/BatchLog.h"
#include "batch/Builtin.h"
#include "batch/CommandLine.h"
#include "batch/DeletionGuard.h"
#include "batch/DosSession.h"
#include "batch/Outcome.h"
#include "batch/ProgramRunner.h"

// Runs script lines one after the other, as COMMAND.COM does: a failing line
// is logged and the next one runs.
class Interpreter {
public:
    Interpreter(DosSession& session, const DeletionGuard& guard, BatchLog& log)
        : session_(session), guard_(guard), log_(log), runner_(session) {}

    // False when any line failed.
    bool run(const QStringList& lines) { return runLines(lines, 0); }

    int linesRun() const { return linesRun_; }
    int linesFailed() const { return linesFailed_; }

private:
    bool runLines(const QStringList& lines, int depth);
    Outcome execute(const CommandLine& cmd, int depth);
    Outcome conditional(const CommandLine& cmd, int depth);
    Outcome runWords(const QStringList& words, const QList<bool>& quoted, const CommandLine& cmd,
                     int depth);
    // Standard output, or the file a "> FILE" names.
    Outcome openOutput(const CommandLine& cmd, QFile& out) const;
    Outcome runBuiltin(Builtin builtin, const QStringList& arguments, const CommandLine& cmd);
    Outcome echo(const CommandLine& cmd);
    // A .BAT file named on a line runs here, in the same session, and returns
    // to the line after it as with CALL.
    Outcome runBatchFile(const QString& hostPath, int depth);

    DosSession& session_;
    const DeletionGuard& guard_;
    BatchLog& log_;
    ProgramRunner runner_;
    bool exitRequested_ = false;
    int errorLevel_ = 0;
    int linesRun_ = 0;
    int linesFailed_ = 0;
};

// Reads a script file's lines; nothing when it cannot be read or is far too
// large for a script.
std::optional<QStringList> readScript(const QString& hostPath);
