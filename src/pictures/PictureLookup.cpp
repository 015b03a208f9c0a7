#include "pictures/PictureLookup.h"

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "tools/FoundFiles.h"

namespace {

// An index out of the table (a game of an emulator no longer defined) has
// no platform, ID, list or merge file.
const EmulatorDefinition& emulatorOrNone(const EmulatorTable& emulators, int index) {
    static const EmulatorDefinition none{};
    return emulators.isValidIndex(index) ? emulators.at(index) : none;
}

}  // namespace

QString PictureFolder(const EmulatorDefinition& emulator) {
    return emulator.platform.isEmpty() ? QStringLiteral("BITMAPS\\")
                                       : u"BITMAPS\\" + emulator.platform + u'\\';
}

QStringList PictureKeys(const QString& folder, const QString& platform, const QString& entryName,
                        const QString& shortName, const QString& parent) {
    QString name = entryName;
    if (!platform.isEmpty() && name.toUpper().startsWith(platform.toUpper())) {
        name = name.mid(platform.size() + 1);
    }
    const qsizetype bracket = name.indexOf(QStringLiteral(" ("));
    if (bracket >= 0) {
        name.truncate(bracket);
    }
    QStringList keys{folder + name + u'.', folder + shortName + u'.', folder + parent + u'.'};
    for (QString shorter = parent; shorter.size() > 2;) {
        shorter.chop(1);
        keys.append(folder + shorter + u'.');
    }
    return keys;
}

QString FindGamePicture(const AppContext& ctx, const EmulatorTable& emulators,
                        const QStringList& pictureIndex, int emulatorIndex,
                        const QString& shortName, const QString& entryName) {
    const EmulatorDefinition& emulator = emulatorOrNone(emulators, emulatorIndex);
    const QString romDirectory = GameDirectoryName(ctx, emulator, shortName);
    const QString parent = ParentName(ctx, emulator, romDirectory);
    for (const QString& key :
         PictureKeys(PictureFolder(emulator), emulator.platform, entryName, shortName, parent)) {
        const QString found = FindInFoundFiles(pictureIndex, key, true);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return QString();
}

QString FindEmulatorPicture(const EmulatorTable& emulators, const QStringList& pictureIndex,
                            int emulatorIndex) {
    const EmulatorDefinition& emulator = emulatorOrNone(emulators, emulatorIndex);
    return FindInFoundFiles(pictureIndex, PictureFolder(emulator) + emulator.emulatorId + u'.',
                            true);
}

QString NoImagePicture(const AppContext& ctx, const EmulatorTable& emulators, int emulatorIndex) {
    const QString inFolder = ctx.ProgramDirectory() +
                             PictureFolder(emulatorOrNone(emulators, emulatorIndex)) +
                             u"noimage.bmp";
    if (ctx.fs().fileExists(inFolder)) {
        return inFolder;
    }
    const QString inProgram = ctx.ProgramDirectory() + u"noimage.bmp";
    return ctx.fs().fileExists(inProgram) ? inProgram : QString();
}
