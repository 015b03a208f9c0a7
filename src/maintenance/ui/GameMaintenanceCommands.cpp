#include "maintenance/ui/GameMaintenanceCommands.h"

#include <QDir>

#include "catalogue/EmulatorTable.h"
#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "context/SelectionCommands.h"
#include "context/SelectionSource.h"
#include "context/StatusLine.h"
#include "launch/OptionPanelTexts.h"
#include "launch/OptionStore.h"
#include "maintenance/FixRomScript.h"
#include "maintenance/MaintenanceScripts.h"
#include "platform/ScriptWord.h"
#include "platform/ui/MenuItem.h"
#include "settings/KeyPath.h"
#include "tools/ToolLocations.h"

GameMaintenanceCommands::GameMaintenanceCommands(AppContext& ctx, const EmulatorTable& emulators,
                                                 const ErrorGuard& guard, StatusLine& status,
                                                 const ToolLocations& tools,
                                                 SelectionSource& selection, QWidget* window)
    : QObject(window),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      tools_(tools),
      selection_(selection),
      ResettoEmulatorDefaults1(newMenuItem(this, "ResettoEmulatorDefaults1",
                                           QString::fromUtf16(PanelText::kResetCaption),
                                           QString::fromUtf16(PanelText::kResetHint))),
      // "D" is the reset's: the submenu takes the next free letter.
      Advanced1(new QMenu(QStringLiteral("D&elete Configuration Files"), window)),
      FixROM1(newMenuItem(this, "FixROM1", QStringLiteral("&Fix ROM"),
                          QStringLiteral("Fixes ROMs with embedded subdirectories"))),
      AddSoundSample1(
          newMenuItem(this, "AddSoundSample1", QStringLiteral("Add &Sound Samples..."),
                      QStringLiteral("Add sound samples to this game from a zipped sample file"),
                      QKeySequence(Qt::CTRL | Qt::Key_S))),
      Uninstall1(newMenuItem(this, "Uninstall1", QStringLiteral("Uninstall..."),
                             QStringLiteral("Complete Uninstall, including Registry keys"))) {
    setObjectName(QStringLiteral("GameMaintenance"));
    Advanced1->setObjectName(QStringLiteral("Advanced1"));
    Advanced1->menuAction()->setObjectName(QStringLiteral("Advanced1"));
    const struct {
        const char* name;
        const char16_t* caption;
        const char16_t* hint;
        void (GameMaintenanceCommands::*handler)();
    } deletes[] = {
        {"DeleteHighScoreFile1", u"Delete &High Score File", u"Resets high scores for this game",
         &GameMaintenanceCommands::DeleteHighScoreFile1Click},
        {"DeleteNVRAMfile1", u"Delete &NVRAM file",
         u"Deletes saved RAM file (may reset high scores)",
         &GameMaintenanceCommands::DeleteNVRAMfile1Click},
        {"DeleteConfigFile1", u"Delete &Config File",
         u"Deletes configuration file, which may contain just about anything, see readme for "
         u"details",
         &GameMaintenanceCommands::DeleteConfigFile1Click},
        {"DeleteDipswitchFile1", u"Delete &Dipswitch File", u"Resets arcade game's dipswitches",
         &GameMaintenanceCommands::DeleteDipswitchFile1Click},
        {"DeleteKeyFile1", u"Delete &Key File", u"Resets key definitions to defaults",
         &GameMaintenanceCommands::DeleteKeyFile1Click},
    };
    for (size_t i = 0; i < deleteItems_.size(); ++i) {
        deleteItems_[i] = newMenuItem(this, deletes[i].name, QString::fromUtf16(deletes[i].caption),
                                      QString::fromUtf16(deletes[i].hint));
        Advanced1->addAction(deleteItems_[i]);
        guard_.connect(deleteItems_[i], &QAction::triggered, this, deletes[i].handler);
    }
    guard_.connect(ResettoEmulatorDefaults1, &QAction::triggered, this,
                   &GameMaintenanceCommands::ResettoEmulatorDefaults1Click);
    guard_.connect(FixROM1, &QAction::triggered, this, &GameMaintenanceCommands::FixROM1Click);
    guard_.connect(AddSoundSample1, &QAction::triggered, this,
                   &GameMaintenanceCommands::AddSoundSample1Click);
    guard_.connect(Uninstall1, &QAction::triggered, this,
                   &GameMaintenanceCommands::Uninstall1Click);
}

