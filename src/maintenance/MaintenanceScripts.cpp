#include "maintenance/MaintenanceScripts.h"

#include <QDir>
#include <QFileInfo>

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"

namespace MaintenanceScripts {

QString driveLine(const QString& path) {
    return path.left(2);
}

std::optional<QString> stateFileName(const QString& pattern, const QString& shortName) {
    QString name = pattern;
    const qsizetype at = name.indexOf(QStringLiteral("%sn%"));
    if (at >= 0) {
        if (!DosPath::isSafeName(shortName)) {
            return std::nullopt;
        }
        name.replace(at, 4, shortName);
    }
    // A second "%sn%" stays as written; it names a file of that name.
    const QStringList parts = name.split(u'\\');
    for (const QString& part : parts) {
        if (!DosPath::isSafeName(
                QString(part).replace(QStringLiteral("%sn%"), QStringLiteral("x")))) {
            return std::nullopt;
        }
    }
    return name;
}

std::optional<QStringList> DeleteGameStateFile(const DosFileSystem& fs, const QString& pattern,
                                               const GameFiles& game, const QString& pkzip) {
    const std::optional<QString> file = stateFileName(pattern, game.shortName);
    if (!file) {
        return std::nullopt;
    }
    if (!game.location.toLower().contains(QStringLiteral(".zip"))) {
        const QString emulator = fs.shortPath(game.emulatorLocation);
        return QStringList{driveLine(emulator), u"cd " + DosPath::directoryPart(emulator),
                           u"del " + *file};
    }
    return QStringList{fs.shortPath(pkzip) + u' ' + fs.shortPath(game.location) + u" -d " + *file};
}

QString emulatorFolder(const DosFileSystem& fs, const QString& emulatorLocation) {
    return DosPath::directoryPart(fs.shortPath(emulatorLocation));
}

std::optional<QStringList> AddSoundSamples(const DosFileSystem& fs, const GameFiles& game,
                                           const SampleSet& samples) {
    if (!DosPath::isSafeName(game.shortName)) {
        return std::nullopt;
    }
    const QString archive = fs.shortPath(game.location);
    const QString target =
        emulatorFolder(fs, game.emulatorLocation) + samples.romPath + game.shortName;
    const bool zipped = archive.toLower().contains(QStringLiteral("zip"));
    QStringList lines;
    if (zipped) {
        lines << samples.pkunzip + u' ' + archive + u' ' + target + u" -d -o";
    }
    lines << samples.pkunzip + u' ' + fs.shortPath(samples.chosenZip) + u' ' + target + u'\\' +
                 samples.samplesPath + u" -o";
    if (zipped && samples.pkzipExists) {
        lines << samples.pkzip + u' ' + archive + u' ' + target + u"\\*.* -m -u";
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

QStringList Uninstall(const QString& programDirectory) {
    return {driveLine(programDirectory), u"cd " + programDirectory, QStringLiteral("cd .."),
            u"deltree /y " + uninstallFolder(programDirectory)};
}

}  // namespace MaintenanceScripts
