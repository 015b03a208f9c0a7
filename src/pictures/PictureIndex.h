#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tools/DirectoryWalker.h"

class DosFileSystem;
struct AppState;

// The picture index: every picture file below <program directory>BITMAPS,
// upper-cased, in walk order; kept in memory and in picture.dir.

// The name fragments a file is indexed by, in the order the walk is given
// them: the nine of the original program, then PNG, which current
// emulators save their snapshots as.
QStringList PictureExtensions();

// picture.dir's lines; CR, LF and CR LF all end a line.
QStringList ReadPictureIndex(const QByteArray& content);
// Each line followed by CR LF; nothing else.
QByteArray PictureIndexFileContent(const QStringList& index);

// Walks <program directory>bitmaps into the walk accumulator, with the
// wanted-suffix list set to the picture extensions, and makes the picture
// index a copy of it. A missing BITMAPS folder gives an empty index.
void BuildPictureIndex(const DosFileSystem& fs, AppState& state, const QString& programDirectory,
                       const DirectoryWalker::Progress& progress = {});

// Replaces <program directory>picture.dir with the index: a read-only old
// file is made writable and deleted first. False when it cannot be written.
bool SavePictureIndex(const DosFileSystem& fs, const QString& programDirectory,
                      const QStringList& index);
