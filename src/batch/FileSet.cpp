#include "batch/FileSet.h"

#include <QFileInfo>

#include "dosnames/DosWildcard.h"
#include "dosnames/ShortNames.h"
#include "platform/DosPath.h"

namespace {

QString joinHost(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

}  // namespace

QList<FileSet::Entry> matchingEntries(const QString& hostFolder, const QString& pattern,
                                      bool includeHidden) {
    const QList<DosEntry> listed = DosFileSystem::listHost(hostFolder);
    QStringList names;
    for (const DosEntry& e : listed) {
        names << e.name;
    }
    const QStringList aliases = ShortNames::aliases(names);
    QList<FileSet::Entry> out;
    for (qsizetype i = 0; i < listed.size(); ++i) {
        const DosEntry& e = listed[i];
        if (e.isHidden && !includeHidden) {
            continue;
        }
        if (DosWildcard::matches(pattern, e.name) || DosWildcard::matches(pattern, aliases[i])) {
            out.append({e.name, joinHost(hostFolder, e.name), e.isDirectory});
        }
    }
    return out;
}

QString invalidDriveText() {
    return QStringLiteral("Invalid drive");
}

QString driveError(const DosSession& session, const QString& dosPath) {
    return dosPath.isEmpty() || !session.isMapped(DosPath::driveLetter(dosPath))
               ? invalidDriveText()
               : QString();
}

QString FileSet::problemText() const {
    switch (problem) {
        case Problem::InvalidDrive:
            return invalidDriveText();
        case Problem::PathNotFound:
            return QStringLiteral("Path not found");
        case Problem::None:
            break;
    }
    return QString();
}

FileSet FileSet::expand(const DosSession& session, const QString& typed, bool includeHidden) {
    FileSet set;
    set.dosPath = session.absolute(typed);
    if (!driveError(session, set.dosPath).isEmpty()) {
        set.problem = Problem::InvalidDrive;
        return set;
    }
    const QStringList parts = DosPath::components(set.dosPath);
    set.pattern = parts.isEmpty() ? QString() : parts.last();
    set.wildcard = DosWildcard::hasWildcards(set.pattern);
    if (!set.wildcard) {
        const QString host = session.fs().resolve(set.dosPath);
        set.hostFolder = parts.isEmpty() ? host : QFileInfo(host).path();
        if (!host.isEmpty()) {
            set.entries.append({QFileInfo(host).fileName(), host, QFileInfo(host).isDir()});
        } else if (session.fs().resolve(DosPath::directoryPart(set.dosPath)).isEmpty()) {
            set.problem = Problem::PathNotFound;
        }
        return set;
    }
    set.hostFolder = session.fs().resolve(DosPath::directoryPart(set.dosPath));
    if (set.hostFolder.isEmpty() || !QFileInfo(set.hostFolder).isDir()) {
        set.problem = Problem::PathNotFound;
        return set;
    }
    set.entries = matchingEntries(set.hostFolder, set.pattern, includeHidden);
    return set;
}
