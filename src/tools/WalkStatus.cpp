#include "tools/WalkStatus.h"

#include <QLocale>

#include "context/StatusProgress.h"
#include "tools/DriveSearch.h"

DirectoryWalker::Progress WalkStatus(StatusProgress& progress) {
    return [&progress](const WalkStep& step) {
        if (progress.due()) {
            progress.show(step.collected(), step.statusText());
        }
    };
}

QString FilesFoundText(qsizetype count, const QString& drives) {
    return QLocale().toString(count) + (count == 1 ? u" file found on " : u" files found on ") +
           drives;
}

QStringList SearchDrivesShowingProgress(const DosFileSystem& fs, const EmulatorTable& emulators,
                                        const QString& drives, StatusLine& status,
                                        const QString& programFolder) {
    StatusProgress progress(status);
    progress.begin(QStringLiteral("Building List: ") + drives + u"...", 0);
    QStringList found =
        DriveSearch::SearchDrives(fs, emulators, drives, WalkStatus(progress), programFolder);
    QString text = FilesFoundText(found.size(), drives);
    for (const QString& empty :
         DriveSearch::PathsWithoutFiles(DriveSearch::SplitSearchPaths(drives), found)) {
        text += u"; nothing found on " + empty;
    }
    progress.end(text);
    return found;
}
