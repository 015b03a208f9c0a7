#pragma once

#include <QString>

#include "batch/CommandLine.h"
#include "batch/DosSession.h"

// "if [not] errorlevel N command" and "if [not] exist FILE command", as DOS
// has them; a script guards what it does next by how a program ended and by
// what is on the disk.
struct Condition {
    enum class Test { ErrorLevel, Exist };

    Test test = Test::ErrorLevel;
    bool negated = false;
    int level = 0;          // errorlevel N holds when the errorlevel is N or more
    QString file;           // exist: a path, with wildcards in its last component
    qsizetype command = 0;  // the word the command starts at
    QString error;          // set when the line is no "if" that can be run

    // `cmd` is a line whose first word is "if".
    static Condition parse(const CommandLine& cmd);
    bool holds(const DosSession& session, int errorLevel) const;
};

// DOS's exist: a file of that name, or one matching the wildcards, in an
// existing folder; a folder is no file, but "FOLDER\NUL" names the NUL
// device, which every existing folder has.
bool dosFileExists(const DosSession& session, const QString& typed);
