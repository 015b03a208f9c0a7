#include "context/SelectedEntry.h"

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "settings/KeyPath.h"
#include "settings/StoreSchema.h"

SelectedEntry ReadSelectedEntry(const AppContext& ctx, const EmulatorTable& emulators,
                                const QString& itemText, bool showCount) {
    SelectedEntry entry;
    entry.itemText = itemText;
    entry.name = EntryNameFromItemText(itemText, showCount);
    entry.missing = isMissingGameItem(itemText, showCount);
    SettingsStore store = ctx.store();
    if (entry.name.isEmpty() || !store.OpenKey(StorePaths::Entry(entry.name), false)) {
        return entry;
    }
    using namespace StoreSchema;
    entry.shortName = kShortname.readFrom(store);
    entry.location = kLocation.readFrom(store);
    entry.emulatorIndex = emulators.EmulatorIndexById(kEmulator.readFrom(store));
    if (entry.emulatorIndex != 0 &&
        store.OpenKey(StorePaths::Entry(emulators.at(entry.emulatorIndex).lbName), false)) {
        entry.emulatorLocation = kLocation.readFrom(store);
    }
    return entry;
}
