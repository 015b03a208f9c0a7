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
    // The same, and `ended` hears whether every line succeeded once the
    // script is done (unless `context` has gone by then).
    bool RunScriptWatched(const QStringList& lines, ShowMode mode, QObject* context,
                          ProcessStarter::Ended ended) const;
    // Starts one DOS command line detached, without a script.
    bool RunCommand(const QString& commandLine, ShowMode mode) const;

    // The DOS path of the script.
    QString ScriptPath() const;

private:
    QStringList interpreterOptions(ShowMode mode) const;
    // Writes the script; false when it cannot be written.
    bool WriteScript(const QStringList& lines) const;
    const AppContext& ctx_;
};
