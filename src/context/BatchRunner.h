#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

#include "platform/ProcessStarter.h"

class AppContext;

// What a start came to: started, or why nothing was started. A script that
// did not start did nothing, so every caller has to look before it goes on
// as if it had run.
class [[nodiscard]] RunOutcome {
public:
    static RunOutcome started() { return RunOutcome(QString()); }
    static RunOutcome failed(QString message) { return RunOutcome(std::move(message)); }

    bool ok() const { return message_.isEmpty(); }
    // A sentence for the user; empty when started.
    const QString& message() const { return message_; }

private:
    explicit RunOutcome(QString message) : message_(std::move(message)) {}
    QString message_;
};

// Every external action is a DOS batch script: Execute.bat in the program
// directory, written anew and started through brivanel-batch without waiting.
class BatchRunner {
public:
    explicit BatchRunner(const AppContext& ctx) : ctx_(ctx) {}

    // Clears the attributes of an old Execute.bat and writes the lines with
    // CR LF after each, read back before it counts: a full disk must not
    // leave a short or empty script that is then started as the whole one.
    RunOutcome WriteScript(const QStringList& lines) const;
    // Starts the script as written, detached.
    RunOutcome StartScript(ShowMode mode) const;
    // Both in turn; nothing is started when the script was not written.
    RunOutcome RunScript(const QStringList& lines, ShowMode mode) const;
    // The same, and `ended` hears whether every line succeeded once the
    // script is done (unless `context` has gone by then).
    RunOutcome RunScriptWatched(const QStringList& lines, ShowMode mode, QObject* context,
                                ProcessStarter::Ended ended) const;
    // Starts one DOS command line detached, without a script.
    RunOutcome RunCommand(const QString& commandLine, ShowMode mode) const;
    // Runs one DOS command line whose output Brivanel reads itself, as it
    // comes; nothing when it could not be started.
    std::unique_ptr<QProcess> StartReading(const QString& commandLine) const;

    // The DOS path of the script.
    QString ScriptPath() const;

private:
    QStringList interpreterOptions(ShowMode mode) const;
    RunOutcome start(const QStringList& arguments, const QString& what) const;
    RunOutcome notStarted(const QString& what) const;
    const AppContext& ctx_;
};
