#include "context/BatchRunner.h"

#include "context/AppContext.h"
#include "platform/TextCodec.h"

QString BatchRunner::ScriptPath() const {
    return ctx_.ProgramDirectory() + u"Execute.bat";
}

QStringList BatchRunner::interpreterOptions(ShowMode mode) const {
    return {QStringLiteral("--drives"), ctx_.fs().drives().toString(), QStringLiteral("--show"),
            mode == ShowMode::Minimised ? QStringLiteral("minimised") : QStringLiteral("normal")};
}

RunOutcome BatchRunner::WriteScript(const QStringList& lines) const {
    const QString script = ScriptPath();
    const QByteArray content = TextCodec::encodeDosLines(lines);
    ctx_.fs().setArchiveOnly(script);
    // The write is read back before it counts: a save has been seen to
    // report success after its data never reached a full disk.
    if (QString problem; !ctx_.fs().writeFile(script, content, &problem)) {
        return RunOutcome::failed(script + u" could not be written, so nothing was started (" +
                                  problem + u").");
    }
    return RunOutcome::started();
}

RunOutcome BatchRunner::StartScript(ShowMode mode) const {
    return start(interpreterOptions(mode) << ctx_.fs().resolve(ScriptPath()), ScriptPath());
}

RunOutcome BatchRunner::RunScript(const QStringList& lines, ShowMode mode) const {
    RunOutcome written = WriteScript(lines);
    return written.ok() ? StartScript(mode) : written;
}

RunOutcome BatchRunner::RunScriptWatched(const QStringList& lines, ShowMode mode, QObject* context,
                                         ProcessStarter::Ended ended) const {
    RunOutcome written = WriteScript(lines);
    if (!written.ok()) {
        return written;
    }
    if (!ctx_.starter().startWatched(ctx_.batchHostPath(),
                                     interpreterOptions(mode) << ctx_.fs().resolve(ScriptPath()),
                                     ctx_.programHostDir(), context, std::move(ended))) {
        return notStarted(ScriptPath());
    }
    return RunOutcome::started();
}

RunOutcome BatchRunner::RunCommand(const QString& commandLine, ShowMode mode) const {
    return start(interpreterOptions(mode) << QStringLiteral("--command") << commandLine,
                 u'"' + commandLine + u'"');
}

std::unique_ptr<QProcess> BatchRunner::StartReading(const QString& commandLine) const {
    return ctx_.starter().startReading(ctx_.batchHostPath(),
                                       interpreterOptions(ShowMode::Minimised)
                                           << QStringLiteral("--command") << commandLine,
                                       ctx_.programHostDir());
}

RunOutcome BatchRunner::start(const QStringList& arguments, const QString& what) const {
    if (!ctx_.starter().startDetached(ctx_.batchHostPath(), arguments, ctx_.programHostDir())) {
        return notStarted(what);
    }
    return RunOutcome::started();
}

RunOutcome BatchRunner::notStarted(const QString& what) const {
    return RunOutcome::failed(what + QStringLiteral(" could not be started: the script "
                                                    "interpreter %1 did not start.")
                                         .arg(ctx_.batchHostPath()));
}
