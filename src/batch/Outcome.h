#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What one line of a script came to. A failure carries DOS's own message
// where DOS has one; a success may carry a note for the log.
struct Outcome {
    bool ok = true;
    QString text;
    // The errorlevel the line leaves, where it sets one: a program's exit
    // code. Unset for a builtin, whose failure makes it 1 and whose success
    // leaves it as it was, so a guard after a program still sees that program.
    std::optional<int> errorLevel;
    // The last line a program wrote to its error output: what it said about
    // a failure, which the log keeps beside the exit status.
    QString lastOutput;

    static Outcome success(const QString& note = QString()) { return {true, note, {}, {}}; }
    static Outcome failure(const QString& message) { return {false, message, {}, {}}; }
    static Outcome exited(int code) {
        return code == 0
                   ? Outcome{true, {}, 0, {}}
                   : Outcome{
                         false, QStringLiteral("exit status ") + QString::number(code), code, {}};
    }
    int errorLevelAfter(int before) const { return errorLevel.value_or(ok ? before : 1); }
};

// Gathers the outcomes of the several files or paths one command acts on:
// the command failed when any of them failed, and every message is kept.
class OutcomeList {
public:
    void add(const Outcome& outcome) {
        if (outcome.ok) {
            if (!outcome.text.isEmpty()) {
                notes_ << outcome.text;
            }
        } else {
            failures_ << outcome.text;
        }
    }
    Outcome result() const {
        return failures_.isEmpty() ? Outcome::success(notes_.join(u"; "))
                                   : Outcome::failure(failures_.join(u"; "));
    }

private:
    QStringList notes_;
    QStringList failures_;
};
