#include "tools/SearchChoice.h"

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
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
    if (!store.OpenKey(StorePaths::Root(), false)) {
        return false;
    }
    store.WriteString(QString::fromUtf16(kDrivesRow.storeValue), drives);
    return true;
}

}  // namespace SearchChoice

namespace SearchChoice {

bool ReadFastListBuild(SettingsStore& store) {
    const QString name = QString::fromUtf16(kFastListBuild);
    return store.OpenKey(StorePaths::Root(), false) && store.ValueExists(name) &&
           store.ReadBool(name);
}

bool WriteFastListBuild(SettingsStore& store, bool fast) {
    if (!store.OpenKey(StorePaths::Root(), false)) {
        return false;
    }
    store.WriteBool(QString::fromUtf16(kFastListBuild), fast);
    return true;
}

}  // namespace SearchChoice
