#include "tools/FoundFiles.h"

#include "tools/WalkStatus.h"

QString FindInFoundFiles(const QStringList& list, const QString& name, bool firstMatch) {
    const QString key = name.toUpper();
    QStringList hits;
    for (const QString& entry : list) {
        if (entry.contains(key)) {
            if (firstMatch) {
                return entry;
            }
            hits << entry;
        }
    }
    QString joined = hits.join(u'\r');
    // Trailing blanks and control characters go, as the all-matches text is trimmed.
    while (!joined.isEmpty() && joined.back().unicode() <= u' ') {
        joined.chop(1);
    }
    return joined;
}

std::optional<QString> LocateExecutable(const QStringList& foundFiles, const QString& name) {
    const QString path = FindInFoundFiles(foundFiles, name, true);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

FoundFiles::FoundFiles(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("FoundFiles"));
}

void FoundFiles::SearchDrives(const DosFileSystem& fs, const EmulatorTable& emulators,
                              const QString& drives, StatusLine& status,
                              const QString& programFolder) {
    paths_ = SearchDrivesShowingProgress(fs, emulators, drives, status, programFolder);
}
