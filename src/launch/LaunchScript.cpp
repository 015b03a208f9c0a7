#include "launch/LaunchScript.h"

#include "catalogue/EmulatorDefinition.h"
#include "dosnames/DosCase.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "platform/ZipEntries.h"
#include "tools/ToolLocations.h"

namespace {

// Lines prepended later stand earlier: the script is built from the middle out.
class ScriptLines {
public:
    void append(const QString& line) { lines_.append(line); }
    void prepend(const QString& line) { lines_.prepend(line); }
    QStringList take() { return std::move(lines_); }

private:
    QStringList lines_;
};

void prependPromMergeLines(ScriptLines& script, const LaunchScriptInput& in, ScriptWords& w) {
    const QString& r = w.name(in.romName, u"the ROM name");
    const QString& e = w.path(in.emulatorDirectory, u"the emulator's folder");
    const QString& p = w.path(in.programDirectory, u"the program folder");
    const QString& z = w.purpose(w.path(in.location, u"the game's archive"));
    const QString& pkzip = w.tool(in.pkzip, u"the PKZIP location");
    const QString& pkunzip = w.tool(in.pkunzip, u"the PKUNZIP location");
    // Whatever lay there would be packed into the game's archive and then deleted.
    w.made(p + r, u"the work folder");
    script.prepend(u"deltree /y " + p + r);
    script.prepend(pkzip + u' ' + z + u' ' + p + r + u"\\*.*");
    script.prepend(u"attrib " + z + u" -r");
    script.prepend(pkunzip + u' ' + e + u"allproms.zip " + r + u"\\*.* " + p + r + u" -d");
    script.prepend(pkunzip + u' ' + e + u"bigprom.zip " + r + u"\\*.* " + p + r + u" -d");
}

// Whether this run copies an archive into the zipped-ROM folder, where the
// clean-up removes it again. An archive of that name there already is used
// as it is when it holds the same bytes (a copy left by a play that was cut
// short, or the user's own); one that differs is the user's, and the play
// is refused rather than run on a file other than the game's.
bool copiesInto(ScriptWords& w, const QString& source, const QString& target, QStringView what) {
    const DosFileSystem& fs = w.fs();
    if (!fs.exists(target)) {
        w.made(target, u"the copy in the zipped-ROM folder");
        return true;
    }
    if (fs.fileExists(source) && !fs.sameContent(source, target)) {
        w.refuse(u"the zipped-ROM folder holds \"" + target + u"\", which differs from " + what +
                 u" \"" + source + u'"');
    }
    return false;
}

// Lines for an emulator that reads zipped games from its own folder: the
// archives go there for the run and leave again, with MAME's PROMs merged
// into the game's archive first.
void addZippedRomDirectoryLines(ScriptLines& script, const EmulatorDefinition& emulator,
                                const LaunchScriptInput& in, ScriptWords& w) {
    const QString& e = w.path(in.emulatorDirectory, u"the emulator's folder");
    const QString& z = w.path(in.location, u"the game's archive");
    const QString zipDirectory = DosPath::directoryPart(z);
    const QString folder = w.path(e + emulator.zippedRomPath, u"the zipped-ROM folder");
    if (DosCase::same(zipDirectory, folder)) {
        return;
    }
    const QString zp = emulator.zippedRomPath.chopped(1);
    const bool mame = emulator.type == u"MAME";
    const QString copied = DosPath::fileNamePart(z);
    const bool copiesGame = copiesInto(w, z, folder + copied, u"the game's archive");
    if (copiesGame) {
        script.prepend(u"copy " + z + u' ' + e + zp);
    }
    if (mame && copiesGame) {
        prependPromMergeLines(script, in, w);
    }
    if (in.parentName != in.romName && z.contains(in.romName, Qt::CaseInsensitive)) {
        const QString parentZip = w.name(in.parentName, u"the parent name") + u".zip";
        const bool copiesParent =
            copiesInto(w, zipDirectory + parentZip, folder + parentZip, u"the parent's archive");
        if (copiesParent) {
            script.prepend(u"copy " + zipDirectory + parentZip + u' ' + e + zp);
        }
        if (mame && copiesGame) {
            prependPromMergeLines(script, in, w);
        }
        if (copiesParent) {
            script.append(u"deltree /y " + folder + parentZip);
        }
    }
    if (copiesGame) {
        // The copy keeps the archive's own name; that is the file to remove.
        const QString romZip = in.romName + u".zip";
        const bool romNamed = copied.compare(romZip, Qt::CaseInsensitive) == 0;
        script.append(u"deltree /y " + folder +
                      (romNamed ? w.name(in.romName, u"the ROM name") + u".zip" : copied));
    }
    const DosFileSystem& fs = w.fs();
    if (!fs.exists(folder)) {
        // "copy" would make a file of the folder's name, which nothing removes.
        script.prepend(u"md " + w.made(e + zp, u"the zipped-ROM folder"));
    } else if (!fs.directoryExists(folder)) {
        w.refuse(u"the zipped-ROM folder \"" + e + zp + u"\" is a file, not a folder");
    }
}

// An archive unpacked without -o writes only the files that are not there
// yet: those are the run's own, and the ones there already stay as they are.
void declareUnpacked(ScriptWords& w, const QString& archive, const QString& folder) {
    const DosFileSystem& fs = w.fs();
    for (const ZipEntry& entry : ZipEntries::read(fs.resolve(archive)).entries) {
        if (const std::optional<QStringList> parts = entry.components()) {
            if (const QString target = folder + parts->join(u'\\'); !fs.exists(target)) {
                w.made(target, u"a file of the archive");
            }
        }
    }
}

void addUnzipLines(ScriptLines& script, const EmulatorDefinition& emulator,
                   const LaunchScriptInput& in, ScriptWords& w) {
    const QString& e = w.path(in.emulatorDirectory, u"the emulator's folder");
    const QString& z = w.path(in.location, u"the game's archive");
    const QString& pkunzip = w.path(in.pkunzip, u"the PKUNZIP location");
    const QString romFolder = w.path(e + emulator.romPath, u"the ROM folder");
    if (emulator.type == u"CONSOLE") {
        // Without -o: a file of the user's beside the game's in the ROM
        // folder is never written over.
        script.prepend(pkunzip + u' ' + z + u' ' + romFolder + u" -d");
        declareUnpacked(w, z, romFolder);
        for (const QString& extension : emulator.extensions.split(u' ', Qt::SkipEmptyParts)) {
            const QString file = romFolder + w.name(in.romName, u"the ROM name") + u'.' + extension;
            script.append(u"deltree /y " + w.made(w.path(file, u"the ROM file"),
                                                  u"the file the game is unpacked to"));
        }
        return;
    }
    if (emulator.emulatorId == u"RAGE") {
        // Its pack's files stay in the emulator's folder; the ones there
        // already are kept as they are.
        script.prepend(pkunzip + u" -d " + e + u"ragepack.zip");
        declareUnpacked(w, e + u"ragepack.zip", e);
        script.prepend(QStringLiteral("attrib -r /s"));
        script.prepend(u"cd " + e);
    }
    const QString& r = w.name(in.romName, u"the ROM name");
    // MAME reads a set from a folder of its name, so users keep such folders.
    const QString unpacked = w.made(romFolder + r, u"the folder the game is unpacked into");
    script.prepend(pkunzip + u' ' + z + u' ' + unpacked + u" -d -o");
    if (in.parentName != in.shortName) {
        script.prepend(pkunzip + u' ' + DosPath::directoryPart(z) +
                       w.name(in.parentName, u"the parent name") + u' ' + unpacked + u" -d -o");
    }
    script.append(u"deltree /y " + unpacked);
}

}  // namespace

