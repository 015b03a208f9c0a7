#pragma once

#include <QString>
#include <QStringView>

// Which words a line of Execute.bat may hold. brivanel-batch, like
// COMMAND.COM, splits a line at blanks and tabs and treats " < > | as
// quoting, redirection and pipes (& ^ % mean as much to cmd.exe), so a name
// that holds one of them is no longer the one word its line was composed
// with: "deltree /y ROMS\x .." deletes "ROMS\x" and "..". Every name and
// path that reaches a script is checked here, where its line is composed.
namespace ScriptWord {

enum class Kind {
    Name,     // one plain file or folder name: "PACMAN", "pacman.zip"
    Path,     // one file or folder, with or without a drive: "C:\MAME\ROMS\", "hi\x.hi"
    Pattern,  // a Path whose last component may hold * and ?: "C:\P\PACMAN\*.*"
};

// Why `word` cannot stand as one word of that kind, as the end of a
// sentence ("holds a blank"); empty when it can.
QString problem(QStringView word, Kind kind);

inline bool isSafe(QStringView word, Kind kind) {
    return problem(word, kind).isEmpty();
}

}  // namespace ScriptWord

// The words of one script, checked as its lines are composed: each call
// hands the word back for the line, and the first word that is not safe
// becomes the refusal, so a composer writes its lines as before and asks
// once at the end whether any of them may be written.
class ScriptWords {
public:
    // `what` names the word for the user: "the ROM name", "the emulator's folder".
    const QString& name(const QString& word, QStringView what) {
        return check(word, ScriptWord::Kind::Name, what);
    }
    const QString& path(const QString& word, QStringView what) {
        return check(word, ScriptWord::Kind::Path, what);
    }
    const QString& pattern(const QString& word, QStringView what) {
        return check(word, ScriptWord::Kind::Pattern, what);
    }

    bool ok() const { return refusal_.isEmpty(); }
    // "the ROM name "x .." holds a blank"; empty while every word was safe.
    const QString& refusal() const { return refusal_; }

private:
    const QString& check(const QString& word, ScriptWord::Kind kind, QStringView what);

    QString refusal_;
};
