#include "launch/PlayReturn.h"

#include <QStringList>

#include "context/AppContext.h"
#include "platform/BatchLogLines.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

std::optional<LineFailure> FailureInLog(const QString& logText, const QString& line) {
    using namespace BatchLogLines;
    const QStringList lines = TextCodec::splitLines(logText);
    // Each command is logged as "<current folder>>line"; a folder holds no ">".
    qsizetype at = -1;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const qsizetype prompt = lines[i].indexOf(u'>');
        if (prompt > 0 && !lines[i].startsWith(u' ') &&
            QStringView(lines[i]).mid(prompt + 1) == line) {
            at = i;
            break;
        }
    }
    const QString failed = QString::fromUtf16(kFailed);
    if (at < 0 || at + 1 >= lines.size() || !lines[at + 1].startsWith(failed)) {
        return std::nullopt;
    }
    LineFailure failure{lines[at + 1].mid(failed.size()), {}};
    const QString said = QString::fromUtf16(kLastOutput);
    if (at + 2 < lines.size() && lines[at + 2].startsWith(said)) {
        failure.said = lines[at + 2].mid(said.size());
    }
    return failure;
}

std::optional<PlayReturn> TakePlayReturn(const AppContext& ctx, SettingsStore& root) {
    const QString line = StoreSchema::kLaunchedLine.readFrom(root);
    if (line.isEmpty()) {
        return std::nullopt;
    }
    root.DeleteValue(StoreSchema::kLaunchedLine.name());
    PlayReturn back{StoreSchema::kCurrent.readFrom(root), {}};
    if (const auto log = ctx.fs().readFile(ctx.ProgramDirectory() + u"Execute.log")) {
        back.failure = FailureInLog(TextCodec::decode(*log), line);
    }
    return back;
}

QString PlayFailureNotice(const PlayReturn& back) {
    if (!back.failure) {
        return {};
    }
    const QString game =
        back.entryName.isEmpty() ? QStringLiteral("The game") : u'"' + back.entryName + u'"';
    const QString notice = game + u": the emulator failed (" + back.failure->status + u')';
    if (back.failure->said.isEmpty()) {
        return notice + u'.';
    }
    return notice + u": " + back.failure->said;
}
