// Game maintenance: per-game state files, "&Fix ROM", sound samples and
// Uninstall, each a short script started minimised.
#include <QDir>

#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "launch/BatchRunner.h"
#include "maintenance/FixRomScript.h"
#include "maintenance/MaintenanceScripts.h"
#include "platform/ScriptWord.h"
#include "settings/KeyPath.h"
#include "tools/ui/TFFileLocations.h"

void TFMain::DeleteHighScoreFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::highScorePattern);
}

void TFMain::DeleteNVRAMfile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::nvramPattern);
}

void TFMain::DeleteConfigFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::configPattern);
}

void TFMain::DeleteDipswitchFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::dipswitchPattern);
}

void TFMain::DeleteKeyFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::keyPattern);
}

// The selected game's emulator names the file through one of its [Config] keys.
void TFMain::DeleteStateFileOf(QString EmulatorDefinition::*pattern) {
    if (const EmulatorDefinition* e = state.emulators.find(CurrentEmulatorIndex())) {
        DeleteGameStateFile(e->*pattern);
    }
}

void TFMain::DeleteGameStateFile(const QString& pattern) {
    const MaintenanceScripts::GameFiles game{CurrentShortName(), CurrentLocation(),
                                             CurrentEmulatorLocation()};
    ScriptWords words;
    const std::optional<QStringList> script = MaintenanceScripts::DeleteGameStateFile(
        ctx_.fs(), pattern, game, FFileLocations->EPKZip->text(), words);
    if (!script) {
        ctx_.dialogs().messageBox(
            words.message(u"No file of \"" + CurrentEntryName() + u"\" was deleted"),
            MessageKind::Error, MessageButtons::Ok);
        return;
    }
    BatchRunner(ctx_).RunScript(*script, ShowMode::Minimised);
}

void TFMain::FixROM1Click() {
    const MaintenanceScripts::FixRomScript script = MaintenanceScripts::FixRom(
        ctx_.fs(), {CurrentEntryName(), CurrentLocation(), ctx_.ProgramDirectory(),
                    FFileLocations->EPKZip->text(), FFileLocations->EPKUnzip->text()});
    if (!script.refusal.isEmpty()) {
        ctx_.dialogs().messageBox(script.refusal, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (!script.lines.isEmpty()) {
        BatchRunner(ctx_).RunScript(script.lines, ShowMode::Minimised);
    }
}

void TFMain::AddSoundSample1Click() {
    const DosFileSystem& fs = ctx_.fs();
    MaintenanceScripts::SampleSet samples;
    samples.pkzip = FFileLocations->EPKZip->text();
    samples.pkunzip = FFileLocations->EPKUnzip->text();
    if (!fs.fileExists(samples.pkunzip) || !fs.fileExists(samples.pkzip)) {
        ctx_.dialogs().messageBox(
            QStringLiteral(
                "Cannot use zipped samples! PKZip or PKUnzip is missing. You can set its "
                "location by selecting Locations from the File Menu"),
            MessageKind::Error, MessageButtons::Ok);
        return;
    }
    const EmulatorDefinition* emulator = state.emulators.find(CurrentEmulatorIndex());
    if (emulator == nullptr) {
        return;
    }
    const MaintenanceScripts::GameFiles game{CurrentShortName(), CurrentLocation(),
                                             CurrentEmulatorLocation()};
    OpenFileRequest request;
    request.title = QStringLiteral("Zipped Sound Samples for ") + CurrentEntryName();
    request.filter = QStringLiteral("Zipped Samples (*.ZIP)|*.ZIP");
    request.defaultExtension = QStringLiteral("ZIP");
    request.initialFolder =
        fs.resolve(MaintenanceScripts::emulatorFolder(fs, game.emulatorLocation));
    const std::optional<QString> chosen = ctx_.dialogs().openFile(request);
    if (!chosen) {
        return;
    }
    samples.chosenZip = fs.toDos(*chosen);
    if (samples.chosenZip.isEmpty()) {
        ctx_.dialogs().messageBox(
            QStringLiteral("%1 is on no drive that Brivanel knows.").arg(*chosen),
            MessageKind::Error, MessageButtons::Ok);
        return;
    }
    samples.romPath = emulator->romPath;
    samples.samplesPath = emulator->samplesPath;
    samples.pkzipExists = fs.fileExists(samples.pkzip);
    ScriptWords words;
    const std::optional<QStringList> script =
        MaintenanceScripts::AddSoundSamples(fs, game, samples, words);
    if (!script) {
        ctx_.dialogs().messageBox(
            words.message(u"No samples were added to \"" + CurrentEntryName() + u'"'),
            MessageKind::Error, MessageButtons::Ok);
        return;
    }
    BatchRunner(ctx_).RunScript(*script, ShowMode::Minimised);
}

void TFMain::Uninstall1Click() {
    const QString programDirectory = ctx_.ProgramDirectory();
    if (const std::optional<QString> refusal =
            MaintenanceScripts::UninstallRefusal(ctx_.fs(), programDirectory, QDir::homePath())) {
        ctx_.dialogs().messageBox(*refusal, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    ScriptWords words;
    const std::optional<QStringList> script =
        MaintenanceScripts::Uninstall(programDirectory, words);
    if (!script) {
        ctx_.dialogs().messageBox(words.message(QStringLiteral("Uninstall refused")),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (ctx_.dialogs().messageBox(
            QStringLiteral("This will delete ALL FILES AND FOLDERS under ") +
                MaintenanceScripts::uninstallFolder(programDirectory) +
                QStringLiteral(", including any emulators or ROMs you have placed there!  Are you "
                               "sure you want to uninstall?"),
            MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
        return;
    }
    SettingsStore store = ctx_.store();
    store.DeleteKey(StorePaths::Root());
    BatchRunner(ctx_).RunScript(*script, ShowMode::Minimised);
    close();
}
