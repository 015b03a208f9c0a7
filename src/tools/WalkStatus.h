#pragma once

#include <QString>

#include "tools/DirectoryWalker.h"

class DosFileSystem;
class StatusLine;
class StatusProgress;
struct AppState;

// A walk's progress in the status bar: each step's "Building List: ..." text
// and a bar counting the files collected so far in `collected`, as often as
// the bar can repaint without slowing down a walk of many thousand files.
DirectoryWalker::Progress WalkStatus(StatusProgress& progress, const QStringList& collected);

// "1,234 files found on C:;D:"
QString FilesFoundText(qsizetype count, const QString& drives);

// The drive search (DriveSearch::SearchDrives, also of the program folder)
// with its progress in the status bar, which then says how many files it
// found.
void SearchDrivesShowingProgress(const DosFileSystem& fs, AppState& state, const QString& drives,
                                 StatusLine& status, const QString& programFolder);
