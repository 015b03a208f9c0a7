#include "platform/ScriptWord.h"

#include <QList>

namespace ScriptWord {

namespace {

bool isWildcard(QChar c) {
    return c == u'*' || c == u'?';
}

QString characterProblem(QStringView word) {
    for (const QChar c : word) {
        if (c == u' ' || c == u'\t') {
            return QStringLiteral("holds a blank");
        }
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("holds a control character");
        }
        if (QStringView(u"\"<>|&^%").contains(c)) {
            return QStringLiteral("holds the character ") + c;
        }
    }
    return {};
}

// One component of a path: not "." or ".." (nor "...", which DOS reads
// as ".."), no separator or drive colon, wildcards only where allowed.
QString componentProblem(QStringView component, bool wildcards) {
    if (component.isEmpty()) {
        return QStringLiteral("has an empty component");
    }
    if (component.count(u'.') == component.size()) {
        return QStringLiteral("leaves its folder (\"%1\")").arg(component);
    }
    for (const QChar c : component) {
        if (c == u'/' || c == u':') {
            return QStringLiteral("holds the character ") + c;
        }
        if (!wildcards && isWildcard(c)) {
            return QStringLiteral("holds a wildcard where one file is meant");
        }
    }
    return {};
}

bool startsWithDrive(QStringView word) {
    return word.size() >= 2 && word[1] == u':' && word[0].unicode() < 128 && word[0].isLetter();
}

}  // namespace

QString problem(QStringView word, Kind kind) {
    if (word.isEmpty()) {
        return QStringLiteral("is empty");
    }
    if (QString chars = characterProblem(word); !chars.isEmpty()) {
        return chars;
    }
    if (kind == Kind::Name) {
        if (word.contains(u'\\')) {
            return QStringLiteral("holds the character \\");
        }
        return componentProblem(word, false);
    }
    QStringView rest = word;
    if (startsWithDrive(rest)) {
        rest = rest.mid(2);
        if (rest.isEmpty() || rest == u"\\") {
            return {};  // "C:" and "C:\" name the drive itself
        }
        if (!rest.startsWith(u'\\')) {
            return QStringLiteral("names a folder relative to a drive");
        }
        rest = rest.mid(1);
    }
    if (rest.endsWith(u'\\')) {
        rest.chop(1);  // a folder written with its trailing backslash
    }
    const auto components = rest.split(u'\\');
    for (qsizetype i = 0; i < components.size(); ++i) {
        const bool last = i + 1 == components.size();
        if (QString p = componentProblem(components[i], kind == Kind::Pattern && last);
            !p.isEmpty()) {
            return p;
        }
    }
    return {};
}

}  // namespace ScriptWord

const QString& ScriptWords::check(const QString& word, ScriptWord::Kind kind, QStringView what) {
    if (refusal_.isEmpty()) {
        if (const QString p = ScriptWord::problem(word, kind); !p.isEmpty()) {
            refusal_ = what.toString() + u" \"" + word + u"\" " + p;
        }
    }
    return word;
}
