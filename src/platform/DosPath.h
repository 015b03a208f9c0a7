#pragma once

#include <QString>
#include <QStringList>

// String helpers for DOS paths ("C:\MAME\MAME.EXE"). They never touch the disk.
namespace DosPath {

// "C:\A\B.ZIP" -> "C:\A\"; a path without a backslash gives "".
QString directoryPart(const QString& path);
// "C:\A\B.ZIP" -> "B.ZIP".
QString fileNamePart(const QString& path);
// "C:\A\B.ZIP" -> ".ZIP"; "" when the name has no dot.
QString extension(const QString& path);
// Appends a backslash unless the text is empty or already ends in one.
QString withTrailingBackslash(const QString& path);
// True for "X:" followed by nothing, "\" or "/".
bool isDriveRoot(const QString& path);
// The drive letter of "X:..." upper-cased, or a null QChar.
QChar driveLetter(const QString& path);
// True when the text starts with a drive letter and a colon.
bool hasDrive(const QString& path);
// Components after the drive, split at "\" or "/", "." dropped and ".." applied.
QStringList components(const QString& path);

// Whether a short name or ROM name of a list or merge file can stand as one
// plain component of a path and one word of a script line. Launch and
// clean-up lines put it after a folder ("deltree /y <folder>\<name>"), so
// "..", "*", "\", "a\..\..", "C:x" or a control character would reach
// other files than the game's own.
bool isSafeName(const QString& name);

}  // namespace DosPath
