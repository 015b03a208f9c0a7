#include "gamelist/ChangeEmulators.h"

#include "catalogue/EmulatorTable.h"
#include "launch/AlternativeEmulators.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreSchema.h"

namespace ChangeEmulators {

using StoreSchema::kEmulator;
using StoreSchema::kShortname;

std::vector<Choice> Choices(SettingsStore& store, const QString& entryName,
                            const EmulatorTable& emulators) {
    if (!store.OpenKey(StorePaths::Entry(entryName), false)) {
        return {};
    }
    std::vector<Choice> choices;
    int number = 0;
    for (const AlternativeEmulator& further : ReadAlternativeEmulators(store)) {
        ++number;
        if (const int index = emulators.EmulatorIndexById(further.emulatorId); index != 0) {
            choices.push_back({number, emulators.at(index).lbName});
        }
    }
    return choices;
}

bool MakeEmulator(SettingsStore& store, const QString& entryName, int number) {
    const QString furtherEmulator = StoreSchema::furtherName(kEmulator, number);
    const QString furtherShortname = StoreSchema::furtherName(kShortname, number);
    if (number < 1 || !store.OpenKey(StorePaths::Entry(entryName), false) ||
        !store.ValueExists(furtherEmulator)) {
        return false;
    }
    const QString formerEmulator = kEmulator.readFrom(store);
    const QString formerShortname = kShortname.readFrom(store);
    const QString chosenEmulator = store.ReadString(furtherEmulator);
    const QString chosenShortname = store.ReadString(furtherShortname);
    store.WriteString(furtherEmulator, formerEmulator);
    kEmulator.writeTo(store, chosenEmulator);
    store.WriteString(furtherShortname, formerShortname);
    kShortname.writeTo(store, chosenShortname);
    store.DeleteKey(StorePaths::Specific(entryName));
    return true;
}

}  // namespace ChangeEmulators
