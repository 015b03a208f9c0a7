#pragma once

#include <QString>
#include <QStringList>

class DosFileSystem;

// The game lines of a list file, reduced to their short names.
namespace ListFileGames {

// The first line is skipped whatever it holds; empty lines and lines
// beginning with ";" are dropped; every other line gives its text before the
// first "=", trimmed. A line that gives no name (no "=", such as a section
// header, or nothing before it) is dropped, and so is a name that came
// before (ignoring case, as the list file's keys do): handling one game
// twice in a build would only ask the user about its ROM again.
// A name that IsSafeName rejects is dropped as well.
QStringList CollectGameNames(const QStringList& lines);

// Whether a short name or ROM name of a list or merge file can stand as one
// plain component of a path and one word of a script line. Launch and
// clean-up lines put it after a folder ("deltree /y <folder>\<name>"), so
// "..", "*", "\", "a\..\..", "C:x" or a control character would reach
// other files than the game's own.
bool IsSafeName(const QString& name);

// The same for the file; an unreadable file gives no games.
QStringList ReadGameNames(const DosFileSystem& fs, const QString& listFile);

}  // namespace ListFileGames
