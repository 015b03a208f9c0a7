#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class DosFileSystem;
class ScriptWords;

// The batch scripts of the game maintenance commands. Paths come in as DOS
// paths; the ones the scripts name are put in short form where the DOS tools
// need it. A script with a word that its line cannot hold, or that would
// reach outside the game's own files, is refused: nothing is returned and
// `words` tells why.
namespace MaintenanceScripts {

// "C:": the line that makes a path's drive current.
QString driveLine(const QString& path);

struct GameFiles {
    QString shortName;         // S
    QString location;          // GL: the ROM archive or folder
    QString emulatorLocation;  // EL: the emulator's executable
};

// Deletes one per-game state file, a [Config] pattern ("hi\%sn%.hi") with
// its first "%sn%" replaced by the short name, in the emulator's folder; for
// a zipped game also from inside the archive with PKZIP's -d first.
std::optional<QStringList> DeleteGameStateFile(const DosFileSystem& fs, const QString& pattern,
                                               const GameFiles& game, const QString& pkzip,
                                               ScriptWords& words);

struct SampleSet {
    QString chosenZip;  // the zipped samples the user chose
    QString romPath;    // [Emulator] ROMPath, with its trailing backslash when set
    QString samplesPath;
    QString pkzip;  // the tool paths as typed
    QString pkunzip;
    bool pkzipExists = false;
};

// The emulator's folder in short form with its trailing backslash: where the
// sample dialog starts.
QString emulatorFolder(const DosFileSystem& fs, const QString& emulatorLocation);

// Unpacks the samples below the game's folder and, for a zipped game, moves
// that folder into its archive.
std::optional<QStringList> AddSoundSamples(const DosFileSystem& fs, const GameFiles& game,
                                           const SampleSet& samples, ScriptWords& words);

// Why deleting everything under the program directory must not happen: a
// drive root, the host's root or the user's home folder, or a folder that
// holds no emulator definition. Nothing when the folder is Brivanel's own.
std::optional<QString> UninstallRefusal(const DosFileSystem& fs, const QString& programDirectory,
                                        const QString& homeHostFolder);

// The program directory without its trailing backslash, as the question and
// the script name it.
QString uninstallFolder(const QString& programDirectory);
std::optional<QStringList> Uninstall(const QString& programDirectory, ScriptWords& words);

}  // namespace MaintenanceScripts
