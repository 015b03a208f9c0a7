// Play: the selected game's script is written and started, and the window
// closes; the script starts the program again.
#include "app/ui/TFMain.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "launch/BatchRunner.h"
#include "launch/LaunchPlan.h"
#include "launch/LaunchScript.h"
#include "launch/ui/OptionPanel.h"
#include "platform/ScriptWord.h"
#include "tools/ui/TFFileLocations.h"

void TFMain::BPlayClick() {
    const EmulatorDefinition* emulator = LaunchableEmulator();
    if (emulator == nullptr) {
        return;
    }
    POptions->CompleteListSelections(*emulator);
    ScriptWords words;
    const std::optional<QStringList> lines =
        launchLines(ctx_, *emulator, GatherLaunchRequest(), words);
    if (!words.ok()) {
        ctx_.dialogs().messageBox(words.message(u'"' + CurrentEntryName() + u"\" cannot be played"),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (!lines) {
        ctx_.dialogs().messageBox(QString::fromUtf16(kCannotUnzipWarning), MessageKind::Warning,
                                  MessageButtons::Ok);
        return;
    }
    const BatchRunner runner(ctx_);
    if (!runner.RunScript(*lines, ShowMode::Normal)) {
        // Nothing runs, so nothing may count as played or close the window.
        ctx_.dialogs().messageBox(QStringLiteral("Could not run ") + runner.ScriptPath(),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    state.gameLaunched = true;
    close();
}

const EmulatorDefinition* TFMain::LaunchableEmulator() {
    if (currentListBox->count() == 0) {
        return nullptr;
    }
    CurrentEntryName();  // selects the first item when none is selected
    if (isMissingGameItem(currentListBox->item(currentListBox->itemIndex()),
                          byCount1->isChecked())) {
        return nullptr;
    }
    const int emulatorIndex = CurrentEmulatorIndex();
    if (!state.emulators.isValidIndex(emulatorIndex)) {
        return nullptr;
    }
    const EmulatorDefinition& emulator = state.emulators.at(emulatorIndex);
    return isLaunchable(emulator, launchRomName(ctx_, emulator, CurrentShortName())) ? &emulator
                                                                                     : nullptr;
}

LaunchRequest TFMain::GatherLaunchRequest() {
    POptions->EJoyEmu->setText(POptions->EJoyEmu->text().trimmed());
    const TFFileLocations& tools = *FFileLocations;
    return {CurrentShortName(),
            CurrentLocation(),
            CurrentEmulatorLocation(),
            POptions->Choices(),
            POptions->EJoyEmu->text(),
            {tools.EPKZip->text(), tools.EPKUnzip->text(), tools.EZipMagic->text(),
             tools.EJoyEmu->text(), tools.EUniVBE->text()}};
}
