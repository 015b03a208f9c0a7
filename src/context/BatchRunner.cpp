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

bool BatchRunner::RunScript(const QStringList& lines, ShowMode mode) const {
    const QString script = ScriptPath();
    ctx_.fs().setArchiveOnly(script);
    if (!ctx_.fs().writeFile(script, TextCodec::encodeDosLines(lines))) {
        return false;
    }
    return ctx_.starter().startDetached(ctx_.batchHostPath(),
                                        interpreterOptions(mode) << ctx_.fs().resolve(script),
                                        ctx_.programHostDir());
}

bool BatchRunner::RunCommand(const QString& commandLine, ShowMode mode) const {
    return ctx_.starter().startDetached(ctx_.batchHostPath(),
                                        interpreterOptions(mode)
                                            << QStringLiteral("--command") << commandLine,
                                        ctx_.programHostDir());
}
