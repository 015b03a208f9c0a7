#pragma once

#include <QProcessEnvironment>
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
    };
    // wine gets the host program and the arguments in wine's DOS form.
    QStringList wineArguments(const Program& program, const QStringList& arguments) const;
    Outcome invocationFor(const Program& program, const QStringList& arguments,
                          Invocation& out) const;
    // A DOS program runs in DOSBox on the drives of the session; its
    // redirections are done here, on the host files resolved here.
    Outcome runDos(const Program& program, const QStringList& arguments,
                   const CommandLine::Redirection& output, const QString& input) const;
    // The host file a "< FILE" reads.
    Outcome inputFile(const QString& input, QString& host) const;
    // The host file a "> FILE" or ">> FILE" writes, created (or emptied for ">").
    Outcome outputFile(const CommandLine::Redirection& output, QString& host) const;
    QProcessEnvironment environment() const;

    const DosSession& session_;
};
