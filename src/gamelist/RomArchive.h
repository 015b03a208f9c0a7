#pragma once

#include <QString>

// The archive brivanel-makelist gives a console ROM: one entry, the ROM
// under the game's short name, and a comment that marks the archive as made
// here. Only such an archive is ever replaced; any other file of its name is
// the user's and stays as it is.
namespace RomArchive {

// Larger files are no console ROMs; the bound keeps a run finite. A ROM is
// read only when it is a regular file within it: a link to a device or a
// fifo would be read forever.
inline constexpr qint64 kMaxRomBytes = qint64(512) << 20;

// What a file already named like the game's archive is to this run.
struct Existing {
    bool madeHere = false;  // marked as made by this command, one entry
    bool holdsRom = false;  // exactly the ROM as `entryName`, nothing else
};
Existing inspect(const QString& archivePath, const QString& entryName, const QString& romPath);

// Puts the ROM into `archivePath` as `entryName`, through a new file beside
// it that is read back before it takes the name. `replace` allows an
// archive of that name (one made here) to be replaced; otherwise a file of
// that name is left as it is and the write fails. Empty on success.
QString write(const QString& archivePath, const QString& entryName, const QString& romPath,
              bool replace);

}  // namespace RomArchive
