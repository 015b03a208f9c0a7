#include "dosnames/DosWildcard.h"

#include <vector>

#include "dosnames/DosCase.h"

namespace DosWildcard {
namespace {

// Code units of both kinds of name, compared with ASCII punctuation only.
char16_t unit(QChar c) {
    return c.unicode();
}
char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

std::string_view prefix(std::string_view text, size_t size) {
    return text.substr(0, size);
}
QStringView prefix(QStringView text, qsizetype size) {
    return text.first(size);
}

template <typename View>
bool contains(View text, char16_t c) {
    for (qsizetype i = 0; i < qsizetype(text.size()); ++i) {
        if (unit(text[i]) == c) {
            return true;
        }
    }
    return false;
}

template <typename View>
bool endsWith(View text, std::u16string_view tail) {
    const qsizetype n = qsizetype(text.size());
    const qsizetype t = qsizetype(tail.size());
    if (n < t) {
        return false;
    }
    for (qsizetype i = 0; i < t; ++i) {
        if (unit(text[n - t + i]) != tail[size_t(i)]) {
            return false;
        }
    }
    return true;
}

// A "?" that only "?"s follow up to the next dot or the end may match nothing.
template <typename View>
bool mayMatchNothing(View pattern, qsizetype index) {
    for (qsizetype i = index; i < qsizetype(pattern.size()); ++i) {
        if (unit(pattern[i]) == u'.') {
            return true;
        }
        if (unit(pattern[i]) != u'?') {
            return false;
        }
    }
    return true;
}

// Row by row over the pattern, so a long pattern costs time, never stack.
template <typename View>
bool glob(View pattern, View name) {
    const qsizetype n = qsizetype(pattern.size());
    const qsizetype m = qsizetype(name.size());
    std::vector<char> prev(size_t(m) + 1, 0);
    std::vector<char> cur(size_t(m) + 1, 0);
    prev[0] = 1;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t p = unit(pattern[i]);
        const bool optional = p == u'?' && mayMatchNothing(pattern, i);
        cur[0] = (p == u'*' || optional) && prev[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const char16_t c = unit(name[j - 1]);
            if (p == u'*') {
                cur[size_t(j)] = prev[size_t(j)] || cur[size_t(j - 1)];
            } else if (p == u'?') {
                cur[size_t(j)] =
                    (c != u'.' && prev[size_t(j - 1)]) || (optional && prev[size_t(j)]);
            } else {
                cur[size_t(j)] = c == p && prev[size_t(j - 1)];
            }
        }
        std::swap(prev, cur);
    }
    return prev[size_t(m)] != 0;
}

template <typename View>
bool spells(View text, std::u16string_view word) {
    return qsizetype(text.size()) == qsizetype(word.size()) && endsWith(text, word);
}

// Both names already folded.
template <typename View>
bool matchFolded(View p, View s) {
    const qsizetype size = qsizetype(p.size());
    if (spells(p, u"*") || spells(p, u"*.*")) {
        return true;
    }
    if (endsWith(p, u".*") && !contains(s, u'.') && glob(prefix(p, size - 2), s)) {
        return true;
    }
    if (endsWith(p, u".") && !endsWith(p, u"..")) {
        return !contains(s, u'.') && glob(prefix(p, size - 1), s);
    }
    return glob(p, s);
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

bool hasWildcards(QStringView name) {
    return name.contains(u'*') || name.contains(u'?');
}

bool hasWildcards(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

bool matches(QStringView pattern, QStringView name) {
    const QString p = DosCase::fold(pattern.toString());
    const QString s = DosCase::fold(name.toString());
    return matchFolded(QStringView(p), QStringView(s));
}

bool matches(std::string_view pattern, std::string_view name) {
    // "?" is one letter, not one byte, when the name spells one beyond ASCII.
    const std::optional<QString> textPattern = DosCase::unicodeText(pattern);
    const std::optional<QString> textName = DosCase::unicodeText(name);
    if (textPattern || textName) {
        return matches(
            textPattern.value_or(QString::fromUtf8(pattern.data(), qsizetype(pattern.size()))),
            textName.value_or(QString::fromUtf8(name.data(), qsizetype(name.size()))));
    }
    const std::string p = DosCase::fold(pattern);
    const std::string s = DosCase::fold(name);
    return matchFolded(std::string_view(p), std::string_view(s));
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
