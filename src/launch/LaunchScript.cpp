#include "launch/LaunchScript.h"

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
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

bool isThere(const LaunchScriptInput& in, const QString& path) {
    return in.exists && in.exists(path);
}

void prependPromMergeLines(ScriptLines& script, const LaunchScriptInput& in, ScriptWords& w) {
    const QString& r = w.name(in.romName, u"the ROM name");
    const QString& e = w.path(in.emulatorDirectory, u"the emulator's folder");
    const QString& p = w.path(in.programDirectory, u"the program folder");
    const QString& z = w.path(in.location, u"the game's archive");
    const QString& pkzip = w.tool(in.pkzip, u"the PKZIP location");
    const QString& pkunzip = w.tool(in.pkunzip, u"the PKUNZIP location");
    if (isThere(in, p + r)) {
        // Whatever lies there would be packed into the game's archive and then deleted.
        w.refuse(u"the work folder \"" + p + r + u"\" is there already");
    }
    script.prepend(u"deltree /y " + p + r);
    script.prepend(pkzip + u' ' + z + u' ' + p + r + u"\\*.*");
    script.prepend(u"attrib " + z + u" -r");
    script.prepend(pkunzip + u' ' + e + u"allproms.zip " + r + u"\\*.* " + p + r + u" -d");
    script.prepend(pkunzip + u' ' + e + u"bigprom.zip " + r + u"\\*.* " + p + r + u" -d");
}

// The clean-up deletes only what the copies put into the folder: an archive
// that lies there already is the user's own, neither overwritten nor deleted.
void addZippedRomDirectoryLines(ScriptLines& script, const EmulatorDefinition& emulator,
                                const LaunchScriptInput& in, ScriptWords& w) {
    const QString& e = w.path(in.emulatorDirectory, u"the emulator's folder");
    const QString& z = w.path(in.location, u"the game's archive");
    const QString zipDirectory = DosPath::directoryPart(z);
    const QString folder = w.path(e + emulator.zippedRomPath, u"the zipped-ROM folder");
    if (zipDirectory.toUpper() == folder.toUpper()) {
        return;
    }
    const QString zp = emulator.zippedRomPath.chopped(1);
    const bool mame = emulator.type == u"MAME";
    const QString copied = DosPath::fileNamePart(z);
    const bool copiesGame = !isThere(in, folder + copied);
    if (copiesGame) {
        script.prepend(u"copy " + z + u' ' + e + zp);
    }
    if (mame) {
        prependPromMergeLines(script, in, w);
    }
    if (in.parentName != in.romName && z.toUpper().contains(in.romName.toUpper())) {
        const QString parentZip = w.name(in.parentName, u"the parent name") + u".zip";
        const bool copiesParent = !isThere(in, folder + parentZip);
        if (copiesParent) {
            script.prepend(u"copy " + zipDirectory + parentZip + u' ' + e + zp);
        }
        if (mame) {
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
}

void addUnzipLines(ScriptLines& script, const EmulatorDefinition& emulator,
                   const LaunchScriptInput& in, ScriptWords& w) {
    const QString& e = w.path(in.emulatorDirectory, u"the emulator's folder");
    const QString& z = w.path(in.location, u"the game's archive");
    const QString& pkunzip = w.path(in.pkunzip, u"the PKUNZIP location");
    const QString romFolder = w.path(e + emulator.romPath, u"the ROM folder");
    if (emulator.type == u"CONSOLE") {
        script.prepend(pkunzip + u' ' + z + u' ' + romFolder + u" -d -o");
        for (const QString& extension : emulator.extensions.split(u' ', Qt::SkipEmptyParts)) {
            const QString file = romFolder + w.name(in.romName, u"the ROM name") + u'.' + extension;
            script.append(u"deltree /y " + w.path(file, u"the ROM file"));
        }
        return;
    }
    if (emulator.emulatorId == u"RAGE") {
        script.prepend(pkunzip + u" -d -o " + e + u"ragepack.zip");
        script.prepend(QStringLiteral("attrib -r /s"));
        script.prepend(u"cd " + e);
    }
    const QString& r = w.name(in.romName, u"the ROM name");
    script.prepend(pkunzip + u' ' + z + u' ' + romFolder + r + u" -d -o");
    if (in.parentName != in.shortName) {
        script.prepend(pkunzip + u' ' + DosPath::directoryPart(z) +
                       w.name(in.parentName, u"the parent name") + u' ' + romFolder + r +
                       u" -d -o");
    }
    script.append(u"deltree /y " + romFolder + r);
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
