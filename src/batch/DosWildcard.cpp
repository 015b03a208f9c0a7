#include "batch/DosWildcard.h"

#include <vector>

namespace DosWildcard {
namespace {

// A "?" that only "?"s follow up to the next dot or the end may match nothing.
bool mayMatchNothing(const QString& pattern, qsizetype index) {
    for (qsizetype i = index; i < pattern.size(); ++i) {
        if (pattern[i] == u'.') {
            return true;
        }
        if (pattern[i] != u'?') {
            return false;
        }
    }
    return true;
}

// Row by row over the pattern, so a long pattern costs time, never stack.
bool glob(const QString& pattern, const QString& name) {
    const qsizetype n = pattern.size();
    const qsizetype m = name.size();
    std::vector<char> prev(size_t(m) + 1, 0);
    std::vector<char> cur(size_t(m) + 1, 0);
    prev[0] = 1;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar p = pattern[i];
        const bool optional = p == u'?' && mayMatchNothing(pattern, i);
        cur[0] = (p == u'*' || optional) && prev[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const QChar c = name[j - 1];
            if (p == u'*') {
                cur[j] = prev[j] || cur[j - 1];
            } else if (p == u'?') {
                cur[j] = (c != u'.' && prev[j - 1]) || (optional && prev[j]);
            } else {
                cur[j] = c == p && prev[j - 1];
            }
        }
        std::swap(prev, cur);
    }
    return prev[size_t(m)] != 0;
}

QString applyToPart(const QString& pattern, const QString& part) {
    QString out;
    qsizetype source = 0;
    for (const QChar p : pattern) {
        if (p == u'*') {
            out += part.mid(source);
            return out;
        }
        if (p == u'?') {
            if (source < part.size()) {
                out += part[source];
            }
        } else {
            out += p;
        }
        ++source;
    }
    return out;
}

void splitAtLastDot(const QString& text, QString& base, QString& ext, bool& hasDot) {
    const qsizetype dot = text.lastIndexOf(u'.');
    hasDot = dot >= 0;
    base = hasDot ? text.left(dot) : text;
    ext = hasDot ? text.mid(dot + 1) : QString();
}

}  // namespace

bool hasWildcards(const QString& name) {
    return name.contains(u'*') || name.contains(u'?');
}

bool matches(const QString& pattern, const QString& name) {
    if (pattern == u"*" || pattern == u"*.*") {
        return true;
    }
    const QString p = pattern.toCaseFolded();
    const QString s = name.toCaseFolded();
    if (p.endsWith(u".*") && !s.contains(u'.') && glob(p.chopped(2), s)) {
        return true;
    }
    if (p.endsWith(u'.') && !p.endsWith(u"..")) {
        return !s.contains(u'.') && glob(p.chopped(1), s);
    }
    return glob(p, s);
}

QString applyRenamePattern(const QString& pattern, const QString& fileName) {
    if (!hasWildcards(pattern)) {
        return pattern;
    }
    QString patternBase, patternExt, nameBase, nameExt;
    bool patternDot = false;
    bool nameDot = false;
    splitAtLastDot(pattern, patternBase, patternExt, patternDot);
    splitAtLastDot(fileName, nameBase, nameExt, nameDot);
    const QString base = applyToPart(patternBase, nameBase);
    if (!patternDot) {
        // "*" alone keeps the whole name, extension included.
        return patternBase == u"*" ? fileName : base;
    }
    const QString ext = applyToPart(patternExt, nameExt);
    return ext.isEmpty() ? base : base + u'.' + ext;
}

}  // namespace DosWildcard
