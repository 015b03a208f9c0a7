#include "gamelist/GameStep.h"

#include "catalogue/EmulatorDefinition.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "platform/DosPath.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace GameStep {
namespace {

using StoreSchema::kEmulator;
using StoreSchema::kLocation;
using StoreSchema::kShortname;

// An entry naming another emulator still belongs to it while that
// emulator's definition file is there.
bool belongsToOtherEmulator(const AppContext& ctx, SettingsStore& entry,
                            const QString& emulatorId) {
    if (!kEmulator.isIn(entry)) {
        return false;
    }
    const QString owner = kEmulator.readFrom(entry);
    return !owner.isEmpty() && owner != emulatorId &&
           ctx.fs().fileExists(ctx.ProgramDirectory() + owner + u".INI");
}

}  // namespace

std::optional<GameNames> ResolveGameNames(const AppContext& ctx, const EmulatorDefinition& emulator,
                                          const QString& gameLine) {
    const QString shortName = gameLine.trimmed();
    if (!DosPath::isSafeName(shortName)) {
        return std::nullopt;
    }
    const auto list = ctx.profiles().get(ctx.fs(), ListFilePath(ctx, emulator));
    const QString fullName = list->readString(QStringLiteral("Games"), shortName, QString());
    if (fullName.isEmpty()) {
        return std::nullopt;
    }
    // Its ROM and parent names end up in paths of clean-up lines as well.
    const auto merge =
        ctx.profiles().get(ctx.fs(), ctx.ProgramDirectory() + emulator.emulatorId + u".MRG");
    for (const QString& other :
         {list->readString(QStringLiteral("Directories"), shortName, QString()),
          merge->readString(QStringLiteral("Merged"), shortName, QString())}) {
        if (!other.isEmpty() && !DosPath::isSafeName(other)) {
            return std::nullopt;
        }
    }
    return GameNames{shortName, fullName};
}

bool IsStoredLocationValid(const DosFileSystem& fs, const QString& location,
                           const QString& emulatorDirectory, const QString& shortName) {
    if (location == u"Dir" && IsGameDirectory(fs, emulatorDirectory + shortName)) {
        return true;
    }
    return location.size() >= 2 && location[1] == u':' && location.contains(shortName) &&
           fs.fileExists(location);
}

void RecordFurtherEmulator(SettingsStore& entry, const QString& emulatorId,
                           const QString& shortName, bool rewriteShortName) {
    // The table holds at most 100 emulators; the bound only guards a store
    // that was filled by something else.
    for (int n = 1; n <= 1000; ++n) {
        const QString emulatorValue = StoreSchema::furtherName(kEmulator, n);
        const QString shortnameValue = StoreSchema::furtherName(kShortname, n);
        if (!entry.ValueExists(emulatorValue)) {
            entry.WriteString(emulatorValue, emulatorId);
            entry.WriteString(shortnameValue, shortName);
            return;
        }
        if (entry.ReadString(emulatorValue) == emulatorId) {
            if (rewriteShortName) {
                entry.WriteString(shortnameValue, shortName);
            }
            return;
        }
    }
}

Outcome HandleGame(const AppContext& ctx, const EmulatorDefinition& emulator,
                   const GameNames& names, const QString& emulatorDirectory,
                   const std::function<RomLocation::Result()>& findRom) {
    const QString& id = emulator.emulatorId;
    SettingsStore entry = ctx.store();
    const KeyPath key = StorePaths::Entry(names.fullName);
    Outcome outcome;
    if (entry.OpenKey(key, false)) {
        const QString stored = kLocation.readFrom(entry);
        if (IsStoredLocationValid(ctx.fs(), stored, emulatorDirectory, names.shortName)) {
            outcome.location = stored;
            if (belongsToOtherEmulator(ctx, entry, id)) {
                RecordFurtherEmulator(entry, id, names.shortName, true);
            } else {
                outcome.listChange = Outcome::ListChange::AddAndSelect;
                outcome.listItem = names.fullName;
                kEmulator.writeTo(entry, id);
                kShortname.writeTo(entry, names.shortName);
            }
            return outcome;
        }
    }

    const RomLocation::Result rom = findRom();
    outcome.searched = true;
    outcome.location = rom.location;
    if (rom.aborted) {
        outcome.aborted = true;
        return outcome;
    }
    if (rom.location == QStringView(RomLocation::kMissing)) {
        outcome.listChange = Outcome::ListChange::AddMissing;
        outcome.listItem = u"[ " + names.fullName + u" ]";
    } else {
        outcome.listChange = Outcome::ListChange::AddAndSelect;
        outcome.listItem = names.fullName;
    }
    entry.OpenKey(key, true);
    kLocation.writeTo(entry, rom.location);
    if (!kEmulator.isIn(entry)) {
        kEmulator.writeTo(entry, id);
        kShortname.writeTo(entry, names.shortName);
    } else if (kEmulator.readFrom(entry) != id) {
        RecordFurtherEmulator(entry, id, names.shortName, false);
    }
    return outcome;
}

}  // namespace GameStep
