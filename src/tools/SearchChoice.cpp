#include "tools/SearchChoice.h"

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"
#include "tools/ToolLocations.h"

namespace SearchChoice {

Emulators SplitByStoreKey(SettingsStore& store, const EmulatorTable& emulators) {
    Emulators out;
    for (int i = 1; i <= emulators.count(); ++i) {
        const QString& name = emulators.at(i).lbName;
        (store.KeyExists(StorePaths::Entry(name)) ? out.yes : out.no) << name;
    }
    return out;
}

bool WriteDrivesToSearch(SettingsStore& store, const QString& drives) {
    if (!StoreSchema::openRoot(store, false)) {
        return false;
    }
    kDrivesRow.storeValue.writeTo(store, drives);
    return true;
}

bool ReadFastListBuild(SettingsStore& store) {
    return StoreSchema::openRoot(store, false) &&
           StoreSchema::kFastListBuild.readIfIn(store).value_or(false);
}

bool WriteFastListBuild(SettingsStore& store, bool fast) {
    if (!StoreSchema::openRoot(store, false)) {
        return false;
    }
    StoreSchema::kFastListBuild.writeTo(store, fast);
    return true;
}

}  // namespace SearchChoice
