#include "batch/DeletionGuard.h"

#include <QDir>
#include <QFileInfo>

#include "dosnames/DosWildcard.h"
#include "dosnames/ShortNames.h"
#include "platform/DosFileSystem.h"

namespace {

// Where a path really is. A symbolic link is itself removed, never what it
// points to, so only the folder holding it is followed.
QString locate(const QString& hostPath) {
    const QString clean = QDir::cleanPath(QDir(hostPath).absolutePath());
    const QFileInfo info(clean);
    if (info.isSymLink() || !info.exists()) {
        const QString parent = QFileInfo(info.path()).canonicalFilePath();
        if (parent.isEmpty()) {
            return clean;
        }
        return parent == u"/" ? QString(u'/' + info.fileName())
                              : QString(parent + u'/' + info.fileName());
    }
    return info.canonicalFilePath();
}

// Names of every shape a folder can hold; a pattern matching all of them
// may match anything.
bool matchesAnyName(const QString& pattern) {
    static const QStringList probes{
        QStringLiteral("a"),       QStringLiteral("A.B"),
        QStringLiteral("README"),  QStringLiteral("x."),
        QStringLiteral(".hidden"), QStringLiteral("a.b.c"),
        QStringLiteral("~1"),      QStringLiteral("a b.txt"),
        QStringLiteral("0"),       QStringLiteral("longer than eight.extension")};
    for (const QString& name : probes) {
        if (!DosWildcard::matches(pattern, name)) {
            return false;
        }
    }
    return true;
}

QString canonical(const QString& hostPath) {
    const QString found = QFileInfo(hostPath).canonicalFilePath();
    return found.isEmpty() ? QDir::cleanPath(hostPath) : found;
}

}  // namespace

DeletionGuard::DeletionGuard(const DriveMap& drives, const QString& homeFolder) {
    for (const auto& [letter, root] : drives.roots()) {
        protected_.append({canonical(root), QStringLiteral("the root of drive ") + letter + u':'});
    }
    if (!homeFolder.isEmpty()) {
        protected_.append({canonical(homeFolder), QStringLiteral("the user's home folder")});
    }
}

QString DeletionGuard::refusalToRemove(const QString& hostPath) const {
    const QString target = locate(hostPath);
    if (target == u"/") {
        return QStringLiteral("Refused: / is the host's root folder");
    }
    for (const Protected& p : protected_) {
        if (p.path == target) {
            return QStringLiteral("Refused: %1 is %2").arg(target, p.what);
        }
        if (p.path.startsWith(target + u'/')) {
            return QStringLiteral("Refused: %1 holds %2").arg(target, p.what);
        }
    }
    return QString();
}

QString DeletionGuard::refusalToEmpty(const QString& hostFolder) const {
    const QString target = canonical(hostFolder);
    if (target == u"/") {
        return QStringLiteral("Refused: / is the host's root folder");
    }
    for (const Protected& p : protected_) {
        if (p.path == target) {
            return QStringLiteral("Refused: %1 is %2").arg(target, p.what);
        }
    }
    return QString();
}

QString DeletionGuard::refusalToDeleteMatching(const QString& hostFolder,
                                               const QString& pattern) const {
    const QString refusal = refusalToEmpty(hostFolder);
    if (refusal.isEmpty() || matchesAnyName(pattern)) {
        return refusal;
    }
    const QList<DosEntry> entries = DosFileSystem::listHost(hostFolder);
    QStringList names;
    for (const DosEntry& e : entries) {
        names << e.name;
    }
    if (names.isEmpty()) {
        return QString();
    }
    const QStringList aliases = ShortNames::aliases(names);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!DosWildcard::matches(pattern, names[i]) &&
            !DosWildcard::matches(pattern, aliases[i])) {
            return QString();  // something stays
        }
    }
    return refusal;
}
