#include "gamelist/BuildSummary.h"

#include <QLocale>

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"

namespace {

constexpr char16_t kHowToMake[] = u"brivanel-makelist makes one from a folder of ROMs";

}  // namespace

void BuildSummary::countGame(const QString& fullName, bool found) {
    games_.insert(fullName);
    if (found) {
        found_.insert(fullName);
    }
}

void BuildSummary::addMissingList(const QString& listFile) {
    // Console emulators of one platform share one list.
    const QString name = listFile.mid(listFile.lastIndexOf(u'\\') + 1);
    if (!missingLists_.contains(name, Qt::CaseInsensitive)) {
        missingLists_ << name;
    }
}

QString BuildSummary::text() const {
    const QLocale locale;
    QString text =
        locale.toString(found_.size()) + u" of " + locale.toString(games_.size()) + u" games found";
    for (const QString& note : notes_) {
        text += u"; " + note;
    }
    if (!missingLists_.isEmpty()) {
        text += u"; left out for want of a game list: " + missingLists_.join(u", ") + u" (" +
                QString::fromUtf16(kHowToMake) + u')';
    }
    return text;
}

std::optional<QString> MissingListFile(const AppContext& ctx, const EmulatorDefinition& emulator) {
    if (emulator.type != u"MULTI" && emulator.type != u"CONSOLE") {
        return std::nullopt;
    }
    const QString listFile = emulator.platform.isEmpty()
                                 ? ctx.ProgramDirectory() + emulator.emulatorId + u".lst"
                                 : ListFilePath(ctx, emulator);
    if (ctx.fs().fileExists(listFile)) {
        return std::nullopt;
    }
    return listFile;
}

QString MissingListMessage(const QString& listName, const QString& listFile) {
    return listName + u" left out: its game list " + listFile + u" does not exist (" +
           QString::fromUtf16(kHowToMake) + u')';
}
