#include "launch/OptionStore.h"

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "settings/StoreSchema.h"

namespace {

// The emulator level's value in the form of `like`: false or "" when absent.
OptionValue emulatorLevelValue(SettingsStore& store, const QString& emulatorId,
                               const EmulatorTable& emulators, const QString& valueName,
                               const OptionValue& like) {
    const bool isBool = std::holds_alternative<bool>(like);
    const int index = emulators.EmulatorIndexById(emulatorId);
    if (index == 0 || !store.OpenKey(StorePaths::Specific(emulators.at(index).lbName), false) ||
        !store.ValueExists(valueName)) {
        return isBool ? OptionValue(false) : OptionValue(QString());
    }
    return isBool ? OptionValue(store.ReadBool(valueName))
                  : OptionValue(store.ReadString(valueName));
}

void write(SettingsStore& store, const QString& valueName, const OptionValue& value) {
    if (const bool* checked = std::get_if<bool>(&value)) {
        store.WriteBool(valueName, *checked);
    } else {
        store.WriteString(valueName, std::get<QString>(value));
    }
}

}  // namespace

StoreOutcome StoreOption(SettingsStore& store, const QString& entryName,
                         const EmulatorTable& emulators, const QString& valueName,
                         const OptionValue& value) {
    if (entryName.isEmpty() || !store.OpenKey(StorePaths::Entry(entryName), false)) {
        return StoreOutcome::NoEntry;
    }
    const KeyPath specific = StorePaths::Specific(entryName);
    if (store.OpenKey(specific, false)) {
        write(store, valueName, value);
        return StoreOutcome::Written;
    }
    const QString emulatorId = StoreSchema::kEmulator.readFrom(store);
    // std::variant compares bools by state and QStrings exactly, with case.
    if (emulatorLevelValue(store, emulatorId, emulators, valueName, value) == value) {
        return StoreOutcome::SameAsEmulator;
    }
    // Never fall back on the key opened last: that is the emulator level.
    if (!store.OpenKey(specific, true)) {
        throw StoreError::setFailed(valueName);
    }
    write(store, valueName, value);
    return StoreOutcome::Created;
}

bool ResetToEmulatorDefaults(SettingsStore& store, const QString& entryName) {
    if (entryName.isEmpty()) {
        return false;
    }
    return store.DeleteKey(StorePaths::Specific(entryName));
}