void GameMaintenanceCommands::Offer(const SelectionCommands& commands) {
    ResettoEmulatorDefaults1->setEnabled(commands.resetToDefaults);
    for (size_t i = 0; i < deleteItems_.size(); ++i) {
        deleteItems_[i]->setEnabled(commands.deleteStateFile[i]);
    }
    FixROM1->setEnabled(commands.fixRom);
}

void GameMaintenanceCommands::ResettoEmulatorDefaults1Click() {
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    if (!entry) {
        return;
    }
    const EmulatorDefinition* emulator = emulators_.find(entry->emulatorIndex);
    // The emulator's own "Specific" holds every game's defaults: never drop
    // it, even when unlocking has enabled the command for that entry.
    if (IsGameEntry(emulator, entry->name)) {
        SettingsStore store = ctx_.store();
        ResetToEmulatorDefaults(store, entry->name);
    }
    emit selectedEntryChanged();
}

void GameMaintenanceCommands::DeleteHighScoreFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::highScorePattern, deleteItems_[0]);
}

void GameMaintenanceCommands::DeleteNVRAMfile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::nvramPattern, deleteItems_[1]);
}

void GameMaintenanceCommands::DeleteConfigFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::configPattern, deleteItems_[2]);
}

void GameMaintenanceCommands::DeleteDipswitchFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::dipswitchPattern, deleteItems_[3]);
}

void GameMaintenanceCommands::DeleteKeyFile1Click() {
    DeleteStateFileOf(&EmulatorDefinition::keyPattern, deleteItems_[4]);
}

void GameMaintenanceCommands::DeleteStateFileOf(QString EmulatorDefinition::*pattern,
                                                const QAction* item) {
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    if (!entry) {
        return;
    }
    if (const EmulatorDefinition* e = emulators_.find(entry->emulatorIndex)) {
        DeleteGameStateFile(*entry, e->*pattern, QString(item->text()).remove(u'&'));
    }
}

void GameMaintenanceCommands::RunAndTell(const QStringList& lines, const QString& command,
                                         const QString& entryName, const QString& notDone) {
    const QString what = command + u" for \"" + entryName + u'"';
    // The script runs on after this returns; its end is told when it comes.
    const auto ended = [this, what](bool succeeded) {
        status_.SetStatus(what + (succeeded
                                      ? QStringLiteral(": done.")
                                      : QStringLiteral(": failed (Execute.log says which line).")));
    };
    const RunOutcome run =
        BatchRunner(ctx_).RunScriptWatched(lines, ShowMode::Minimised, this, ended);
    if (!run.ok()) {
        ctx_.dialogs().messageBox(notDone + u": " + run.message(), MessageKind::Error,
                                  MessageButtons::Ok);
        return;
    }
    status_.SetStatus(what + u": running...");
}

