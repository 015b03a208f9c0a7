#include "gamelist/BuildSummary.h"

#include <QLocale>

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"

void BuildSummary::countGame(const QString& fullName, bool found) {
    games_.insert(fullName);
    if (found) {
        found_.insert(fullName);
    }
}

QString BuildSummary::text() const {
    const QLocale locale;
    QString text =
        locale.toString(found_.size()) + u" of " + locale.toString(games_.size()) + u" games found";
    for (const QString& note : notes_) {
        text += u"; " + note;
    }
    return text;
}

std::optional<QString> MissingListFileNote(const AppContext& ctx,
                                           const EmulatorDefinition& emulator) {
    if (emulator.type != u"MULTI" && emulator.type != u"CONSOLE") {
        return std::nullopt;
    }
    const QString listFile = emulator.platform.isEmpty()
                                 ? ctx.ProgramDirectory() + emulator.emulatorId + u".lst"
                                 : ListFilePath(ctx, emulator);
    if (ctx.fs().fileExists(listFile)) {
        return std::nullopt;
    }
    return emulator.lbName + u" left out: its game list " + listFile +
           u" does not exist (brivanel-makelist makes it from a folder of ROMs)";
}
