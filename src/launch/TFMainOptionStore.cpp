// The store handlers of the option panel and "Reset to Emulator &Defaults".
#include "app/AppContext.h"
#include "app/TFMain.h"
#include "gamelist/GameListWidget.h"
#include "gamelist/SelectionDisplay.h"
#include "launch/OptionStore.h"

void TFMain::StoreTextOption(const QString& valueName, const QString& text) {
    if (currentListBox->count() == 0) {
        return;
    }
    SettingsStore store = ctx_.store();
    StoreOption(store, CurrentEntryName(), state.emulators, valueName, text);
}

void TFMain::StoreCheckOption(CheckGroup group) {
    if (currentListBox->count() == 0) {
        return;
    }
    SettingsStore store = ctx_.store();
    StoreOption(store, CurrentEntryName(), state.emulators,
                QString::fromUtf16(kCheckGroups[size_t(index(group))].storeValue),
                CheckBoxes()[size_t(index(group))]->isChecked());
}

void TFMain::StoreListOption(ListGroup group) {
    StoreTextOption(QString::fromUtf16(kListGroups[size_t(index(group))].storeValue),
                    ListBoxes()[size_t(index(group))]->currentText());
}

void TFMain::CBVectorExit() {
    StoreCheckOption(CheckGroup::Vector);
}
void TFMain::CBResolutionExit() {
    StoreListOption(ListGroup::Resolutions);
}
void TFMain::CBSynchronizeVideoExit() {
    StoreCheckOption(CheckGroup::Synch);
}
void TFMain::CBFrameSkippingExit() {
    StoreListOption(ListGroup::FrameSkip);
}
void TFMain::CBVesaModeExit() {
    StoreListOption(ListGroup::VesaMode);
}
void TFMain::CBExtraGraphicsExit() {
    StoreListOption(ListGroup::Extra);
}
void TFMain::CBLinesOffscreenExit() {
    StoreCheckOption(CheckGroup::LinesOffscreen);
}
void TFMain::SELinesOffscreenExit() {
    StoreTextOption(QString::fromUtf16(kLinesOffscreenValue), SELinesOffscreen->text());
}
void TFMain::CBFMMusicExit() {
    StoreCheckOption(CheckGroup::FMMusic);
}
void TFMain::CBSoundExit() {
    StoreListOption(ListGroup::Sound);
}
void TFMain::CBRotateExit() {
    StoreListOption(ListGroup::Rotate);
}
void TFMain::CBJoystickExit() {
    StoreCheckOption(CheckGroup::Joystick);
}
void TFMain::CBMouseExit() {
    StoreCheckOption(CheckGroup::Mouse);
}
void TFMain::CBTrackballExit() {
    StoreCheckOption(CheckGroup::Trackball);
}
void TFMain::CB4wayJoystickExit() {
    StoreCheckOption(CheckGroup::FourWay);
}
void TFMain::EJoyEmuExit() {
    StoreTextOption(QString::fromUtf16(kJoyEmuKeyfileValue), EJoyEmu->text());
}
void TFMain::EAdditionalExit() {
    StoreTextOption(QString::fromUtf16(kAdditionalValue), EAdditional->text());
}
void TFMain::CBCheatExit() {
    StoreCheckOption(CheckGroup::Cheat);
}
void TFMain::CBController1Exit() {
    StoreListOption(ListGroup::Controller1);
}
void TFMain::CBController2Exit() {
    StoreListOption(ListGroup::Controller2);
}

void TFMain::ResettoEmulatorDefaults1Click() {
    if (currentListBox->count() == 0) {
        return;
    }
    const QString entryName = CurrentEntryName();
    const int emulatorIndex = CurrentEmulatorIndex();
    const EmulatorDefinition* emulator =
        state.emulators.isValidIndex(emulatorIndex) ? &state.emulators.at(emulatorIndex) : nullptr;
    // The emulator's own "Specific" holds every game's defaults: never drop
    // it, even when unlocking has enabled the command for that entry.
    if (IsGameEntry(emulator, entryName)) {
        SettingsStore store = ctx_.store();
        ResetToEmulatorDefaults(store, entryName);
    }
    ShowSelectedGame();
}