void GameMaintenanceCommands::DeleteGameStateFile(const SelectedEntry& entry,
                                                  const QString& pattern, const QString& command) {
    const MaintenanceScripts::GameFiles game{entry.shortName, entry.location,
                                             entry.emulatorLocation};
    ScriptWords words(ctx_.fs());
    const std::optional<QStringList> script =
        MaintenanceScripts::DeleteGameStateFile(ctx_.fs(), pattern, game, tools_.pkzip, words);
    if (!script) {
        ctx_.dialogs().messageBox(words.message(u"No file of \"" + entry.name + u"\" was deleted"),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    RunAndTell(*script, command, entry.name, u"No file of \"" + entry.name + u"\" was deleted");
}

void GameMaintenanceCommands::FixROM1Click() {
    const SelectedEntry entry = EnsuredEntry(selection_).value_or(SelectedEntry());
    const MaintenanceScripts::FixRomScript script = MaintenanceScripts::FixRom(
        ctx_.fs(),
        {entry.name, entry.location, ctx_.ProgramDirectory(), tools_.pkzip, tools_.pkunzip});
    if (!script.refusal.isEmpty()) {
        ctx_.dialogs().messageBox(script.refusal, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (!script.lines.isEmpty()) {
        RunAndTell(script.lines, QStringLiteral("Fix ROM"), entry.name,
                   u'"' + entry.name + u"\" was not fixed");
    }
}

void GameMaintenanceCommands::AddSoundSample1Click() {
    const DosFileSystem& fs = ctx_.fs();
    MaintenanceScripts::SampleSet samples;
    samples.pkzip = tools_.pkzip;
    samples.pkunzip = tools_.pkunzip;
    if (!fs.fileExists(samples.pkunzip) || !fs.fileExists(samples.pkzip)) {
        ctx_.dialogs().messageBox(
            QStringLiteral(
                "Cannot use zipped samples! PKZip or PKUnzip is missing. You can set its "
                "location by selecting Locations from the File Menu"),
            MessageKind::Error, MessageButtons::Ok);
        return;
    }
    const std::optional<SelectedEntry> entry = EnsuredEntry(selection_);
    const EmulatorDefinition* emulator = entry ? emulators_.find(entry->emulatorIndex) : nullptr;
    if (emulator == nullptr) {
        return;
    }
    const MaintenanceScripts::GameFiles game{entry->shortName, entry->location,
                                             entry->emulatorLocation};
    OpenFileRequest request;
    request.title = QStringLiteral("Zipped Sound Samples for ") + entry->name;
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
    ScriptWords words(ctx_.fs());
    const std::optional<QStringList> script =
        MaintenanceScripts::AddSoundSamples(fs, game, samples, words);
    if (!script) {
        ctx_.dialogs().messageBox(
            words.message(u"No samples were added to \"" + entry->name + u'"'), MessageKind::Error,
            MessageButtons::Ok);
        return;
    }
    RunScript(*script, u"No samples were added to \"" + entry->name + u'"');
}

void GameMaintenanceCommands::Uninstall1Click() {
    const QString programDirectory = ctx_.ProgramDirectory();
    if (const std::optional<QString> refusal =
            MaintenanceScripts::UninstallRefusal(ctx_.fs(), programDirectory, QDir::homePath())) {
        ctx_.dialogs().messageBox(*refusal, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    ScriptWords words(ctx_.fs());
    const std::optional<QStringList> script =
        MaintenanceScripts::Uninstall(programDirectory, words);
    if (!script) {
        ctx_.dialogs().messageBox(words.message(QStringLiteral("Uninstall refused")),
                                  MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (ctx_.dialogs().messageBoxDefaultNo(
            QStringLiteral("This will delete ALL FILES AND FOLDERS under ") +
                MaintenanceScripts::uninstallFolder(programDirectory) +
                QStringLiteral(", including any emulators or ROMs you have placed there!  Are you "
                               "sure you want to uninstall?"),
            MessageKind::Confirmation, MessageButtons::YesNo) != mrYes) {
        return;
    }
    // The settings go only once the script that removes the program runs:
    // an uninstall that cannot start must leave everything as it was.
    if (!RunScript(*script, QStringLiteral("Nothing was uninstalled"))) {
        return;
    }
    SettingsStore store = ctx_.store();
    store.DeleteKey(StorePaths::Root());
    emit closeRequested();
}

bool GameMaintenanceCommands::RunScript(const QStringList& lines, const QString& notDone) {
    const RunOutcome run = BatchRunner(ctx_).RunScript(lines, ShowMode::Minimised);
    if (!run.ok()) {
        ctx_.dialogs().messageBox(notDone + u": " + run.message(), MessageKind::Error,
                                  MessageButtons::Ok);
    }
    return run.ok();
}
