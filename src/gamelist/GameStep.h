#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "gamelist/RomLocation.h"

class AppContext;
class DosFileSystem;
class SettingsStore;
struct EmulatorDefinition;

// One game of a list build: whether its stored location still holds, the
// ROM search when it does not, and what is written to its entry.
namespace GameStep {

struct GameNames {
    QString shortName;  // as in the list file, surrounding blanks removed
    QString fullName;   // its value in [Games]: the entry name
};

// The names of a collected game line; nothing when the line has no short
// name or the short name no full name, since an entry needs a name (an
// empty one would be the root key itself), and nothing when the short name,
// its [Directories] value or its [Merged] parent is no safe name.
std::optional<GameNames> ResolveGameNames(const AppContext& ctx, const EmulatorDefinition& emulator,
                                          const QString& gameLine);

// A stored location still holds when it is "Dir" and the short name's
// directory beside the emulator is a game directory, or when it names an
// existing file by a full path ("X:...") that contains the short name
// (exact case, so a lower-case short name is searched again every time).
bool IsStoredLocationValid(const DosFileSystem& fs, const QString& location,
                           const QString& emulatorDirectory, const QString& shortName);

// Records `emulatorId` as a further emulator of the entry that `entry` has
// open: the first free "Emulator" + suffix gets it with "Shortname" +
// suffix; a suffix that names it already ends the walk, rewriting its short
// name when `rewriteShortName` is set.
void RecordFurtherEmulator(SettingsStore& entry, const QString& emulatorId,
                           const QString& shortName, bool rewriteShortName);

struct Outcome {
    enum class ListChange {
        None,          // the list box stays as it is
        AddAndSelect,  // the full name is added unless listed, and selected
        AddMissing,    // "[ full name ]" is added unless listed
    };
    ListChange listChange = ListChange::None;
    QString listItem;
    QString location;       // the location the game ends with, for LPath
    bool searched = false;  // the ROM search ran
    bool aborted = false;   // the user cancelled: nothing was written
};

// Handles the game for the emulator: checks its entry's stored location,
// runs `findRom` when it no longer holds, and writes the entry.
Outcome HandleGame(const AppContext& ctx, const EmulatorDefinition& emulator,
                   const GameNames& names, const QString& emulatorDirectory,
                   const std::function<RomLocation::Result()>& findRom);

}  // namespace GameStep
