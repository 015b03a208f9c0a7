#include "launch/LaunchScript.h"

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosPath.h"

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

void prependPromMergeLines(ScriptLines& script, const LaunchScriptInput& in) {
    const QString& r = in.romName;
    const QString& e = in.emulatorDirectory;
    const QString& p = in.programDirectory;
    script.prepend(u"deltree /y " + p + r);
    script.prepend(in.pkzip + u' ' + in.location + u' ' + p + r + u"\\*.*");
    script.prepend(u"attrib " + in.location + u" -r");
    script.prepend(in.pkunzip + u' ' + e + u"allproms.zip " + r + u"\\*.* " + p + r + u" -d");
    script.prepend(in.pkunzip + u' ' + e + u"bigprom.zip " + r + u"\\*.* " + p + r + u" -d");
}

void addZippedRomDirectoryLines(ScriptLines& script, const EmulatorDefinition& emulator,
                                const LaunchScriptInput& in) {
    const QString& e = in.emulatorDirectory;
    const QString zipDirectory = DosPath::directoryPart(in.location);
    if (zipDirectory.toUpper() == (e + emulator.zippedRomPath).toUpper()) {
        return;
    }
    const QString zp = emulator.zippedRomPath.chopped(1);
    const bool mame = emulator.type == u"MAME";
    script.prepend(u"copy " + in.location + u' ' + e + zp);
    if (mame) {
        prependPromMergeLines(script, in);
    }
    if (in.parentName != in.romName && in.location.toUpper().contains(in.romName.toUpper())) {
        const QString parentZip = in.parentName + u".zip";
        script.prepend(u"copy " + zipDirectory + parentZip + u' ' + e + zp);
        if (mame) {
            prependPromMergeLines(script, in);
        }
        script.append(u"deltree /y " + e + emulator.zippedRomPath + parentZip);
    }
    script.append(u"deltree /y " + e + emulator.zippedRomPath + in.romName + u".zip");
}

void addUnzipLines(ScriptLines& script, const EmulatorDefinition& emulator,
                   const LaunchScriptInput& in) {
    const QString& e = in.emulatorDirectory;
    const QString romFolder = e + emulator.romPath;
    if (emulator.type == u"CONSOLE") {
        script.prepend(in.pkunzip + u' ' + in.location + u' ' + romFolder + u" -d -o");
        for (const QString& extension : emulator.extensions.split(u' ', Qt::SkipEmptyParts)) {
            script.append(u"deltree /y " + romFolder + in.romName + u'.' + extension);
        }
        return;
    }
    if (emulator.emulatorId == u"RAGE") {
        script.prepend(in.pkunzip + u" -d -o " + e + u"ragepack.zip");
        script.prepend(QStringLiteral("attrib -r /s"));
        script.prepend(u"cd " + e);
    }
    script.prepend(in.pkunzip + u' ' + in.location + u' ' + romFolder + in.romName + u" -d -o");
    if (in.parentName != in.shortName) {
        script.prepend(in.pkunzip + u' ' + DosPath::directoryPart(in.location) + in.parentName +
                       u' ' + romFolder + in.romName + u" -d -o");
    }
    script.append(u"deltree /y " + romFolder + in.romName);
}

}  // namespace

std::optional<QStringList> launchScript(const EmulatorDefinition& emulator,
                                        const LaunchScriptInput& in) {
    ScriptLines script;
    script.append(in.executable.left(2));
    script.append(u"cd " + in.emulatorDirectory);
    script.append(in.commandLine);
    if (in.location.toLower().contains(u".zip")) {
        if (!emulator.zippedRomPath.isEmpty()) {
            addZippedRomDirectoryLines(script, emulator, in);
        } else if (in.pkunzip.isEmpty()) {
            return std::nullopt;
        } else {
            addUnzipLines(script, emulator, in);
        }
    }
    if (emulator.showJoyEmu && !in.keyFile.isEmpty() && !in.joyEmu.isEmpty()) {
        script.prepend(in.joyEmu + u" k" + in.keyFile);
        script.append(in.joyEmu + u" u");
    }
    if (!in.uniVbe.isEmpty()) {
        script.prepend(in.uniVbe);
        script.append(in.uniVbe + u" -u");
    }
    script.append(u'"' + in.restartPath + u'"');
    if (!in.zipMagic.isEmpty()) {
        script.prepend(in.zipMagic + u" /e-");
    }
    return script.take();
}
