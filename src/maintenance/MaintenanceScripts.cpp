#include "maintenance/MaintenanceScripts.h"

#include <QDir>
#include <QFileInfo>

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "platform/ZipEntries.h"

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
    const QString folder = words.path(DosPath::directoryPart(emulator), u"the emulator's folder");
    // The state file is what the command removes, in the emulator's folder
    // and, for a zipped game, inside its archive.
    words.purpose(folder + file);
    const QStringList inFolder{driveLine(emulator), u"cd " + folder, u"del " + file};
    QStringList lines;
    if (game.location.toLower().contains(QStringLiteral(".zip"))) {
        lines << words.tool(fs.shortPath(pkzip), u"the PKZIP location") + u' ' +
                     words.purpose(words.path(fs.shortPath(game.location), u"the game's archive")) +
                     u" -d " + file;
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

namespace {

// Samples added to a game kept in a folder join the files there: each
// sample file must be new, so that none of the user's is written over.
void declareNewSampleFiles(const DosFileSystem& fs, const QString& chosenZip,
                           const QString& samplesFolder, ScriptWords& words) {
    const ZipEntries zip = ZipEntries::read(fs.resolve(chosenZip));
    if (!zip.error.isEmpty()) {
        words.refuse(u"the sample archive \"" + chosenZip + u"\" cannot be read (" + zip.error +
                     u')');
        return;
    }
    for (const ZipEntry& entry : zip.entries) {
        const std::optional<QString> flat = entry.flatName();
        if (flat && !flat->isEmpty()) {
            words.made(samplesFolder + u'\\' + *flat, u"the sample file");
        }
    }
}

}  // namespace

std::optional<QStringList> AddSoundSamples(const DosFileSystem& fs, const GameFiles& game,
                                           const SampleSet& samples, ScriptWords& words) {
    const QString archive = fs.shortPath(game.location);
    const QString target =
        words.path(words.path(emulatorFolder(fs, game.emulatorLocation), u"the emulator's folder") +
                       samples.romPath + words.name(game.shortName, u"the short name"),
                   u"the game's folder");
    const QString samplesFolder =
        words.path(target + u'\\' + samples.samplesPath, u"the samples folder");
    const QString chosen = words.path(fs.shortPath(samples.chosenZip), u"the sample archive");
    const bool zipped = archive.toLower().contains(QStringLiteral("zip"));
    const QString& pkunzip = words.path(samples.pkunzip, u"the PKUNZIP location");
    QStringList lines;
    if (zipped) {
        // The game is unpacked into a folder of this run's own, which goes
        // into the archive with the samples and then away: a folder of the
        // game's name that is there already is the user's.
        words.made(target, u"the folder the game is unpacked into");
        lines << pkunzip + u' ' + words.path(archive, u"the game's archive") + u' ' + target +
                     u" -d -o";
    } else {
        declareNewSampleFiles(fs, samples.chosenZip, samplesFolder, words);
    }
    lines << pkunzip + u' ' + chosen + u' ' + samplesFolder + u" -o";
    if (zipped && samples.pkzipExists) {
        lines << words.path(samples.pkzip, u"the PKZIP location") + u' ' + words.purpose(archive) +
                     u' ' + target + u"\\*.* -m -u";
        lines << u"deltree /y " + target;
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
        u"deltree /y " +
            words.purpose(words.path(uninstallFolder(programDirectory), u"the program folder"))};
    if (!words.ok()) {
        return std::nullopt;
    }
    return lines;
}

}  // namespace MaintenanceScripts
