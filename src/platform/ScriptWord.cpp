#include "platform/ScriptWord.h"

#include <QList>

#include "dosnames/DosDevices.h"
#include "platform/DosPath.h"

namespace ScriptWord {

namespace {

bool isWildcard(QChar c) {
    return c == u'*' || c == u'?';
}

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

QString controlProblem(QStringView word) {
    for (const QChar c : word) {
        if (isControl(c)) {
            return QStringLiteral("holds a control character");
        }
    }
    return {};
}

QString characterProblem(QStringView word) {
    for (const QChar c : word) {
        if (c == u' ' || c == u'\t') {
            return QStringLiteral("holds a blank");
        }
        if (isControl(c)) {
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
    if (DosDevices::isDeviceName(component)) {
        return QStringLiteral("names the DOS device \"%1\", not a file").arg(component);
    }
    return {};
}

bool startsWithDrive(QStringView word) {
    return word.size() >= 2 && word[1] == u':' && word[0].unicode() < 128 && word[0].isLetter();
}

QString nameProblem(QStringView word) {
    if (word.contains(u'\\')) {
        return QStringLiteral("holds the character \\");
    }
    return componentProblem(word, false);
}

QString pathProblem(QStringView word, bool wildcards) {
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
        if (QString p = componentProblem(components[i], wildcards && last); !p.isEmpty()) {
            return p;
        }
    }
    return {};
}

QString stateFileProblem(QStringView word) {
    if (startsWithDrive(word) || word.startsWith(u'\\')) {
        return QStringLiteral("does not lie below the emulator's folder");
    }
    // Only the placeholder itself may keep its "%".
    const QString plain = word.toString().replace(QStringLiteral("%sn%"), QStringLiteral("x"));
    if (QString chars = characterProblem(plain); !chars.isEmpty()) {
        return chars;
    }
    return pathProblem(plain, false);
}

QString quotedProblem(QStringView word) {
    for (const QChar c : word) {
        if (isControl(c)) {
            return QStringLiteral("holds a control character");
        }
        if (c == u'"' || c == u'%') {
            return QStringLiteral("holds the character ") + c;
        }
    }
    return {};
}

}  // namespace

QString problem(QStringView word, Kind kind) {
    if (word.isEmpty()) {
        return QStringLiteral("is empty");
    }
    switch (kind) {
        case Kind::StateFile:
            return stateFileProblem(word);
        case Kind::Quoted:
            return quotedProblem(word);
        case Kind::LongName:
        case Kind::LongPath:
            if (QString control = controlProblem(word); !control.isEmpty()) {
                return control;
            }
            return kind == Kind::LongName ? nameProblem(word) : pathProblem(word, false);
        case Kind::Name:
        case Kind::Path:
        case Kind::Pattern:
            break;
    }
    if (QString chars = characterProblem(word); !chars.isEmpty()) {
        return chars;
    }
    return kind == Kind::Name ? nameProblem(word) : pathProblem(word, kind == Kind::Pattern);
}

}  // namespace ScriptWord

ScriptWords::ScriptWords(DosFileSystem fs) : fs_(std::move(fs)) {}

const QString& ScriptWords::word(const QString& text, ScriptWord::Kind kind, QStringView what) {
    if (!refusal_.isEmpty()) {
        return text;
    }
    if (const QString p = ScriptWord::problem(text, kind); !p.isEmpty()) {
        refusal_ = what.toString() + u" \"" + text + u"\" " + p;
    } else if (kind != ScriptWord::Kind::Quoted && kind != ScriptWord::Kind::StateFile &&
               DosPath::hasDrive(text) &&
               fs_.drives().hostRoot(DosPath::driveLetter(text)).isEmpty()) {
        // Nothing there could be reached, and the tools would take the
        // drive for a folder of the current one.
        refusal_ = what.toString() + u" \"" + text + u"\" lies on drive " +
                   DosPath::driveLetter(text) + u":, which is not mapped";
    }
    return text;
}

const QString& ScriptWords::made(const QString& path, QStringView what) {
    const QString missing = fs_.firstMissing(path);
    if (!missing.isEmpty()) {
        // Folders made on the way are the run's too.
        effects_.append({missing, true});
    } else if (refusal_.isEmpty() && fs_.exists(path)) {
        refusal_ = what.toString() + u" \"" + path +
                   u"\" is there already, and a script deletes or overwrites only what it made";
    }
    return path;
}

const QString& ScriptWords::purpose(const QString& path) {
    effects_.append({path, false});
    return path;
}

void ScriptWords::refuse(const QString& reason) {
    if (refusal_.isEmpty()) {
        refusal_ = reason;
    }
}

QString ScriptWords::message(const QString& refused) const {
    return refused + u": " + refusal_ + u'.';
}
