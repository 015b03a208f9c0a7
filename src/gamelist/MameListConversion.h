#pragma once

#include <QString>
#include <QStringList>

class DosFileSystem;

// A MAME-type emulator prints its games ("-listfull") and clones
// ("-listclones") as columns: a header line, then one row per set with the
// short name padded to a column and the full name (in double quotes) or the
// parent name after it. These functions turn that output into the list file
// ("[Games]", short name "=" full name) and the merge file ("[Merged]",
// clone "=" parent) that the profile reader reads.
namespace MameListConversion {

// 0-based index of the column that old emulators leave blank between the
// name and the rest: character position 10 of a game row, 9 of a clone row.
inline constexpr int kGameColumn = 9;
inline constexpr int kCloneColumn = 8;

// One row with "=" between the name and the rest. Old emulators pad every
// name to the fixed column, so a row whose name ends before the column and
// has only blanks up to it gets "=" exactly there. Current emulators print
// longer names that run past the column; their row gets "=" in place of the
// first blank after the name (or before a quote that follows the name
// directly). A row with neither stays as it is and names no game.
QString PlaceSeparator(const QString& row, int column);

// The emulator's "-listfull" output as list file lines: the header replaced
// by "[Games]", every further row separated at kGameColumn.
QStringList ConvertGameList(const QStringList& output);
// The "-listclones" output as merge file lines under "[Merged]".
QStringList ConvertCloneList(const QStringList& output);

// The merge file beside a list file: the same path with the extension ".MRG".
QString MergeFilePath(const QString& listFile);

// Converts the list file and, when it exists, its merge file in place.
// False when the list file could not be read or written.
bool ConvertListFiles(const DosFileSystem& fs, const QString& listFile);

}  // namespace MameListConversion
