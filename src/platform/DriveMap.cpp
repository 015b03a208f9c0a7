#include "platform/DriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString normalisedRoot(const QString& hostPath) {
    QString clean = QDir::cleanPath(QDir(hostPath).absolutePath());
    const QString canonical = QFileInfo(clean).canonicalFilePath();
    if (!canonical.isEmpty()) {
        clean = canonical;
    }
    return clean;
}

}  // namespace

void DriveMap::set(QChar letter, const QString& hostRoot) {
    const QChar upper = letter.toUpper();
    if (upper.unicode() < 'A' || upper.unicode() > 'Z' || hostRoot.isEmpty()) {
        return;
    }
    roots_[upper] = normalisedRoot(hostRoot);
}

QString DriveMap::hostRoot(QChar letter) const {
    const auto it = roots_.find(letter.toUpper());
    return it == roots_.end() ? QString() : it->second;
}

QString DriveMap::toString() const {
    QStringList parts;
    for (const auto& [letter, root] : roots_) {
        parts << QString(letter) + u":=" + root;
    }
    return parts.join(u';');
}

DriveMap DriveMap::parse(const QString& spec) {
    DriveMap map;
    for (const QString& element : spec.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = element.indexOf(u'=');
        if (eq < 1) {
            continue;
        }
        const QString drive = element.left(eq).trimmed();
        const QString root = element.mid(eq + 1).trimmed();
        if ((drive.size() == 2 && drive[1] == u':') || drive.size() == 1) {
            map.set(drive[0], root);
        }
    }
    return map;
}

DriveMap DriveMap::fromDosDevices(const QString& folder) {
    DriveMap map;
    const QDir dir(folder);
    for (const QFileInfo& info :
         dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString name = info.fileName();
        if (name.size() != 2 || name[1] != u':' || !info.isSymLink()) {
            continue;
        }
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty() && QFileInfo(target).isDir()) {
            map.set(name[0], target);
        }
    }
    return map;
}

DriveMap DriveMap::fromEnvironment() {
    const QString spec = qEnvironmentVariable("BRIVANEL_DRIVES");
    if (!spec.trimmed().isEmpty()) {
        DriveMap map = parse(spec);
        if (!map.isEmpty()) {
            return map;
        }
    }
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) {
        prefix = QDir::homePath() + u"/.wine";
    }
    DriveMap wine = fromDosDevices(prefix + u"/dosdevices");
    if (!wine.isEmpty()) {
        return wine;
    }
    DriveMap map;
    map.set(u'C', QDir::homePath());
    map.set(u'Z', QStringLiteral("/"));
    return map;
}
