#pragma once

#include <QString>

#include "tools/DirectoryWalker.h"

class DosFileSystem;
class EmulatorTable;
class StatusLine;
class StatusProgress;

// A walk's progress in the status bar: each step's "Building List: ..." text
// and a bar counting the files collected so far, as often as the bar can
// repaint without slowing down a walk of many thousand files.
DirectoryWalker::Progress WalkStatus(StatusProgress& progress);

// "1,234 files found on C:;D:"
QString FilesFoundText(qsizetype count, const QString& drives);

// The drive search (DriveSearch::SearchDrives, also of the program folder)
// with its progress in the status bar, which then says how many files it
// found and on which paths none; returns them.
QStringList SearchDrivesShowingProgress(const DosFileSystem& fs, const EmulatorTable& emulators,
                                        const QString& drives, StatusLine& status,
                                        const QString& programFolder);
