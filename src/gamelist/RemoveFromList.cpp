#include "gamelist/RemoveFromList.h"

#include "gamelist/RomLocation.h"
#include "platform/DosFileSystem.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace RemoveFromList {

std::optional<QString> RomDeletionLine(const DosFileSystem& fs, const RomFiles& rom,
                                       ScriptWords& words) {
    using ScriptWord::Kind;
    // The stored names are checked before shortening too: a ".." or "*" in
    // them must not become some other existing path's short form.
    QString target = rom.location;
    if (rom.location == QStringView(RomLocation::kDirectory)) {
        target = DosPath::withTrailingBackslash(
                     words.word(rom.emulatorDirectory, Kind::LongPath, u"the emulator's folder")) +
                 words.word(rom.romName, Kind::LongName, u"the ROM name");
        if (rom.emulatorType == u"CONSOLE") {
            target += u'.' + rom.extensions;
        }
    }
    words.word(target, Kind::LongPath, u"the ROM location");
    if (!words.ok()) {
        return std::nullopt;
    }
    if (!DosPath::hasDrive(target) || target.size() < 4 || target[2] != u'\\') {
        words.refuse(u"the ROM location \"" + target + u"\" is no file below a drive's root");
    } else if (rom.location != QStringView(RomLocation::kDirectory) && fs.directoryExists(target)) {
        // A ROM file's location that is a folder now would take a whole tree with it.
        words.refuse(u"the ROM location \"" + target + u"\" is a folder now");
    }
    // The ROM is what the user said yes to: this line's purpose.
    const QString line =
        u"deltree /y " + words.purpose(words.path(fs.shortPath(target), u"the ROM location"));
    if (!words.ok()) {
        return std::nullopt;
    }
    return line;
}

bool MarkMissing(SettingsStore& store, const QString& entryName) {
    if (!store.KeyExists(StorePaths::Entry(entryName))) {
        return false;
    }
    if (StoreSchema::openRoot(store, false)) {
        StoreSchema::kCurrent.writeTo(store, entryName);
    }
    store.OpenKey(StorePaths::Entry(entryName), false);
    StoreSchema::kLocation.writeTo(store, QString::fromUtf16(RomLocation::kMissing));
    return true;
}

}  // namespace RemoveFromList
