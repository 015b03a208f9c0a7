#include "maintenance/MaintenanceScripts.h"

#include <QDir>
#include <QFileInfo>

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"

namespace MaintenanceScripts {

QString driveLine(const QString& path) {
    return path.left(2);
}

std::optional<QStringList> DeleteGameStateFile(const DosFileSystem& fs, const QString& pattern,
                                               const GameFiles& game, const QString& pkzip,
                                               ScriptWords& words) {
    QString name = pattern;
    if (const qsizetype at = name.indexOf(QStringLiteral("%sn%")); at >= 0) {
        name.replace(at, 4, words.name(game.shortName, u"the short name"));
    }
    const QString& file = words.word(name, ScriptWord::Kind::StateFile, u"the state file");
    const QString emulator = fs.shortPath(game.emulatorLocation);
    // The emulator keeps the file in its own folder, also for a zipped game.
    const QStringList inFolder{
        driveLine(emulator),
        u"cd " + words.path(DosPath::directoryPart(emulator), u"the emulator's folder"),
        u"del " + file};
    QStringList lines;
    if (game.location.toLower().contains(QStringLiteral(".zip"))) {
        lines << words.tool(fs.shortPath(pkzip), u"the PKZIP location") + u' ' +
                     words.path(fs.shortPath(game.location), u"the game's archive") + u" -d " +
                     file;
    }
    lines << inFolder;
    if (!words.ok()) {
        return std::nullopt;
    }
    return lines;
}

QString emulatorFolder(const DosFileSystem& fs, const QString& emulatorLocation) {
    return DosPath::directoryPart(fs.shortPath(emulatorLocation));
}

std::optional<QStringList> AddSoundSamples(const DosFileSystem& fs, const GameFiles& game,
                                           const SampleSet& samples, ScriptWords& words) {
    const QString archive = fs.shortPath(game.location);
    const QString target =
        words.path(words.path(emulatorFolder(fs, game.emulatorLocation), u"the emulator's folder") +
                       samples.romPath + words.name(game.shortName, u"the short name"),
                   u"the game's folder");
    const bool zipped = archive.toLower().contains(QStringLiteral("zip"));
    const QString& pkunzip = words.path(samples.pkunzip, u"the PKUNZIP location");
    QStringList lines;
    if (zipped) {
        lines << pkunzip + u' ' + words.path(archive, u"the game's archive") + u' ' + target +
                     u" -d -o";
    }
    lines << pkunzip + u' ' + words.path(fs.shortPath(samples.chosenZip), u"the sample archive") +
                 u' ' + words.path(target + u'\\' + samples.samplesPath, u"the samples folder") +
                 u" -o";
    if (zipped && samples.pkzipExists) {
        lines << words.path(samples.pkzip, u"the PKZIP location") + u' ' + archive + u' ' + target +
                     u"\\*.* -m -u";
    }
    if (!words.ok()) {
        return std::nullopt;
    }
    return lines;
}

QString uninstallFolder(const QString& programDirectory) {
    return programDirectory.endsWith(u'\\') ? programDirectory.chopped(1) : programDirectory;
}

std::optional<QString> UninstallRefusal(const DosFileSystem& fs, const QString& programDirectory,
                                        const QString& homeHostFolder) {
    const QString folder = uninstallFolder(programDirectory);
    const QString refused = QStringLiteral("Uninstall refused: ") + folder;
    if (DosPath::isDriveRoot(folder)) {
        return refused + u" is the root of a drive, and everything on that drive would be deleted.";
    }
    const QString host = fs.resolve(folder);
    const QString canonical = QFileInfo(host).canonicalFilePath();
    if (host.isEmpty() || canonical.isEmpty()) {
        return refused + u" cannot be found.";
    }
    if (QDir(canonical).isRoot()) {
        return refused + u" is the root of the file system.";
    }
    if (canonical == QFileInfo(homeHostFolder).canonicalFilePath()) {
        return refused + u" is your home folder.";
    }
    for (const DosEntry& entry : fs.list(folder)) {
        if (!entry.isDirectory && entry.name.toLower().endsWith(QStringLiteral(".ini")) &&
            IsEmulatorDefinition(fs, DosPath::withTrailingBackslash(folder) + entry.name)) {
            return std::nullopt;
        }
    }
    return refused + u" holds no emulator definition, so it is not Brivanel's own folder.";
}

std::optional<QStringList> Uninstall(const QString& programDirectory, ScriptWords& words) {
    const QStringList lines{
        driveLine(programDirectory), u"cd " + words.path(programDirectory, u"the program folder"),
        QStringLiteral("cd .."),
        u"deltree /y " + words.path(uninstallFolder(programDirectory), u"the program folder")};
    if (!words.ok()) {
        return std::nullopt;
    }
    return lines;
}

}  // namespace MaintenanceScripts
