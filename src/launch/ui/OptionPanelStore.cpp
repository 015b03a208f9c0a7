// The option panel's store handlers.
#include "catalogue/OptionGroups.h"
#include "context/AppContext.h"
#include "context/SelectionSource.h"
#include "launch/OptionStore.h"
#include "launch/ui/OptionPanel.h"

OptionPanel::ExitHandler OptionPanel::StoreHandler(CheckGroup group) {
    switch (group) {
        case CheckGroup::Vector:
            return &OptionPanel::CBVectorExit;
        case CheckGroup::Synch:
            return &OptionPanel::CBSynchronizeVideoExit;
        case CheckGroup::LinesOffscreen:
            return &OptionPanel::CBLinesOffscreenExit;
        case CheckGroup::FMMusic:
            return &OptionPanel::CBFMMusicExit;
        case CheckGroup::Joystick:
            return &OptionPanel::CBJoystickExit;
        case CheckGroup::Mouse:
            return &OptionPanel::CBMouseExit;
        case CheckGroup::Trackball:
            return &OptionPanel::CBTrackballExit;
        case CheckGroup::FourWay:
            return &OptionPanel::CB4wayJoystickExit;
        case CheckGroup::Cheat:
            return &OptionPanel::CBCheatExit;
    }
    return nullptr;
}

OptionPanel::ExitHandler OptionPanel::StoreHandler(ListGroup group) {
    switch (group) {
        case ListGroup::Resolutions:
            return &OptionPanel::CBResolutionExit;
        case ListGroup::FrameSkip:
            return &OptionPanel::CBFrameSkippingExit;
        case ListGroup::VesaMode:
            return &OptionPanel::CBVesaModeExit;
        case ListGroup::Extra:
            return &OptionPanel::CBExtraGraphicsExit;
        case ListGroup::Sound:
            return &OptionPanel::CBSoundExit;
        case ListGroup::Rotate:
            return &OptionPanel::CBRotateExit;
        case ListGroup::Controller1:
            return &OptionPanel::CBController1Exit;
        case ListGroup::Controller2:
            return &OptionPanel::CBController2Exit;
    }
    return nullptr;
}

void OptionPanel::StoreTextOption(const QString& valueName, const QString& text) {
    if (!selection_.EnsureSelection()) {
        return;
    }
    SettingsStore store = ctx_.store();
    StoreOption(store, selection_.CurrentEntryName(), emulators_, valueName, text);
}

void OptionPanel::StoreCheckOption(CheckGroup group) {
    if (!selection_.EnsureSelection()) {
        return;
    }
    SettingsStore store = ctx_.store();
    StoreOption(store, selection_.CurrentEntryName(), emulators_, optionValue(group).name(),
                check(group)->isChecked());
}

void OptionPanel::StoreListOption(ListGroup group) {
    StoreTextOption(optionValue(group).name(), list(group)->currentText());
}

void OptionPanel::CBVectorExit() {
    StoreCheckOption(CheckGroup::Vector);
}
void OptionPanel::CBResolutionExit() {
    StoreListOption(ListGroup::Resolutions);
}
void OptionPanel::CBSynchronizeVideoExit() {
    StoreCheckOption(CheckGroup::Synch);
}
void OptionPanel::CBFrameSkippingExit() {
    StoreListOption(ListGroup::FrameSkip);
}
void OptionPanel::CBVesaModeExit() {
    StoreListOption(ListGroup::VesaMode);
}
void OptionPanel::CBExtraGraphicsExit() {
    StoreListOption(ListGroup::Extra);
}
void OptionPanel::CBLinesOffscreenExit() {
    StoreCheckOption(CheckGroup::LinesOffscreen);
}
void OptionPanel::SELinesOffscreenExit() {
    StoreTextOption(StoreSchema::kLinesOffscreen.name(), SELinesOffscreen->text());
}
void OptionPanel::CBFMMusicExit() {
    StoreCheckOption(CheckGroup::FMMusic);
}
void OptionPanel::CBSoundExit() {
    StoreListOption(ListGroup::Sound);
}
void OptionPanel::CBRotateExit() {
    StoreListOption(ListGroup::Rotate);
}
void OptionPanel::CBJoystickExit() {
    StoreCheckOption(CheckGroup::Joystick);
}
void OptionPanel::CBMouseExit() {
    StoreCheckOption(CheckGroup::Mouse);
}
void OptionPanel::CBTrackballExit() {
    StoreCheckOption(CheckGroup::Trackball);
}
void OptionPanel::CB4wayJoystickExit() {
    StoreCheckOption(CheckGroup::FourWay);
}
void OptionPanel::EJoyEmuExit() {
    StoreTextOption(StoreSchema::kJoyEmuKeyfile.name(), EJoyEmu->text());
}
void OptionPanel::EAdditionalExit() {
    StoreTextOption(StoreSchema::kAdditional.name(), EAdditional->text());
}
void OptionPanel::CBCheatExit() {
    StoreCheckOption(CheckGroup::Cheat);
}
void OptionPanel::CBController1Exit() {
    StoreListOption(ListGroup::Controller1);
}
void OptionPanel::CBController2Exit() {
    StoreListOption(ListGroup::Controller2);
}
