#pragma once

#include <QString>
#include <QStringList>

#include "platform/ProcessStarter.h"

class AppContext;

// Every external action is a DOS batch script: Execute.bat in the program
// directory, written anew and started through brivanel-batch without waiting.
class BatchRunner {
public:
    explicit BatchRunner(const AppContext& ctx) : ctx_(ctx) {}

    // Clears the attributes of an old Execute.bat, writes the lines with CR LF
    // after each, and starts the script detached.
    bool RunScript(const QStringList& lines, ShowMode mode) const;
    // Starts one DOS command line detached, without a script.
    bool RunCommand(const QString& commandLine, ShowMode mode) const;

    // The DOS path of the script.
    QString ScriptPath() const;

private:
    QStringList interpreterOptions(ShowMode mode) const;
    const AppContext& ctx_;
};
