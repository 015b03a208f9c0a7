#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "launch/LaunchCommandLine.h"
#include "tools/ToolLocations.h"

class AppContext;
struct EmulatorDefinition;
class ScriptWords;

// What the launch reads about the selected entry and the window.
struct LaunchRequest {
    QString shortName;         // the entry's "Shortname"
    QString location;          // the entry's "Location"
    QString emulatorLocation;  // the emulator's "Location"
    PanelChoices choices;
    QString keyFile;  // JoyEmu's key file, trimmed
    ToolLocations tools;
};

// The ROM name R: the short name's "Directories" entry in the list file,
// else the short name; empty without a short name.
QString launchRomName(const AppContext& ctx, const EmulatorDefinition& emulator,
                      const QString& shortName);
// Only a SINGLE emulator's own entry plays without a ROM name.
bool isLaunchable(const EmulatorDefinition& emulator, const QString& romName);

// The lines of Execute.bat: paths in short form, tools that exist, the
// names from the list and merge files. Nothing when a word of them may not
// be written (`words` tells why), or when the game must be unzipped and
// PKUNZIP is not there. `emulatorLine`, when given, receives the line that
// runs the emulator.
std::optional<QStringList> launchLines(const AppContext& ctx, const EmulatorDefinition& emulator,
                                       const LaunchRequest& request, ScriptWords& words,
                                       QString* emulatorLine = nullptr);
