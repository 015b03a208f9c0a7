// What the launch takes from the option panel.
#include "catalogue/EmulatorDefinition.h"
#include "launch/LaunchCommandLine.h"
#include "launch/ui/OptionPanel.h"

PanelChoices OptionPanel::CurrentChoices() const {
    PanelChoices choices;
    const auto checks = CheckBoxes();
    for (size_t g = 0; g < checks.size(); ++g) {
        choices.checked[g] = checks[g]->isChecked();
    }
    const auto lists = ListBoxes();
    for (size_t g = 0; g < lists.size(); ++g) {
        choices.listTexts[g] = lists[g]->currentText();
    }
    choices.linesOffscreen = SELinesOffscreen->text();
    choices.additional = EAdditional->text();
    return choices;
}

LaunchOptions::Choices OptionPanel::ChoicesForLaunch(const EmulatorDefinition& emulator) {
    CompleteListSelections(emulator);
    EJoyEmu->setText(EJoyEmu->text().trimmed());
    const QString keyFile = EJoyEmu->text();
    return {CurrentChoices(), keyFile};
}

void OptionPanel::CompleteListSelections(const EmulatorDefinition& emulator) {
    static constexpr std::array<ExitHandler, kListGroupCount> handlers = {
        &OptionPanel::CBResolutionExit,  &OptionPanel::CBFrameSkippingExit,
        &OptionPanel::CBVesaModeExit,    &OptionPanel::CBExtraGraphicsExit,
        &OptionPanel::CBSoundExit,       &OptionPanel::CBRotateExit,
        &OptionPanel::CBController1Exit, &OptionPanel::CBController2Exit};
    const auto lists = ListBoxes();
    for (size_t g = 0; g < lists.size(); ++g) {
        if (!emulator.lists[g].present || lists[g]->currentIndex() >= 0 || lists[g]->count() == 0) {
            continue;
        }
        lists[g]->setCurrentIndex(0);
        (this->*handlers[g])();
    }
}
