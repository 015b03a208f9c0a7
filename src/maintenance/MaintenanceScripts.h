#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class DosFileSystem;

// The batch scripts of the game maintenance commands. Paths come in as DOS
// paths; the ones the scripts name are put in short form where the DOS tools
// need it. A script that would reach outside the game's own files is refused
// (nothing is returned).
namespace MaintenanceScripts {

// "C:": the line that makes a path's drive current.
QString driveLine(const QString& path);

// A pattern of [Config] ("hi\%sn%.hi") with its first "%sn%" replaced. The
// result must stay below the folder it is deleted from: no drive, no root,
// no "..", no wildcard, and a short name that is one plain name.
std::optional<QString> stateFileName(const QString& pattern, const QString& shortName);

struct GameFiles {
    QString shortName;         // S
    QString location;          // GL: the ROM archive or folder
    QString emulatorLocation;  // EL: the emulator's executable
};

// Deletes one per-game state file: from the emulator's folder, or from
// inside the game's archive with PKZIP's -d.
std::optional<QStringList> DeleteGameStateFile(const DosFileSystem& fs, const QString& pattern,
                                               const GameFiles& game, const QString& pkzip);

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
                                           const SampleSet& samples);

// Why deleting everything under the program directory must not happen: a
// drive root, the host's root or the user's home folder, or a folder that
// holds no emulator definition. Nothing when the folder is Brivanel's own.
std::optional<QString> UninstallRefusal(const DosFileSystem& fs, const QString& programDirectory,
                                        const QString& homeHostFolder);

// The program directory without its trailing backslash, as the question and
// the script name it.
QString uninstallFolder(const QString& programDirectory);
QStringList Uninstall(const QString& programDirectory);

}  // namespace MaintenanceScripts
