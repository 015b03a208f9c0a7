#include "context/SelectedEntry.h"

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "settings/EntryValues.h"
#include "settings/KeyPath.h"

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
    entry.shortName = store.ReadString(EntryValues::kShortname);
    entry.location = store.ReadString(EntryValues::kLocation);
    entry.emulatorIndex = emulators.EmulatorIndexById(store.ReadString(EntryValues::kEmulator));
    if (entry.emulatorIndex != 0 &&
        store.OpenKey(StorePaths::Entry(emulators.at(entry.emulatorIndex).lbName), false)) {
        entry.emulatorLocation = store.ReadString(EntryValues::kLocation);
    }
    return entry;
}
