#pragma once

#include <QString>
#include <optional>

class DosFileSystem;
class ScriptWords;
class SettingsStore;

// "Remo&ve from list": a found game becomes a missing one, its ROM files
// deleted on request by a script; a missing game's entry goes altogether.
namespace RemoveFromList {

inline constexpr char16_t kMarkQuestion[] = u"This will cause this game to be marked as not found.";
inline constexpr char16_t kDeleteRomsQuestion[] = u"Would you like to delete the ROMs also?";
inline constexpr char16_t kRemoveQuestion[] = u"This game will be removed from the list.";

// Where the ROM files of a found game lie.
struct RomFiles {
    QString location;           // the entry's "Location": a file path or "Dir"
    QString emulatorDirectory;  // the emulator executable's directory, with its backslash
    QString romName;            // GameDirectoryName of the short name: the name that was found
    QString emulatorType;
    QString extensions;
};

// The script line that deletes the ROM files: "deltree /y " and the ROM file,
// or the ROM name's directory beside the emulator (a CONSOLE emulator's
// name followed by "." and its Extensions), in short form. Nothing when that
// path would not name exactly the game's own files (`words` tells why): no
// drive, a component that leaves its folder, or a word the line cannot hold.
std::optional<QString> RomDeletionLine(const DosFileSystem& fs, const RomFiles& rom,
                                       ScriptWords& words);

// The root's "Current" := the entry and its "Location" := "#". False, with
// nothing written, when the entry has no key.
bool MarkMissing(SettingsStore& store, const QString& entryName);

}  // namespace RemoveFromList
