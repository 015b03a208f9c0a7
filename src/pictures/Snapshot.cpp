#include "pictures/Snapshot.h"

#include <QDir>

#include "pictures/PictureIndex.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"

namespace {

bool isPicture(const QString& name) {
    const QString upper = name.toUpper();
    for (const QString& extension : PictureExtensions()) {
        if (upper.endsWith(extension)) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString SnapshotFolder(const QString& emulatorLocation) {
    return DosPath::directoryPart(emulatorLocation) + u"snap\\";
}

QString NewestSnapshot(const DosFileSystem& fs, const QString& snapshotFolder,
                       const QString& shortName) {
    if (shortName.isEmpty()) {
        return {};
    }
    const QString gameFolder = snapshotFolder + shortName;
    if (fs.directoryExists(gameFolder)) {
        // MAME numbers its snapshots up from 0000: the last name is the newest.
        QString newest;
        for (const DosEntry& entry : fs.list(gameFolder)) {
            if (!entry.isDirectory && !entry.isHidden && isPicture(entry.name) &&
                entry.name.compare(newest, Qt::CaseInsensitive) > 0) {
                newest = entry.name;
            }
        }
        if (!newest.isEmpty()) {
            return gameFolder + u'\\' + newest;
        }
    }
    const QString own = gameFolder + u".png";
    return fs.fileExists(own) ? own : QString();
}

QString CopySnapshot(const DosFileSystem& fs, const QString& snapshot, const QString& pictureFolder,
                     const QString& shortName) {
    const QString target = pictureFolder + shortName + DosPath::extension(snapshot);
    if (snapshot.isEmpty() || fs.exists(target)) {
        return {};
    }
    const std::optional<QByteArray> picture = fs.readFile(snapshot);
    const QString folder = fs.hostPath(pictureFolder);
    if (!picture || folder.isEmpty() || !QDir().mkpath(folder) || !fs.writeFile(target, *picture)) {
        return {};
    }
    return target;
}
