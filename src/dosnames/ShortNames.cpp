#include "dosnames/ShortNames.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

namespace ShortNames {
namespace {

constexpr int kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

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
    QStringList out(sortedNames.size());
    // Upper case: short names are ASCII, and DOS compares them ignoring case.
    QSet<QString> taken;
    taken.reserve(sortedNames.size());
    std::vector<qsizetype> needing;
    for (qsizetype i = 0; i < sortedNames.size(); ++i) {
        const QString& name = sortedNames[i];
        const qsizetype before = taken.size();
        if (isValidShortName(name)) {
            taken.insert(name.toUpper());
        }
        if (taken.size() > before) {
            out[i] = name;
        } else {
            needing.push_back(i);
        }
    }
    // Each shortened stem counts on from the number it gave last, whatever
    // the extension, so that a folder without clashes keeps the aliases it
    // always had; numbers already passed are never free again, which keeps a
    // folder of many names sharing a stem linear. The stem's narrowest width
    // still open is kept for the same reason.
    QHash<QString, int> nextNumber;
    QHash<QString, int> openWidth;
    for (const qsizetype i : needing) {
        const QString& name = sortedNames[i];
        const qsizetype dot = name.lastIndexOf(u'.');
        const bool hasExt = dot > 0 && dot < name.size() - 1;
        QString stem = keepShortChars(hasExt ? name.left(dot) : name, 6);
        if (stem.isEmpty()) {
            stem = QStringLiteral("_");
        }
        const QString extChars = hasExt ? keepShortChars(name.mid(dot + 1), 3) : QString();
        const QString ext = extChars.isEmpty() ? QString() : u'.' + extChars;
        int& width = openWidth[stem];
        width = std::max(width, 1);
        for (; width <= 7; ++width) {
            // STEMXX~1 to ~9, STEMX~10 to ~99, ... down to ~1000000.
            const QString prefix = stem.left(7 - width);
            const int low = kPowersOfTen[width - 1];
            int& n = nextNumber[prefix + u'~' + QString::number(width)];
            for (n = std::max(n, low); n < low * 10 && out[i].isEmpty(); ++n) {
                const QString alias = prefix + u'~' + QString::number(n) + ext;
                const qsizetype before = taken.size();
                taken.insert(alias);
                if (taken.size() > before) {
                    out[i] = alias;
                }
            }
            if (!out[i].isEmpty()) {
                break;
            }
        }
    }
    return out;
}

}  // namespace ShortNames
