#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AppContext;
class EmulatorTable;

// "List Box Cleanup...": deletes every entry whose game or emulator is no
// longer in the list files and definition files.
namespace ListCleanup {

inline constexpr char16_t kQuestion[] =
    u"All outdated entries in the list box will be removed.  Would you like to continue?";

// The lines of one reference file, read once, answering for any number of
// names whether the file's text, each line followed by CR LF, contains the
// name followed by a double quote and CR LF, or by CR LF alone (exact case).
// That holds exactly when some line ends with the name, bare or quoted, so
// a name that is the tail of another game's line counts as listed too.
class ReferenceLines {
public:
    explicit ReferenceLines(const QString& text);
    bool lists(const QString& name) const;

private:
    // Every line reversed, and a line ending in a double quote once more
    // without it, sorted: a line ends with a name exactly when one of these
    // begins with the reversed name, found by one binary search.
    std::vector<QString> reversedEndings_;
    // The text as the rule reads it, for the rare name holding a line break.
    QString joined_;
};

// Each reference file read at most once per clean-up, by DOS path; a file
// that does not exist lists nothing.
class ReferenceFiles {
public:
    explicit ReferenceFiles(const AppContext& ctx) : ctx_(ctx) {}
    const ReferenceLines* lines(const QString& dosPath);

private:
    const AppContext& ctx_;
    QHash<QString, std::shared_ptr<const ReferenceLines>> files_;
};

// The file an entry must be listed in: a name with "{" (an emulator's own
// entry) in the definition file of its "Emulator" value, any other name in
// the list file of the loaded emulator with that ID. Nothing when there is
// none: an emulator that is not loaded, or a value that is no plain name.
std::optional<QString> ReferenceFilePath(const AppContext& ctx, const EmulatorTable& emulators,
                                         const QString& entryName, const QString& emulatorId);

// Told each entry before it is looked at: its name, how many came before it
// and how many there are.
using Progress = std::function<void(const QString& entryName, qsizetype done, qsizetype total)>;

// Deletes the outdated entries below the root, visiting the names in
// case-insensitive order and telling `progress` each one first. An entry is
// current when its reference file lists its name and, when its "Location"
// holds a ".", that file exists. Returns the names deleted.
QStringList Run(const AppContext& ctx, const EmulatorTable& emulators, const Progress& progress);

}  // namespace ListCleanup
