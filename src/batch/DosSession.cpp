#include "batch/DosSession.h"

#include <QFileInfo>

#include "platform/DosPath.h"

bool DosSession::isMapped(QChar drive) const {
    return !drive.isNull() && !fs_.drives().hostRoot(drive).isEmpty();
}

QString DosSession::directory(QChar drive) const {
    if (drive.isNull()) {
        return QString();
    }
    const auto it = directories_.find(drive.toUpper());
    return it == directories_.end() ? QString(drive.toUpper()) + u":\\" : it->second;
}

QString DosSession::currentHostDirectory() const {
    const QString host = fs_.resolve(currentDirectory());
    return QFileInfo(host).isDir() ? host : QString();
}

void DosSession::setDrive(QChar drive) {
    drive_ = drive.toUpper();
}

void DosSession::setDirectory(const QString& dosDirectory) {
    const QChar drive = DosPath::driveLetter(dosDirectory);
    if (!drive.isNull()) {
        directories_[drive] = dosDirectory;
    }
}

void DosSession::startIn(const QString& dosDirectory) {
    setDrive(DosPath::driveLetter(dosDirectory));
    setDirectory(absolute(dosDirectory));
}

QString DosSession::absolute(const QString& typed) const {
    QChar drive = drive_;
    QString rest = typed;
    if (DosPath::hasDrive(typed)) {
        drive = DosPath::driveLetter(typed);
        rest = typed.mid(2);
    }
    if (drive.isNull()) {
        return QString();
    }
    const bool fromRoot = rest.startsWith(u'\\') || rest.startsWith(u'/');
    const QString full = fromRoot
                             ? QString(QString(drive) + u':' + rest)
                             : QString(DosPath::withTrailingBackslash(directory(drive)) + rest);
    const QStringList parts = DosPath::components(full);
    return QString(drive) + u":\\" + parts.join(u'\\');
}

QString DosSession::dosFormOnDrive(QChar drive, const QString& hostPath) const {
    const QString root = fs_.drives().hostRoot(drive);
    QString rest;
    if (root == u"/") {
        rest = hostPath.mid(1);
    } else if (hostPath.startsWith(root + u'/')) {
        rest = hostPath.mid(root.size() + 1);
    }
    rest.replace(u'/', u'\\');
    return QString(drive.toUpper()) + u":\\" + rest;
}
