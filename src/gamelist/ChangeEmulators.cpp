#include "gamelist/ChangeEmulators.h"

#include "catalogue/EmulatorTable.h"
#include "launch/AlternativeEmulators.h"
#include "settings/EntryValues.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"

namespace ChangeEmulators {

using EntryValues::kEmulator;
using EntryValues::kShortname;

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
    const QString furtherEmulator = EntryValues::FurtherValueName(kEmulator, number);
    const QString furtherShortname = EntryValues::FurtherValueName(kShortname, number);
    if (number < 1 || !store.OpenKey(StorePaths::Entry(entryName), false) ||
        !store.ValueExists(furtherEmulator)) {
        return false;
    }
    const QString formerEmulator = store.ReadString(kEmulator);
    const QString formerShortname = store.ReadString(kShortname);
    const QString chosenEmulator = store.ReadString(furtherEmulator);
    const QString chosenShortname = store.ReadString(furtherShortname);
    store.WriteString(furtherEmulator, formerEmulator);
    store.WriteString(kEmulator, chosenEmulator);
    store.WriteString(furtherShortname, formerShortname);
    store.WriteString(kShortname, chosenShortname);
    store.DeleteKey(StorePaths::Specific(entryName));
    return true;
}

}  // namespace ChangeEmulators
