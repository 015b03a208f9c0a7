#include "batch/CommandLine.h"

#include <QRegularExpression>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Reads a redirection target starting at `pos`: blanks skipped, then one word.
QString readTarget(const QString& line, qsizetype& pos) {
    while (pos < line.size() && isBlank(line[pos])) {
        ++pos;
    }
    QString target;
    bool inQuote = false;
    for (; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            inQuote = !inQuote;
            continue;
        }
        if (!inQuote && (isBlank(c) || c == u'>' || c == u'<' || c == u'|')) {
            break;
        }
        target += c;
    }
    return target;
}

// DOS accepts "cd..", "cd\", "md\GAMES" and "echo." with nothing between
// the command and its argument. `rest` is the text after the first word,
// from the blank that ended it.
void splitGluedCommand(CommandLine& cmd, const QString& rest) {
    static const QRegularExpression glued(
        QStringLiteral("^(cd|chdir|md|mkdir|rd|rmdir)([.\\\\].*)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (cmd.words.isEmpty() || cmd.quoted.first()) {
        return;
    }
    const QRegularExpressionMatch m = glued.match(cmd.words.first());
    if (m.hasMatch()) {
        cmd.words[0] = m.captured(1);
        cmd.words.insert(1, m.captured(2));
        cmd.quoted.insert(1, false);
        return;
    }
    const QString first = cmd.words.first();
    if (first.size() > 4 && first.startsWith(u"echo", Qt::CaseInsensitive) &&
        (first[4] == u'.' || first[4] == u':')) {
        cmd.tail = first.mid(5) + rest;
        cmd.words[0] = first.left(4);
    }
}

}  // namespace

CommandLine CommandLine::parse(const QString& line) {
    CommandLine cmd;
    if (line.contains(QChar(0))) {
        cmd.error = QStringLiteral("Syntax error");
        return cmd;
    }
    // First pass: cut the redirections out, keeping quoted text intact.
    QString clean;
    bool inQuote = false;
    for (qsizetype pos = 0; pos < line.size();) {
        const QChar c = line[pos];
        if (c == u'"') {
            inQuote = !inQuote;
        } else if (!inQuote && c == u'|') {
            cmd.error = QStringLiteral("Pipes are not supported by brivanel-batch");
            return cmd;
        } else if (!inQuote && (c == u'>' || c == u'<')) {
            const bool append = c == u'>' && pos + 1 < line.size() && line[pos + 1] == u'>';
            pos += append ? 2 : 1;
            const QString target = readTarget(line, pos);
            if (target.isEmpty()) {
                cmd.error = QStringLiteral("Syntax error");
                return cmd;
            }
            if (c == u'>') {
                cmd.output = {target, append};
            } else {
                cmd.input = target;
            }
            clean += u' ';
            continue;
        }
        clean += c;
        ++pos;
    }
    // Second pass: words.
    qsizetype firstWordEnd = -1;
    inQuote = false;
    QString word;
    bool inWord = false;
    bool wordQuoted = false;
    for (qsizetype pos = 0; pos <= clean.size(); ++pos) {
        const bool end = pos == clean.size();
        const QChar c = end ? QChar(u' ') : clean[pos];
        if (!end && c == u'"') {
            inQuote = !inQuote;
            inWord = true;
            wordQuoted = true;
            continue;
        }
        if (end || (!inQuote && isBlank(c))) {
            if (inWord) {
                cmd.words << word;
                cmd.quoted << wordQuoted;
                cmd.wordEnds_ << pos;
                if (firstWordEnd < 0) {
                    firstWordEnd = pos;
                }
            }
            word.clear();
            inWord = false;
            wordQuoted = false;
            continue;
        }
        word += c;
        inWord = true;
    }
    const QString rest = firstWordEnd >= 0 ? clean.mid(firstWordEnd) : QString();
    cmd.tail = rest.mid(1);
    splitGluedCommand(cmd, rest);
    cmd.text_ = clean;
    return cmd;
}

CommandLine CommandLine::from(qsizetype n) const {
    // The text holds no redirection outside quotes any more, so parsing it
    // again gives the same words.
    CommandLine inner = parse(text_.mid(wordEnds_.at(n - 1)));
    inner.output = output;
    inner.input = input;
    return inner;
}
