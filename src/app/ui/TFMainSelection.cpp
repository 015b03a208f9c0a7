// The selection refresh: everything the window shows about the selected entry.
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "context/SelectedEntry.h"
#include "gamelist/SelectionDisplay.h"
#include "gamelist/ui/GameListsPane.h"
#include "gamelist/ui/ListMaintenanceCommands.h"
#include "gamelist/ui/SelectionLabels.h"
#include "launch/AlternativeEmulators.h"
#include "launch/ui/OptionPanel.h"
#include "maintenance/ui/GameMaintenanceCommands.h"
#include "pictures/ui/PicturePane.h"

void TFMain::ShowSelectedGame() {
    if (!lists_->HasSelection()) {
        return;
    }
    const std::optional<SelectedEntry> entry = lists_->CurrentEntry();
    picture_->ShowGamePicture(entry->emulatorIndex, entry->shortName, entry->name);
    ApplySelectionCommands(*entry);
    const EmulatorDefinition* emulator = state_.emulators.find(entry->emulatorIndex);
    labels_->Show(SelectionInfoFor(ctx_, emulator, entry->name, entry->shortName, entry->location));
    POptions->Load(emulator, entry->name);
}

void TFMain::ApplySelectionCommands(const SelectedEntry& entry) {
    const EmulatorDefinition* emulator = state_.emulators.find(entry.emulatorIndex);
    const SelectionCommands commands = SelectionCommandsFor(
        emulator, IsGameEntry(emulator, entry.name), state_.locked, entry.missing, tools_.pkzip);
    gameMaintenance_->Offer(commands);
    SettingsStore store = ctx_.store();
    const bool hasAlternatives =
        TidyAlternativeEmulators(store, entry.name, state_.emulators, entry.emulatorIndex);
    listMaintenance_->Offer(commands, !lists_->View().byEmulator && hasAlternatives);
}
