#include "tools/WalkStatus.h"

#include <QLocale>

#include "context/AppState.h"
#include "context/StatusProgress.h"
#include "tools/DriveSearch.h"

DirectoryWalker::Progress WalkStatus(StatusProgress& progress, const QStringList& collected) {
    return [&progress, &collected](const WalkStep& step) {
        if (progress.due()) {
            progress.show(collected.size(), step.statusText());
        }
    };
}

QString FilesFoundText(qsizetype count, const QString& drives) {
    return QLocale().toString(count) + (count == 1 ? u" file found on " : u" files found on ") +
           drives;
}

void SearchDrivesShowingProgress(const DosFileSystem& fs, AppState& state, const QString& drives,
                                 StatusLine& status, const QString& programFolder) {
    StatusProgress progress(status);
    progress.begin(QStringLiteral("Building List: ") + drives + u"...", 0);
    DriveSearch::SearchDrives(fs, state, drives, WalkStatus(progress, state.walkAccumulator),
                              programFolder);
    progress.end(FilesFoundText(state.foundFiles.size(), drives));
}
