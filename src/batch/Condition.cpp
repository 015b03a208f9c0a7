#include "batch/Condition.h"

#include <QFileInfo>

#include "batch/FileSet.h"
#include "platform/DosPath.h"

namespace {

bool isWord(const CommandLine& cmd, qsizetype at, QStringView word) {
    return at < cmd.words.size() && !cmd.quoted[at] &&
           cmd.words[at].compare(word, Qt::CaseInsensitive) == 0;
}

// DOS reads the number as its digits only; "1x" or "-1" is no number.
int parseLevel(const QString& text) {
    if (text.isEmpty() || text.size() > 9) {
        return -1;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return -1;
        }
    }
    return text.toInt();
}

}  // namespace

Condition Condition::parse(const CommandLine& cmd) {
    Condition c;
    qsizetype at = 1;
    if (isWord(cmd, at, u"not")) {
        c.negated = true;
        ++at;
    }
    if (isWord(cmd, at, u"errorlevel")) {
        c.test = Test::ErrorLevel;
        c.level = at + 1 < cmd.words.size() ? parseLevel(cmd.words[at + 1]) : -1;
        if (c.level < 0) {
            c.error = QStringLiteral("Syntax error");
        }
    } else if (isWord(cmd, at, u"exist")) {
        c.test = Test::Exist;
        c.file = at + 1 < cmd.words.size() ? cmd.words[at + 1] : QString();
        if (c.file.isEmpty()) {
            c.error = QStringLiteral("Syntax error");
        }
    } else {
        c.error = QStringLiteral(
            "brivanel-batch supports only \"if [not] errorlevel N\" and \"if [not] exist FILE\"");
        return c;
    }
    c.command = at + 2;
    if (c.error.isEmpty() && c.command >= cmd.words.size()) {
        c.error = QStringLiteral("Syntax error");
    }
    return c;
}

bool Condition::holds(const DosSession& session, int errorLevel) const {
    const bool met = test == Test::ErrorLevel ? errorLevel >= level : dosFileExists(session, file);
    return met != negated;
}

bool dosFileExists(const DosSession& session, const QString& typed) {
    const QString dos = session.absolute(typed);
    if (!driveError(session, dos).isEmpty()) {
        return false;
    }
    if (DosPath::fileNamePart(dos).compare(u"NUL", Qt::CaseInsensitive) == 0) {
        const QString folder = session.fs().resolve(DosPath::directoryPart(dos));
        return !folder.isEmpty() && QFileInfo(folder).isDir();
    }
    const FileSet set = FileSet::expand(session, typed);
    for (const FileSet::Entry& entry : set.entries) {
        if (!entry.isDirectory) {
            return true;
        }
    }
    return false;
}
