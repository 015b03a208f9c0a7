#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One script line taken apart the way COMMAND.COM does it: redirections cut
// out, the rest split at blanks, double quotes grouping and then dropped.
// Nothing else is special: ";", "$", "`" and "'" are ordinary characters.
struct CommandLine {
    struct Redirection {
        QString target;  // as written, quotes removed; empty when absent
        bool append = false;
    };

    QStringList words;
    QList<bool> quoted;  // per word: it held a double quote
    // The text after the first word with redirections cut out, as echo prints it.
    QString tail;
    Redirection output;
    QString input;
    // Set when the line cannot be run at all (a pipe, a redirection without a file).
    QString error;

    static CommandLine parse(const QString& line);
    // The command that starts at word `n` (n >= 1), with this line's
    // redirections: what an "if" runs when its condition holds.
    CommandLine from(qsizetype n) const;

private:
    QString text_;               // the line with its redirections cut out
    QList<qsizetype> wordEnds_;  // per word: where it ends in text_
};
