// Start-up, shutdown and "&Rebuild Game List...".
#include <QCloseEvent>
#include <QDebug>
#include <QTimer>

#include "app/StartupLogic.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"
#include "gamelist/ui/ListBuildController.h"
#include "launch/BatchRunner.h"
#include "maintenance/PasswordLock.h"
#include "maintenance/ui/HelpCommands.h"
#include "maintenance/ui/LockCommand.h"
#include "pictures/ui/PicturePane.h"
#include "settings/KeyPath.h"
#include "settings/StoreError.h"
#include "settings/StoreSchema.h"
#include "tools/FoundFiles.h"
#include "tools/ui/ToolCommands.h"

void TFMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first activation runs start-up once the window is on screen.
    if (!startupScheduled_) {
        startupScheduled_ = true;
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TFMain::FormActivate() {
    if (Tag == 1) {
        return;
    }
    try {
        StartUp();
    } catch (const StoreOpenError& error) {
        // Without a usable store nothing can be kept; the file stays untouched.
        ctx_.dialogs().messageBox(error.message(), MessageKind::Error, MessageButtons::Ok);
        destroyed_ = true;
        ctx_.exitProgram(1);
    } catch (const std::exception& error) {
        guard_.show(error);
    }
}

void TFMain::StartUp() {
    const QHash<QString, QString> previousPlatforms = [this] {
        QHash<QString, QString> platforms;
        for (int i = 1; i <= state_.emulators.count(); ++i) {
            platforms.insert(state_.emulators.at(i).emulatorId, state_.emulators.at(i).platform);
        }
        return platforms;
    }();
    state_.foundFiles.clear();
    state_.walkAccumulator.clear();
    state_.wantedSuffixes.clear();
    state_.pictureIndex.clear();

    StatusBar1->SetStatus(QStringLiteral("Loading graphics..."));
    if (ctx_.fs().fileExists(ctx_.ProgramDirectory() + u"picture.dir")) {
        picture_->LoadPictureIndex();
    } else {
        picture_->UpdatePictureIndex();
    }
    const QString version = StoreSchema::versionStamp();
    help_->SetVersion(u"Version " + version);
    setWindowTitle(u"Brivanel " + version);

    const JoystickState stick = ctx_.joystick().read();
    state_.joystickCentreX = stick.x;
    state_.joystickCentreY = stick.y;

    StatusBar1->SetStatus(QStringLiteral("Loading INI files..."));
    if (StartupLogic::LoadEmulators(ctx_, state_, previousPlatforms) !=
        StartupLogic::LoadResult::Loaded) {
        destroyed_ = true;  // ends at once: nothing is written at shutdown
        state_.emulators.clear();
        ctx_.exitProgram(0);
        close();
        return;
    }
    lists_->ResetPages();
    Tag = 1;

    StatusBar1->SetStatus(QStringLiteral("Restoring saved settings..."));
    SettingsStore store = ctx_.store();
    if (StoreSchema::openRoot(store, false)) {
        StartupLogic::CountPlay(store, ctx_.clock().now());
        RestoreSettings();
        if (tools_.drives.isEmpty()) {
            tools_.drives = QStringLiteral("C:");
        }
        StoreSchema::openRoot(store, false);
        if (StoreSchema::kVersion.readFrom(store) != version) {
            StartupLogic::MigrateStore(store);
            ZipMagicCheck();
            listBuild_->UpdateGameList1Click();
            if (StoreSchema::openRoot(store, false)) {
                StoreSchema::kVersion.writeTo(store, version);
            }
        }
        store.CloseKey();
        lists_->RebuildLists();
        lists_->UpdateGameCount();
        lists_->FocusCurrentList();
    } else {
        StoreSchema::openRoot(store, true);
        tools_.drives = StartupLogic::FirstStartDrives(ctx_.fs());
        ZipMagicCheck();
        listBuild_->UpdateGameList1Click();
    }
}

void TFMain::RestoreSettings() {
    SettingsStore root = ctx_.store();
    StoreSchema::openRoot(root, false);
    tools_ = ReadToolLocations(root);
    if (!tools_.zipMagic.isEmpty()) {
        SwitchZipMagicOff();
    }
    toolCommands_->SetSearchDrives(tools_.drives);

    const StartupLogic::ViewSettings stored = StartupLogic::ReadViewSettings(root);
    ListFill::Switches view = lists_->View();
    view.byEmulator = stored.byEmulator.value_or(view.byEmulator);
    view.showCount = stored.showCount.value_or(view.showCount);
    view.showMissing = stored.showMissing.value_or(view.showMissing);
    view.hideMechanical = stored.hideMechanical.value_or(view.hideMechanical);
    lists_->SetView(view);
    if (stored.highQuality) {
        picture_->SetHighQuality(*stored.highQuality);
    }
    lock_->ApplyLock(PasswordLock::StartsLocked(StoreSchema::kLocked.readFrom(root)));
}

void TFMain::ZipMagicCheck() {
    if (!ctx_.fs().fileExists(tools_.zipMagic)) {
        tools_.zipMagic =
            LocateExecutable(state_.foundFiles, QStringLiteral("ZMCMDLN.EXE")).value_or(QString());
    }
    if (!tools_.zipMagic.isEmpty()) {
        SwitchZipMagicOff();
    }
}

void TFMain::SwitchZipMagicOff() {
    const RunOutcome run = RunZipMagic(QString::fromUtf16(kZipMagicOff));
    if (!run.ok()) {
        ctx_.dialogs().messageBox(u"ZipMagic was not switched off: " + run.message(),
                                  MessageKind::Error, MessageButtons::Ok);
    }
}

RunOutcome TFMain::RunZipMagic(const QString& option) {
    return BatchRunner(ctx_).RunCommand(tools_.zipMagic + option, ShowMode::Minimised);
}

void TFMain::AppActivate() {
    lists_->StartJoystick();
    ShowSelectedGame();
}

void TFMain::AppDeactivate() {
    lists_->StopJoystick();
}

void TFMain::closeEvent(QCloseEvent* event) {
    if (!destroyed_) {
        FormClose();
    }
    event->accept();
}

void TFMain::FormClose() {
    if (!state_.gameLaunched && !tools_.zipMagic.isEmpty()) {
        // Only said on the error stream: the window is going away, maybe on
        // a signal, and a box would hold the shutdown up.
        if (const RunOutcome run = RunZipMagic(QString::fromUtf16(kZipMagicOn)); !run.ok()) {
            qWarning().noquote() << "ZipMagic was not switched on again:" << run.message();
        }
    }
}

void TFMain::FormDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    lists_->StopJoystick();
    std::optional<QString> current;
    if (lists_->CurrentList().itemIndex() >= 0) {
        current = lists_->CurrentEntryName();
    }
    StartupLogic::SaveOnShutdown(ctx_, state_, current);
    state_ = AppState();
}

void TFMain::Exit1Click() {
    close();
}

void TFMain::RemoveALLRegistryKeys1Click() {
    // Every option, play count and the lock go: Enter alone must not do it.
    if (ctx_.dialogs().messageBoxDefaultNo(
            QStringLiteral("Are you sure you want to remove all games and their current settings?"),
            MessageKind::Warning, MessageButtons::YesNo) != mrYes) {
        return;
    }
    SettingsStore store = ctx_.store();
    store.DeleteKey(StorePaths::Root());
    Tag = 0;
    StartUp();
}
