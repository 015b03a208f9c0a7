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
// A name that DosPath::isSafeName rejects is dropped as well.
QStringList CollectGameNames(const QStringList& lines);

// The same for the file; an unreadable file gives no games.
QStringList ReadGameNames(const DosFileSystem& fs, const QString& listFile);

}  // namespace ListFileGames
