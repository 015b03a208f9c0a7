#pragma once

#include <QHash>
#include <QString>
#include <optional>

class AppContext;
class EmulatorTable;
class SettingsStore;
class DosFileSystem;

// The steps of start-up and shutdown that need no window.
namespace StartupLogic {

// The two emulator keys renamed when an older store is migrated.
inline constexpr char16_t kOldIkariKey[] = u"Ikari Warriors {Nils Aarberg}";
inline constexpr char16_t kNewRageKey[] = u"RAGE {Nils Aarberg, Tova Brandt}";

enum class LoadResult { Loaded, NoIniFile, NoDefinition };

// Finds the definitions, orders them by list-file size and reads them into
// the table with their "ROMLocation". The platforms of the table's previous
// load let a reload count a console emulator's shared list file. The table
// is left as it was unless definitions were found.
LoadResult LoadEmulators(const AppContext& ctx, EmulatorTable& emulators);

// Lines of a text file, or nothing when it does not exist.
std::optional<int> CountLines(const DosFileSystem& fs, const QString& dosPath);

// Increments "Count" of the entry named by "Current" when "Time" is more than
// 0.00035 days in the past, and sets "Time" to 0 then, so that a launch is
// counted once, and numbers the play among the recently played. The store's
// current key must be the root.
// Returns true when a play was counted.
bool CountPlay(SettingsStore& store, double now);

struct ViewSettings {
    std::optional<bool> byEmulator, showCount, showMissing, highQuality, hideMechanical;
};
ViewSettings ReadViewSettings(SettingsStore& root);

// Deletes the old emulator keys and moves the Ikari Warriors key.
void MigrateStore(SettingsStore& store);

// "C:", then ";D:" and ";E:" for those of the two drives with free space.
QString FirstStartDrives(const DosFileSystem& fs);

// At shutdown: "Current" and "Time" (now when a game was launched, else 0)
// when an entry is selected and the root still exists (never re-created),
// then "ROMLocation" of every emulator key.
void SaveOnShutdown(const AppContext& ctx, const EmulatorTable& emulators, bool gameLaunched,
                    const std::optional<QString>& currentEntry);

}  // namespace StartupLogic
