// The selection refresh: everything the window shows about the selected entry.
#include "app/ui/TFMain.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/SelectionDisplay.h"
#include "gamelist/ui/GameListWidget.h"
#include "launch/AlternativeEmulators.h"
#include "launch/ui/OptionPanel.h"
#include "settings/KeyPath.h"
#include "tools/ui/TFFileLocations.h"

void TFMain::ShowSelectedGame() {
    GameListWidget* list = currentListBox;
    if (list == nullptr || list->itemIndex() < 0 || list->itemIndex() >= list->count()) {
        return;
    }
    const QString itemText = list->item(list->itemIndex());
    const QString entryName = CurrentEntryName();
    const QString shortName = CurrentShortName();
    const int emulatorIndex = CurrentEmulatorIndex();
    ShowGamePicture(emulatorIndex, shortName, entryName);

    const EmulatorDefinition* emulator = state.emulators.find(emulatorIndex);
    ApplySelectionCommands(emulatorIndex, entryName, itemText);

    const SelectionInfo info = SelectionInfoFor(ctx_, emulator, shortName, CurrentLocation());
    LEmu->setText(info.emulator);
    LSn->setText(info.shortName);
    LClone->setText(info.clone);
    LPath->setText(info.path);
    POptions->Load(emulator, entryName);
}

void TFMain::ApplySelectionCommands(int emulatorIndex, const QString& entryName,
                                    const QString& itemText) {
    const EmulatorDefinition* emulator = state.emulators.find(emulatorIndex);
    const SelectionCommands commands = SelectionCommandsFor(
        emulator, IsGameEntry(emulator, entryName), state.locked,
        isMissingGameItem(itemText, byCount1->isChecked()), FFileLocations->EPKZip->text());
    const auto enable = [](QAction* item, bool enabled) {
        if (item != nullptr) {
            item->setEnabled(enabled);
        }
    };
    enable(ResettoEmulatorDefaults1, commands.resetToDefaults);
    enable(Removefromlist1, commands.removeFromList);
    const std::array<QAction*, 5> deleteItems = {DeleteHighScoreFile1, DeleteNVRAMfile1,
                                                 DeleteConfigFile1, DeleteDipswitchFile1,
                                                 DeleteKeyFile1};
    for (size_t i = 0; i < deleteItems.size(); ++i) {
        enable(deleteItems[i], commands.deleteStateFile[i]);
    }
    enable(Addtolist1, commands.addToList);
    enable(FixROM1, commands.fixRom);

    SettingsStore store = ctx_.store();
    const bool hasAlternatives =
        TidyAlternativeEmulators(store, entryName, state.emulators, emulatorIndex);
    enable(ChangeEmulators1, !byEmulator1->isChecked() && hasAlternatives);
}
