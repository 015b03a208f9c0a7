#include "launch/LaunchPlan.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "launch/LaunchScript.h"
#include "platform/DosPath.h"

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
    if (romName.isEmpty()) {
        return emulator.isSingle();
    }
    // The name ends clean-up lines ("deltree /y C:\MAME\ROMS\<name>"): ".."
    // or "*" there would delete far more than the game's files.
    return DosPath::isSafeName(romName);
}

std::optional<QStringList> launchLines(const AppContext& ctx, const EmulatorDefinition& emulator,
                                       const LaunchRequest& request) {
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
    in.commandLine =
        launchCommandLine(emulator, in.executable, request.shortName, in.location, request.choices);
    return launchScript(emulator, in);
}
