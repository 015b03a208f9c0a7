#pragma once

#include <QString>
#include <QStringList>

#include "batch/CommandLine.h"
#include "batch/DosSession.h"
#include "batch/ExecutableKind.h"
#include "batch/Outcome.h"

// Runs the program a line names and waits for it. Every program gets an
// argument list; nothing is ever handed to a shell.
class ProgramRunner {
public:
    struct Program {
        QString typed;
        QString dosPath;
        QString hostPath;
        ExecutableKind kind;
        QString error;  // set when the name leads to no file
    };

    explicit ProgramRunner(const DosSession& session) : session_(session) {}

    // The first word as a DOS path, or a bare name in the current directory;
    // without an extension .COM, .EXE and .BAT are tried in DOS's order, then
    // the name alone (host programs seldom have one).
    Program find(const QString& word) const;
    Outcome run(const Program& program, const QStringList& arguments,
                const CommandLine::Redirection& output, const QString& input) const;

private:
    struct Invocation {
        QString program;
        QStringList arguments;
        bool redirectOutput = true;
    };
    // wine gets the host program and the arguments in wine's DOS form.
    QStringList wineArguments(const Program& program, const QStringList& arguments) const;
    // dosbox gets every drive mounted and the line as DOS text, run in the
    // current drive and directory.
    QStringList dosboxArguments(const Program& program, const QStringList& arguments,
                                const CommandLine::Redirection& output) const;
    Outcome invocationFor(const Program& program, const QStringList& arguments,
                          const CommandLine::Redirection& output, Invocation& out) const;

    const DosSession& session_;
};
