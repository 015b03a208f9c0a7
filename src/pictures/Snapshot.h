#pragma once

#include <QString>

class DosFileSystem;

// MAME keeps the snapshots its snapshot key takes in snap\ below the folder
// it is started in, which is the emulator's folder, one folder per game
// (snap\<short name>\0000.png, 0001.png ...) or one file per game
// (snap\<short name>.png), as its "snapname" says.

// The snapshot folder of the emulator whose executable lies at `emulatorLocation`.
QString SnapshotFolder(const QString& emulatorLocation);

// The game's newest snapshot: the last picture file by name in the game's
// folder of snapshots, else its own file there; "" when there is none.
QString NewestSnapshot(const DosFileSystem& fs, const QString& snapshotFolder,
                       const QString& shortName);

// Copies the snapshot to `target` (a picture folder, the short name and the
// snapshot's extension) unless something is there already, which is the
// user's. Returns the path written, or "" when nothing was.
QString CopySnapshot(const DosFileSystem& fs, const QString& snapshot, const QString& pictureFolder,
                     const QString& shortName);
