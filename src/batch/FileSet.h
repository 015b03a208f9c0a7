#pragma once

#include <QList>
#include <QString>

#include "batch/DosSession.h"
#include "batch/Outcome.h"

// The files and folders a path argument names: one exact path, or the
// entries of one folder that a wildcard in the last component matches.
struct FileSet {
    struct Entry {
        QString name;  // host name as it is on disk
        QString host;
        bool isDirectory = false;
    };

    QString dosPath;     // absolute
    QString hostFolder;  // the folder the last component is looked up in
    QString pattern;     // the last component as typed
    bool wildcard = false;
    // When the drive or the folder does not exist `entries` is empty.
    enum class Problem { None, InvalidDrive, PathNotFound };
    Problem problem = Problem::None;
    QList<Entry> entries;

    // Wildcard matches leave hidden entries out unless asked for, as DOS does.
    static FileSet expand(const DosSession& session, const QString& typed,
                          bool includeHidden = false);
    // DOS's text for the problem.
    QString problemText() const;
};

// The entries of a host folder whose long name or 8.3 alias matches the pattern.
QList<FileSet::Entry> matchingEntries(const QString& hostFolder, const QString& pattern,
                                      bool includeHidden);
// DOS's text for a drive letter that names no drive.
QString invalidDriveText();
// That text for an unmapped drive in an absolute path, else empty.
QString driveError(const DosSession& session, const QString& dosPath);
