#include "platform/DriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

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
        parts << QString(letter) + u":=" + encodeRoot(root);
    }
    return parts.join(u';');
}

QString DriveMap::encodeRoot(const QString& root) {
    QString out;
    for (qsizetype i = 0; i < root.size(); ++i) {
        const QChar c = root[i];
        const bool edgeBlank = c.isSpace() && (i == 0 || i == root.size() - 1);
        if (c == u'%' || c == u';' || edgeBlank) {
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

QString DriveMap::decodeRoot(const QString& text) {
    // Only what encodeRoot writes is decoded; any other "%" stays, so a
    // hand-written map keeps its plain paths.
    static const QStringList escapes{QStringLiteral("%25"), QStringLiteral("%3B"),
                                     QStringLiteral("%20"), QStringLiteral("%09")};
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString three = text.mid(i, 3).toUpper();
        if (text[i] == u'%' && escapes.contains(three)) {
            out += QChar(three.mid(1).toUShort(nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

DriveMap DriveMap::parse(const QString& spec) {
    DriveMap map;
    for (const QString& element : spec.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = element.indexOf(u'=');
        if (eq < 1) {
            continue;
        }
        const QString drive = element.left(eq).trimmed();
        const QString root = decodeRoot(element.mid(eq + 1).trimmed());
        if ((drive.size() == 2 && drive[1] == u':') || drive.size() == 1) {
            map.set(drive[0], root);
        }
    }
    return map;
}

QString DriveMap::problemIn(const QString& form) {
    if (form.trimmed().isEmpty()) {
        return QStringLiteral("no drive in \"%1\"").arg(form);
    }
    QString seen;
    for (const QString& element : form.split(u';', Qt::SkipEmptyParts)) {
        if (element.trimmed().isEmpty()) {
            continue;
        }
        const qsizetype eq = element.indexOf(u'=');
        const QString drive = element.left(std::max<qsizetype>(eq, 0)).trimmed();
        const QChar letter = drive.isEmpty() ? QChar() : drive[0].toUpper();
        const bool letterOk = letter.unicode() >= 'A' && letter.unicode() <= 'Z' &&
                              (drive.size() == 1 || (drive.size() == 2 && drive[1] == u':'));
        if (eq < 1 || !letterOk) {
            return QStringLiteral("\"%1\" is not of the form X:=/host/folder").arg(element);
        }
        if (!decodeRoot(element.mid(eq + 1).trimmed()).startsWith(u'/')) {
            return QStringLiteral("\"%1\" does not name an absolute host folder").arg(element);
        }
        if (seen.contains(letter)) {
            return QStringLiteral("drive %1: is given twice").arg(letter);
        }
        seen += letter;
    }
    return seen.isEmpty() ? QStringLiteral("no drive in \"%1\"").arg(form) : QString();
}

QString DriveMap::environmentProblem() {
    if (!qEnvironmentVariableIsSet("BRIVANEL_DRIVES")) {
        return QString();
    }
    const QString problem = problemIn(qEnvironmentVariable("BRIVANEL_DRIVES"));
    return problem.isEmpty() ? QString() : QStringLiteral("BRIVANEL_DRIVES: ") + problem;
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
    if (qEnvironmentVariableIsSet("BRIVANEL_DRIVES")) {
        // Set but unusable gives no drive at all: falling back to home as C:
        // would point a script's deletions at folders it never meant.
        const QString spec = qEnvironmentVariable("BRIVANEL_DRIVES");
        return problemIn(spec).isEmpty() ? parse(spec) : DriveMap();
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
