#pragma once

#include <QByteArray>
#include <QString>

// The last line that is not blank of what a program writes, fed in chunks
// as they arrive. Only that line is kept, and only its first kKeptBytes:
// a program may write without end.
class LastOutputLine {
public:
    static constexpr qsizetype kKeptBytes = 400;

    void add(const QByteArray& chunk);
    // The line as text, trimmed; empty when the program wrote nothing.
    QString text() const;

private:
    QByteArray last_;     // the last complete line that was not blank
    QByteArray current_;  // the line still being written
};
