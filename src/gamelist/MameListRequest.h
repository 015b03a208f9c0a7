#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class DosFileSystem;
class ScriptWords;

// Having a MAME-type emulator print its game and clone lists: the batch
// lines print each list into <ID>.!!! and rename it only when it is
// complete, so the list file appears whole or not at all.
namespace MameListRequest {

// The four lines of Execute.bat: `executable` in short form, the program
// directory in short form with its trailing backslash, the emulator ID.
// Nothing when one of them cannot stand as one word, or when a file of the
// temporary name is there already (`words` tells why).
std::optional<QStringList> ScriptLines(const QString& executable, const QString& programDirectory,
                                       const QString& emulatorId, ScriptWords& words);

// The line that has the emulator print its machines as XML, which the build
// reads as it comes rather than through a file; nothing when the executable
// cannot stand as one word.
std::optional<QString> FactsLine(const QString& executable, ScriptWords& words);

// Deletes <ID>.MRG and <ID>.LST of the program directory (read-only ones
// too), so that the wait sees only the lists printed now.
void RemoveOldLists(const DosFileSystem& fs, const QString& programDirectory,
                    const QString& emulatorId);

}  // namespace MameListRequest
