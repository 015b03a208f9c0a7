// "Reset to Emulator &Defaults" on the Game menu.
#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "gamelist/SelectionDisplay.h"
#include "gamelist/ui/GameListWidget.h"
#include "launch/OptionPanelTexts.h"
#include "launch/OptionStore.h"

void TFMain::CreateOptionMenus() {
    ResettoEmulatorDefaults1 = Game1->addAction(QString::fromUtf16(PanelText::kResetCaption));
    ResettoEmulatorDefaults1->setStatusTip(QString::fromUtf16(PanelText::kResetHint));
    connectGuarded(ResettoEmulatorDefaults1, &QAction::triggered, this,
                   &TFMain::ResettoEmulatorDefaults1Click);
}

void TFMain::ResettoEmulatorDefaults1Click() {
    if (currentListBox->count() == 0) {
        return;
    }
    const QString entryName = CurrentEntryName();
    const int emulatorIndex = CurrentEmulatorIndex();
    const EmulatorDefinition* emulator = state.emulators.find(emulatorIndex);
    // The emulator's own "Specific" holds every game's defaults: never drop
    // it, even when unlocking has enabled the command for that entry.
    if (IsGameEntry(emulator, entryName)) {
        SettingsStore store = ctx_.store();
        ResetToEmulatorDefaults(store, entryName);
    }
    ShowSelectedGame();
}
