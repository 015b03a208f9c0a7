#include "platform/DosPath.h"

namespace DosPath {

QString directoryPart(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    if (slash < 0) {
        return hasDrive(path) ? path.left(2) : QString();
    }
    return path.left(slash + 1);
}

QString fileNamePart(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    if (slash < 0) {
        return hasDrive(path) ? path.mid(2) : path;
    }
    return path.mid(slash + 1);
}

QString extension(const QString& path) {
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString withTrailingBackslash(const QString& path) {
    if (path.isEmpty() || path.endsWith(u'\\')) {
        return path;
    }
    return path + u'\\';
}

bool hasDrive(const QString& path) {
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 128;
}

QChar driveLetter(const QString& path) {
    return hasDrive(path) ? path[0].toUpper() : QChar();
}

bool isDriveRoot(const QString& path) {
    if (!hasDrive(path)) {
        return false;
    }
    const QString rest = path.mid(2);
    return rest.isEmpty() || rest == u"\\" || rest == u"/";
}

QStringList components(const QString& path) {
    const QString rest = hasDrive(path) ? path.mid(2) : path;
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == u'\\' || rest[i] == u'/') {
            const QString part = rest.mid(start, i - start);
            start = i + 1;
            if (part.isEmpty() || part == u".") {
                continue;
            }
            if (part == u"..") {
                if (!out.isEmpty()) {
                    out.removeLast();
                }
                continue;
            }
            out.append(part);
        }
    }
    return out;
}

bool isSafeName(const QString& name) {
    if (name.isEmpty() || name.count(u'.') == name.size()) {
        return false;  // nothing, ".", "..", "...": each names a folder, not a game
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace DosPath
