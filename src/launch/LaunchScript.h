#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct EmulatorDefinition;
class ScriptWords;

inline constexpr char16_t kCannotUnzipWarning[] =
    u"This ROM cannot be unzipped (cannot find PKUnzip.exe)";

// Everything the launch script is made of, in the forms the lines take:
// paths in short form except where a member says otherwise.
struct LaunchScriptInput {
    QString commandLine;
    QString executable;         // X
    QString emulatorDirectory;  // E, ending in "\"
    QString location;           // Z, the game's file or folder
    QString programDirectory;   // P, ending in "\"
    QString restartPath;        // the front-end's own path, in full
    QString shortName;          // S
    QString romName;            // R
    QString parentName;         // M
    // Tools: empty when the location names no existing file, except PKZIP,
    // whose location is written as it is.
    QString pkzip;
    QString pkunzip;
    QString zipMagic;  // as entered
    QString joyEmu;
    QString uniVbe;
    QString keyFile;  // JoyEmu's key file, trimmed
};

// The lines of Execute.bat for a launch, each word checked as its line is
// composed and each file the clean-up removes made by the script itself,
// looked for on the drives of `words`. Nothing when a word may not be
// written or a file is in the way (`words` tells why), or when the game must
// be unzipped and there is no PKUNZIP (kCannotUnzipWarning).
std::optional<QStringList> launchScript(const EmulatorDefinition& emulator,
                                        const LaunchScriptInput& in, ScriptWords& words);
