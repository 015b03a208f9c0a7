#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// A console emulator's list file made from a folder of ROM files
// (brivanel-makelist). Each game gets a short name made of ASCII letters
// and digits, upper case, so that it is one safe word in any script line,
// and its full name from the file name as it is. The ROM search finds a
// game by "\" + short name + "." in a path, and a file name with blanks or
// other letters cannot be that: each ROM is given an archive named after
// its short name, beside it, which the search finds and the launch script
// unpacks. A short name never equals the name of a ROM file of the folder,
// nor begins any other name there (ignoring case), so the search finds
// exactly that archive, and no file of the user's is taken for it.
namespace ConsoleList {

inline constexpr int kMaxShortName = 20;

struct Game {
    QString file;       // the ROM file's name in the folder
    QString shortName;  // also the archive's base name and its entry's
    QString fullName;   // the file name without its extension
};

// Whether `shortName` may be given to the ROM `file`, beyond the rules of
// NameGames itself.
using ShortNameCheck = std::function<bool(const QString& shortName, const QString& file)>;

// The games of the ROM files named `fileNames`, in the order given. Full
// names lose control characters and surrounding blanks and are made unique
// by " (2)", " (3)" ...; short names are made unique, and kept apart from
// every file's own name and from what `usable` refuses, by "_1", "_2" ...
std::vector<Game> NameGames(const QStringList& fileNames, const ShortNameCheck& usable = {});

// The list file's lines: "[Games]", then short name "=" the full name in
// double quotes (the reader takes them off, so blanks at its ends and
// quotes inside stay).
QStringList ListLines(const std::vector<Game>& games);

// What a run did, for its report. With any problem the list file was not
// touched; `skipped` names the files that were left out by rule.
struct Written {
    int games = 0;
    QStringList problems;
    QStringList skipped;
};

// The extensions named by `words` as a definition's Extensions names them:
// letters and digits, any other character between two ("gb, gbc"), lower
// case, each once.
QStringList ExtensionWords(const QString& words);

// What a console emulator's definition asks of its list: the extensions of
// its ROM files and the list file's name, <Platform>.lst so that every
// emulator of the system shares it, else <emulator ID>.lst. `problem` says
// why a definition names no list that a folder of ROM files could give.
struct ListTarget {
    QStringList extensions;
    QString listName;
    QString problem;
};
ListTarget TargetOfDefinition(const QString& definitionFileName, const QByteArray& content);

// Names the files of `folder` whose extension is one of `extensions` (no
// dot, any case), puts each one into <folder>/<short name>.zip as "<short
// name>.<its extension in lower case>" and then writes the list file
// `listFile` (UTF-8, CR LF), replacing it only when every archive is in
// place and the whole new list was written. Only regular files up to RomArchive::kMaxRomBytes are
// ROMs, and a link only when it leads to a file inside the folder. An
// archive already there is used as it is when it holds exactly the ROM,
// replaced when an earlier run made it, and otherwise avoided.
Written WriteFolder(const QString& folder, const QStringList& extensions, const QString& listFile);

}  // namespace ConsoleList
