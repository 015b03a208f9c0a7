#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tools/DirectoryWalker.h"

class DosFileSystem;

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

// Walks <program directory>bitmaps for the picture extensions and returns
// what it found: the new picture index. A missing BITMAPS folder gives an
// empty index.
QStringList BuildPictureIndex(const DosFileSystem& fs, const QString& programDirectory,
                              const DirectoryWalker::Progress& progress = {});

// Replaces <program directory>picture.dir with the index: a read-only old
// file is made writable and deleted first. False when it cannot be written.
bool SavePictureIndex(const DosFileSystem& fs, const QString& programDirectory,
                      const QStringList& index);
