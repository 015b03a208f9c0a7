#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include "platform/DosFileSystem.h"

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
    // A file below the current folder as a [Config] pattern names it once
    // its first "%sn%" is put in: "hi\pacman.hi". A second "%sn%" stays as
    // the pattern wrote it; brivanel-batch expands no variables.
    StateFile,
    // A whole path inside double quotes: blanks may stand there, a quote,
    // "%" or a control character may not.
    Quoted,
    // A Name or Path as stored, before the short form of its path is taken:
    // the short form leaves blanks and the other characters out, so only
    // what the path names is checked here; the short form is a Path.
    LongName,
    LongPath,
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
//
// It also keeps the one rule for what a script may delete or overwrite. A
// line that does either names only what this very run makes (`made`: it
// must not be there when the script is composed, so it cannot be the
// user's) or what the command exists to remove or change (`purpose`: the
// game's state file, its ROM after the user said yes). Names that DOS would
// take for one (case, Unicode case folding, 8.3 aliases) are one name here,
// because the file system is asked as DOS asks it.
class ScriptWords {
public:
    // The drives the script will run on: a path on a drive they do not map
    // is refused, and `made` looks there.
    explicit ScriptWords(DosFileSystem fs);

    // `what` names the word for the user: "the ROM name", "the emulator's folder".
    const QString& word(const QString& text, ScriptWord::Kind kind, QStringView what);
    const QString& name(const QString& text, QStringView what) {
        return word(text, ScriptWord::Kind::Name, what);
    }
    const QString& path(const QString& text, QStringView what) {
        return word(text, ScriptWord::Kind::Path, what);
    }
    const QString& pattern(const QString& text, QStringView what) {
        return word(text, ScriptWord::Kind::Pattern, what);
    }
    // A tool's location, checked as a Path when it is set. An unset tool is
    // written as the commands always wrote it: its line fails in the script
    // and reaches no file.
    const QString& tool(const QString& location, QStringView what) {
        return location.isEmpty() ? location : path(location, what);
    }

    // A full DOS path that a line deletes or overwrites because this run
    // makes it first: refused when anything of that name is there now.
    const QString& made(const QString& path, QStringView what);
    // A full DOS path that a line deletes or changes because the command
    // exists for that.
    const QString& purpose(const QString& path);

    // What the script may change, as declared: a test runs the script and
    // finds everything else as it was.
    struct Effect {
        QString path;
        bool made = false;  // else the command's purpose
    };
    const QList<Effect>& effects() const { return effects_; }

    const DosFileSystem& fs() const { return fs_; }

    // A refusal that is no word's: "the work folder ... is there already".
    void refuse(const QString& reason);

    bool ok() const { return refusal_.isEmpty(); }
    // "the ROM name "x .." holds a blank"; empty while every word was safe.
    const QString& refusal() const { return refusal_; }
    // What the user is shown: `refused` ("\"Pac Man\" cannot be played"),
    // ": ", the refusal and a full stop.
    QString message(const QString& refused) const;

private:
    DosFileSystem fs_;
    QString refusal_;
    QList<Effect> effects_;
};
