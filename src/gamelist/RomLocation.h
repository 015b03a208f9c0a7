#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class AppContext;
class FoundFilesIndex;
struct EmulatorDefinition;

// Where a game's ROM lies: unpacked in a directory beside the emulator
// ("Dir"), in one file of the found-files list (its path), or nowhere ("#").
namespace RomLocation {

inline constexpr char16_t kDirectory[] = u"Dir";
inline constexpr char16_t kMissing[] = u"#";

// How many parents a clone may fall back through. Merge files name a
// clone's parent directly, so real chains have one step; a longer chain is
// a broken file, and one whose clones name each other must still end.
inline constexpr int kMaxParentChain = 16;

struct Result {
    bool found = false;  // true exactly for a path or "Dir"
    QString location;
    bool aborted = false;  // the user cancelled the list build

    friend bool operator==(const Result&, const Result&) = default;
};

// What the user is asked when several files qualify.
struct Question {
    QString emulatorId;
    QStringList candidates;
};

// The user's answer: the modal result of TFStatus (mrOk = Select, mrAll,
// mrNo = None, mrCancel) and the item selected then.
struct Answer {
    int modalResult = 0;
    QString item;
};

// The window's part: the labels that follow the search and the dialog.
struct Hooks {
    // The emulator's list name, the name searched and its parent, upper case.
    std::function<void(const QString& listName, const QString& shortName,
                       const QString& parentName)>
        showNames;
    std::function<void(const QString& location)> showLocation;
    std::function<Answer(const Question& question)> ask;
};

// True when the file's extension (without its dot, upper case) is "ZIP" or
// occurs in the emulator's Extensions text. A name without an extension has
// none to occur there.
bool IsAcceptableExtension(const QString& path, const QString& extensions);

// Of several candidates, those with an acceptable extension that lie in the
// chosen ROM directory (when one was chosen), in their order.
QStringList FilterCandidates(const QStringList& candidates, const QString& extensions,
                             const QString& chosenRomDirectory);

// Searches the ROM of `shortName` for the emulator whose executable lies in
// `emulatorDirectory` (with its trailing backslash). A clone whose own ROM
// is not found takes its parent's. Of several candidates only those in the
// emulator's chosen ROM directory count when one was chosen; "All" in the
// answer makes the chosen file's directory the chosen ROM directory.
Result Find(const AppContext& ctx, const FoundFilesIndex& files, const EmulatorDefinition& emulator,
            QString& chosenRomDirectory, const QString& shortName, const QString& emulatorDirectory,
            const Hooks& hooks);

}  // namespace RomLocation
