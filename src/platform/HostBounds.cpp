#include "platform/HostBounds.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace HostBounds {
namespace {

constexpr int kMaxLinkHops = 40;

// The folder resolved, the name kept; the path cleaned when the folder is missing.
QString withCanonicalFolder(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.path()).canonicalFilePath();
    if (folder.isEmpty()) {
        return path;
    }
    return folder == u"/" ? QString(u'/' + info.fileName())
                          : QString(folder + u'/' + info.fileName());
}

QString refusal(const DriveMap& drives, const QString& real, const QString& shown) {
    if (real.isEmpty()) {
        return QStringLiteral("Access denied - %1: too many symbolic links").arg(shown);
    }
    if (isOnDrive(drives, real)) {
        return QString();
    }
    return QStringLiteral("Access denied - %1: it leads to %2, outside every drive")
        .arg(shown, real);
}

}  // namespace

QString writeTarget(const QString& hostPath) {
    QString path = QDir::cleanPath(QDir(hostPath).absolutePath());
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        path = withCanonicalFolder(path);
        const QByteArray encoded = QFile::encodeName(path);
        struct stat st {};
        if (::lstat(encoded.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(encoded.constData(), buffer, sizeof buffer);
        if (length <= 0) {
            return path;
        }
        const QString target = QFile::decodeName(QByteArray(buffer, int(length)));
        path = QDir::cleanPath(target.startsWith(u'/') ? target
                                                       : QFileInfo(path).path() + u'/' + target);
    }
    return QString();
}

QString entryLocation(const QString& hostPath) {
    return withCanonicalFolder(QDir::cleanPath(QDir(hostPath).absolutePath()));
}

bool isOnDrive(const DriveMap& drives, const QString& realPath) {
    for (const auto& [letter, root] : drives.roots()) {
        if (root == u"/" || realPath == root || realPath.startsWith(root + u'/')) {
            return true;
        }
    }
    return false;
}

QString refusalToWrite(const DriveMap& drives, const QString& hostPath, const QString& shown) {
    return refusal(drives, writeTarget(hostPath), shown);
}

QString refusalToDelete(const DriveMap& drives, const QString& hostPath, const QString& shown) {
    return refusal(drives, entryLocation(hostPath), shown);
}

}  // namespace HostBounds
