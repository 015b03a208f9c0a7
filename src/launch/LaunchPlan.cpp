#include "launch/LaunchPlan.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "launch/LaunchScript.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"

namespace {

// A tool takes part only when its location names a file; then in short form.
QString existingTool(const DosFileSystem& fs, const QString& location) {
    return fs.fileExists(location) ? fs.shortPath(location) : QString();
}

}  // namespace

QString launchRomName(const AppContext& ctx, const EmulatorDefinition& emulator,
                      const QString& shortName) {
    return shortName.isEmpty() ? QString() : GameDirectoryName(ctx, emulator, shortName);
}

bool isLaunchable(const EmulatorDefinition& emulator, const QString& romName) {
    return !romName.isEmpty() || emulator.isSingle();
}

std::optional<QStringList> launchLines(const AppContext& ctx, const EmulatorDefinition& emulator,
                                       const LaunchRequest& request, ScriptWords& words,
                                       QString* emulatorLine) {
    const DosFileSystem& fs = ctx.fs();
    LaunchScriptInput in;
    in.executable = fs.shortPath(request.emulatorLocation);
    in.emulatorDirectory = DosPath::withTrailingBackslash(DosPath::directoryPart(in.executable));
    in.location = fs.shortPath(request.location);
    in.programDirectory = ctx.ProgramDirectory();
    in.restartPath = ctx.executablePath();
    in.shortName = request.shortName;
    in.romName = launchRomName(ctx, emulator, request.shortName);
    in.parentName = in.romName.isEmpty() ? in.romName : ParentName(ctx, emulator, in.romName);
    in.pkzip = fs.shortPath(request.tools.pkzip);
    in.pkunzip = existingTool(fs, request.tools.pkunzip);
    in.zipMagic = fs.fileExists(request.tools.zipMagic) ? request.tools.zipMagic : QString();
    in.joyEmu = existingTool(fs, request.tools.joyEmu);
    in.uniVbe = existingTool(fs, request.tools.uniVbe);
    in.keyFile = request.keyFile.isEmpty() ? QString() : fs.shortPath(request.keyFile);
    // The command line names the game by one of two words; only that one is written.
    if (gameNameIsFileName(emulator.gameSwitch)) {
        words.name(DosPath::fileNamePart(in.location), u"the game's file name");
    } else if (!request.shortName.isEmpty()) {
        words.name(request.shortName, u"the short name");
    }
    in.commandLine = launchCommandLine(emulator, words.path(in.executable, u"the emulator"),
                                       request.shortName, in.location, request.choices);
    if (emulatorLine != nullptr) {
        *emulatorLine = in.commandLine;
    }
    return launchScript(emulator, in, words);
}
