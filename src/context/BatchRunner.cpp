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

bool BatchRunner::WriteScript(const QStringList& lines) const {
    const QString script = ScriptPath();
    ctx_.fs().setArchiveOnly(script);
    return ctx_.fs().writeFile(script, TextCodec::encodeDosLines(lines));
}

bool BatchRunner::RunScript(const QStringList& lines, ShowMode mode) const {
    return WriteScript(lines) &&
           ctx_.starter().startDetached(ctx_.batchHostPath(),
                                        interpreterOptions(mode) << ctx_.fs().resolve(ScriptPath()),
                                        ctx_.programHostDir());
}

bool BatchRunner::RunScriptWatched(const QStringList& lines, ShowMode mode, QObject* context,
                                   ProcessStarter::Ended ended) const {
    return WriteScript(lines) &&
           ctx_.starter().startWatched(ctx_.batchHostPath(),
                                       interpreterOptions(mode) << ctx_.fs().resolve(ScriptPath()),
                                       ctx_.programHostDir(), context, std::move(ended));
}

bool BatchRunner::RunCommand(const QString& commandLine, ShowMode mode) const {
    return ctx_.starter().startDetached(ctx_.batchHostPath(),
                                        interpreterOptions(mode)
                                            << QStringLiteral("--command") << commandLine,
                                        ctx_.programHostDir());
}
