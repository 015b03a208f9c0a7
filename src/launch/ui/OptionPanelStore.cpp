// The option panel's store handlers.
#include "context/AppContext.h"
#include "context/OptionValues.h"
#include "context/SelectionSource.h"
#include "launch/OptionStore.h"
#include "launch/ui/OptionPanel.h"

std::array<QCheckBox*, kCheckGroupCount> OptionPanel::CheckBoxes() const {
    return {CBVector, CBSynchronizeVideo, CBLinesOffscreen, CBFMMusic, CBJoystick,
            CBMouse,  CBTrackball,        CB4wayJoystick,   CBCheat};
}

std::array<QComboBox*, kListGroupCount> OptionPanel::ListBoxes() const {
    return {CBResolution, CBFrameSkipping, CBVesaMode,    CBExtraGraphics,
            CBSound,      CBRotate,        CBController1, CBController2};
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
                CheckBoxes()[size_t(index(group))]->isChecked());
}

void OptionPanel::StoreListOption(ListGroup group) {
    StoreTextOption(optionValue(group).name(), ListBoxes()[size_t(index(group))]->currentText());
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
