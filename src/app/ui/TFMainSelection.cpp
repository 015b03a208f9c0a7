// The selection refresh: everything the window shows about the selected entry.
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "context/SelectedEntry.h"
#include "context/SelectionCommands.h"
#include "gamelist/SelectionDisplay.h"
#include "gamelist/ui/FavouriteCommands.h"
#include "gamelist/ui/GameListsPane.h"
#include "gamelist/ui/ListMaintenanceCommands.h"
#include "gamelist/ui/SelectionLabels.h"
#include "launch/AlternativeEmulators.h"
#include "launch/ui/OptionPanel.h"
#include "maintenance/ui/GameMaintenanceCommands.h"
#include "maintenance/ui/LockCommand.h"
#include "pictures/ui/PicturePane.h"
#include "tools/ui/ToolCommands.h"

void TFMain::ShowSelectedGame() {
    const std::optional<SelectedEntry> entry = lists_->CurrentEntry();
    if (!entry) {
        // Nothing selected (a first start, a build under way): no options either.
        POptions->ShowNoGroup();
        return;
    }
    picture_->ShowGamePicture(entry->emulatorIndex, entry->shortName, entry->name);
    ApplySelectionCommands(*entry);
    const EmulatorDefinition* emulator = emulators_.find(entry->emulatorIndex);
    labels_->Show(SelectionInfoFor(ctx_, emulator, entry->name, entry->shortName, entry->location));
    POptions->Load(emulator, entry->name);
}

void TFMain::ApplySelectionCommands(const SelectedEntry& entry) {
    const EmulatorDefinition* emulator = emulators_.find(entry.emulatorIndex);
    const SelectionCommands commands =
        SelectionCommandsFor(emulator, IsGameEntry(emulator, entry.name), lock_->IsLocked(),
                             entry.missing, toolCommands_->Locations().pkzip);
    gameMaintenance_->Offer(commands);
    favourites_->Offer(commands, entry.name);
    // The entry's further emulators are tidied in the store: the one
    // write of the refresh, and what Change Emulators offers.
    SettingsStore store = ctx_.store();
    const bool hasAlternatives =
        TidyAlternativeEmulators(store, entry.name, emulators_, entry.emulatorIndex);
    listMaintenance_->Offer(commands, !lists_->View().byEmulator && hasAlternatives);
}

void TFMain::RemoveRequested() {
    if (!lock_->IsLocked()) {
        listMaintenance_->Removefromlist1Click();
    }
}

void TFMain::ListsChanged() {
    lists_->RebuildLists();
    guard_.run([this] { ShowSelectedGame(); });
}