std::optional<QStringList> launchScript(const EmulatorDefinition& emulator,
                                        const LaunchScriptInput& in, ScriptWords& words) {
    ScriptLines script;
    script.append(in.executable.left(2));
    script.append(u"cd " + words.path(in.emulatorDirectory, u"the emulator's folder"));
    script.append(in.commandLine);
    if (in.location.toLower().contains(u".zip")) {
        if (!emulator.zippedRomPath.isEmpty()) {
            addZippedRomDirectoryLines(script, emulator, in, words);
        } else if (in.pkunzip.isEmpty()) {
            return std::nullopt;
        } else {
            addUnzipLines(script, emulator, in, words);
        }
    }
    if (emulator.showJoyEmu && !in.keyFile.isEmpty() && !in.joyEmu.isEmpty()) {
        const QString& joyEmu = words.path(in.joyEmu, u"the JoyEmu location");
        script.prepend(joyEmu + u" k" + words.path(in.keyFile, u"JoyEmu's key file"));
        script.append(joyEmu + u" u");
    }
    if (!in.uniVbe.isEmpty()) {
        const QString& uniVbe = words.path(in.uniVbe, u"the UniVBE location");
        script.prepend(uniVbe);
        script.append(uniVbe + u" -u");
    }
    script.append(
        u'"' + words.word(in.restartPath, ScriptWord::Kind::Quoted, u"Brivanel's own path") + u'"');
    if (!in.zipMagic.isEmpty()) {
        script.prepend(words.path(in.zipMagic, u"the ZipMagic location") + kZipMagicOff);
    }
    if (!words.ok()) {
        return std::nullopt;
    }
    return script.take();
}
