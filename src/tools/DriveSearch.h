#pragma once

#include <QString>
#include <QStringList>

#include "tools/DirectoryWalker.h"

class DosFileSystem;
class EmulatorTable;

// The one-pass search of the paths to search for everything that may be an
// emulator, a ROM image or a tool program.
namespace DriveSearch {

// ".EXE", ".ZIP", then "." + every word of each emulator's Extensions in
// table order (anything but ASCII letters and digits separates words;
// duplicates stay). Extensions made of punctuation only add ".".
QStringList BuildWantedSuffixes(const EmulatorTable& emulators);

// The elements of the paths to search: split at ";", each kept exactly as
// typed, empty ones dropped. After each separator the rest of the text is
// cut to 255 characters.
QStringList SplitSearchPaths(const QString& drivesText);

// Whether walking the elements reaches `folder` (a DOS path in long form):
// it lies below one of them and no folder on the way down is hidden.
bool ReachesFolder(const QStringList& elements, const QString& folder);

// The paths to search with every Linux path ("/home/me/roms", "~/roms",
// "~" being `homeFolder`) turned into its DOS path; `refused` holds, as
// typed, those that lie on no drive. Other elements stay as typed.
struct DosPaths {
    QString drivesText;
    QStringList refused;
};
DosPaths ToDosSearchPaths(const DosFileSystem& fs, const QString& drivesText,
                          const QString& homeFolder);

// What the user is told of the refused paths.
QString RefusedPathsMessage(const QStringList& refused);

// The elements below which the found-files list has no file, as typed.
QStringList PathsWithoutFiles(const QStringList& elements, const QStringList& foundFiles);

// Walks every element of `drivesText` for the wanted suffixes of the
// emulators and returns what it found: the new found-files list. The
// program folder (long DOS form; empty for none) is walked after them when
// they do not reach it, so that the tools and launchers installed there are
// found also when it lies in a hidden folder such as ~/.local/share.
QStringList SearchDrives(const DosFileSystem& fs, const EmulatorTable& emulators,
                         const QString& drivesText, const DirectoryWalker::Progress& progress = {},
                         const QString& programFolder = {});

}  // namespace DriveSearch
