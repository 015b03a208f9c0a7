#include "platform/ShortNames.h"

#include <QHash>

namespace ShortNames {
namespace {

bool isShortChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 128) {
        return false;
    }
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')) {
        return true;
    }
    return QStringView(u"!#$%&'()-@^_`{}~").contains(c);
}

QString keepShortChars(const QString& text, qsizetype limit) {
    QString out;
    for (const QChar c : text) {
        if (out.size() == limit) {
            break;
        }
        const QChar upper = c.toUpper();
        if (isShortChar(upper)) {
            out.append(upper);
        }
    }
    return out;
}

}  // namespace

bool isValidShortName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..") {
        return false;
    }
    const qsizetype dot = name.indexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString ext = dot < 0 ? QString() : name.mid(dot + 1);
    if (base.isEmpty() || base.size() > 8 || ext.size() > 3 || ext.contains(u'.')) {
        return false;
    }
    if (dot >= 0 && ext.isEmpty()) {
        return false;
    }
    for (const QChar c : QString(base + ext)) {
        if (!isShortChar(c)) {
            return false;
        }
    }
    return true;
}

QStringList aliases(const QStringList& sortedNames) {
    QStringList out;
    out.reserve(sortedNames.size());
    QHash<QString, int> stemCounts;
    for (const QString& name : sortedNames) {
        if (isValidShortName(name)) {
            out.append(name);
            continue;
        }
        const qsizetype dot = name.lastIndexOf(u'.');
        const bool hasExt = dot > 0 && dot < name.size() - 1;
        QString stem = keepShortChars(hasExt ? name.left(dot) : name, 6);
        if (stem.isEmpty()) {
            stem = QStringLiteral("_");
        }
        const QString ext = hasExt ? keepShortChars(name.mid(dot + 1), 3) : QString();
        const int n = ++stemCounts[stem];
        const QString number = QString::number(n);
        const QString shortStem = stem.left(std::max<qsizetype>(1, 7 - number.size()));
        QString alias = shortStem + u'~' + number;
        if (!ext.isEmpty()) {
            alias += u'.' + ext;
        }
        out.append(alias);
    }
    return out;
}

}  // namespace ShortNames
