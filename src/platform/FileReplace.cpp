#include "platform/FileReplace.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace FileReplace {
namespace {

QString linkTarget(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info.isSymLink() ? QString() : info.absoluteFilePath();
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Written straight to the file, so that the first short write tells why.
QString written(QFile& file, const QByteArray& content) {
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t n =
            ::write(file.handle(), content.constData() + done, size_t(content.size() - done));
        if (n < 0 && errno != EINTR) {
            return systemError();
        }
        done += n > 0 ? n : 0;
    }
    // A disk that fills while the data leaves the cache fails only here.
    if (::fsync(file.handle()) != 0) {
        return systemError();
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    QFile back(file.fileName());
    if (!back.open(QIODevice::ReadOnly)) {
        return back.errorString();
    }
    if (back.read(content.size() + 1) != content) {
        return QStringLiteral("the file read back differs from what was written");
    }
    return {};
}

}  // namespace

QString replace(const QString& path, const QByteArray& content) {
    const QString target = linkTarget(path);
    if (target.isEmpty()) {
        return QStringLiteral("cannot write %1: too many links").arg(path);
    }
    const QFileInfo info(target);
    QFile file;
    for (int n = 0; n < 100 && !file.isOpen(); ++n) {
        file.setFileName(QStringLiteral("%1/.%2.new-%3-%4")
                             .arg(info.absolutePath(), info.fileName())
                             .arg(::getpid())
                             .arg(n));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
            !file.exists()) {
            break;
        }
    }
    if (!file.isOpen()) {
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    if (info.exists()) {
        file.setPermissions(info.permissions());
    }
    QString problem = written(file, content);
    if (problem.isEmpty() && std::rename(QFile::encodeName(file.fileName()).constData(),
                                         QFile::encodeName(target).constData()) != 0) {
        problem = systemError();
    }
    if (!problem.isEmpty()) {
        QFile::remove(file.fileName());
        return QStringLiteral("cannot write %1: %2").arg(path, problem);
    }
    return {};
}

}  // namespace FileReplace
