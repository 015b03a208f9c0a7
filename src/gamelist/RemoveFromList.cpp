#include "gamelist/RemoveFromList.h"

#include "gamelist/RomLocation.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "settings/EntryValues.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

namespace RemoveFromList {

namespace {

// "X:\a\b": a drive, then one or more components, each a plain name; in
// the line itself also without a blank, which would split the argument.
bool namesOnlyItsOwnFiles(const QString& path, bool inLine) {
    if (!DosPath::hasDrive(path) || path.size() < 4 || path[2] != u'\\') {
        return false;
    }
    const QStringList components = path.mid(3).split(u'\\');
    for (const QString& component : components) {
        if (!DosPath::isSafeName(component) || (inLine && component.contains(u' '))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<QString> RomDeletionLine(const DosFileSystem& fs, const RomFiles& rom) {
    QString target = rom.location;
    if (rom.location == QStringView(RomLocation::kDirectory)) {
        if (rom.emulatorDirectory.isEmpty() || !rom.emulatorDirectory.endsWith(u'\\')) {
            return std::nullopt;
        }
        target = rom.emulatorDirectory + rom.romName;
        if (rom.emulatorType == u"CONSOLE") {
            target += u'.' + rom.extensions;
        }
    }
    // Checked before shortening too: a ".." or "*" in the stored text must
    // not become some other existing path's short form.
    if (!namesOnlyItsOwnFiles(target, false)) {
        return std::nullopt;
    }
    // A ROM file's location that is a folder now would take a whole tree with it.
    if (rom.location != QStringView(RomLocation::kDirectory) && fs.directoryExists(target)) {
        return std::nullopt;
    }
    const QString shortTarget = fs.shortPath(target);
    if (!namesOnlyItsOwnFiles(shortTarget, true)) {
        return std::nullopt;
    }
    return u"deltree /y " + shortTarget;
}

bool MarkMissing(SettingsStore& store, const QString& entryName) {
    if (!store.KeyExists(StorePaths::Entry(entryName))) {
        return false;
    }
    if (store.OpenKey(StorePaths::Root(), false)) {
        store.WriteString(QStringLiteral("Current"), entryName);
    }
    store.OpenKey(StorePaths::Entry(entryName), false);
    store.WriteString(EntryValues::kLocation, QString::fromUtf16(RomLocation::kMissing));
    return true;
}

}  // namespace RemoveFromList
