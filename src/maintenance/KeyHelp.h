#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class DosFileSystem;
struct EmulatorDefinition;

// Cuts the key help out of an emulator's documents: the passage of one game,
// or the emulator's general key list between two marker lines.
namespace KeyHelp {

// Empty after trimming blanks and control characters.
bool isBlankLine(const QString& line);

// `GameSpecific` with its first "%sn%" replaced by the short name, then its
// first "%ln%" by the entry name.
QString GameMarker(const QString& gameSpecific, const QString& shortName, const QString& entryName);

// The passage around the first line that contains the marker (ignoring
// case), bounded by runs of `blankLines` blank lines; nothing when no line
// holds the marker (always so for an empty one).
std::optional<QStringList> GamePassage(QStringList lines, const QString& marker, int blankLines);

// From the first line holding `keyBegin` (kept) to before the last line
// holding `keyEnd` (dropped), both case-sensitive. No line holds an empty
// `keyBegin`, so that yields nothing.
QStringList GeneralKeyList(QStringList lines, const QString& keyBegin, const QString& keyEnd);

struct Passage {
    QString caption;
    QStringList lines;
};

// The text "&Keys..." shows for an entry: nothing when the emulator names no
// document. `emulatorFolder` is the DOS folder of the emulator's executable
// with its trailing backslash. A document that cannot be read throws
// std::runtime_error with the file's name.
std::optional<Passage> PassageFor(const DosFileSystem& fs, const EmulatorDefinition& emulator,
                                  const QString& entryName, const QString& shortName,
                                  const QString& emulatorFolder);

}  // namespace KeyHelp
