// What the launch takes from the option panel.
#include "catalogue/EmulatorDefinition.h"
#include "launch/LaunchCommandLine.h"
#include "launch/ui/OptionPanel.h"

PanelChoices OptionPanel::CurrentChoices() const {
    PanelChoices choices;
    for (size_t g = 0; g < checks_.size(); ++g) {
        choices.checked[g] = checks_[g]->isChecked();
    }
    for (size_t g = 0; g < lists_.size(); ++g) {
        choices.listTexts[g] = lists_[g]->currentText();
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
    for (int g = 0; g < kListGroupCount; ++g) {
        QComboBox* const box = lists_[size_t(g)];
        if (!emulator.lists[size_t(g)].present || box->currentIndex() >= 0 || box->count() == 0) {
            continue;
        }
        box->setCurrentIndex(0);
        (this->*StoreHandler(ListGroup(g)))();
    }
}
