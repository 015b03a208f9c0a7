// Start-up, shutdown and "&Rebuild Game List...".
#include <QCloseEvent>
#include <QFileInfo>
#include <QTimer>

#include "app/StartupLogic.h"
#include "app/ui/MainStatusBar.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"
#include "gamelist/ui/ListBuildController.h"
#include "launch/ui/PlayCommand.h"
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
    if (stage_ == Stage::Created) {
        stage_ = Stage::Starting;
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TFMain::FormActivate() {
    if (stage_ != Stage::Created && stage_ != Stage::Starting) {
        return;
    }
    try {
        StartUp();
    } catch (const StoreOpenError& error) {
        // Without a usable store nothing can be kept; the file stays untouched.
        ctx_.dialogs().messageBox(error.message(), MessageKind::Error, MessageButtons::Ok);
        EndAtStartUp(1);
    } catch (const std::exception& error) {
        guard_.show(error);
    }
}

void TFMain::EndAtStartUp(int exitCode) {
    stage_ = Stage::Ended;
    ctx_.exitProgram(exitCode);
}

void TFMain::StartUp() {
    stage_ = Stage::Starting;
    foundFiles_->Clear();

    StatusBar1->SetStatus(QStringLiteral("Loading graphics..."));
    if (ctx_.fs().fileExists(ctx_.ProgramDirectory() + u"picture.dir")) {
        picture_->LoadPictureIndex();
    } else {
        picture_->UpdatePictureIndex();
    }
    const QString version = StoreSchema::versionStamp();
    help_->SetVersion(u"Version " + version);
    setWindowTitle(u"Brivanel " + version);

    lists_->CentreJoystick();

    StatusBar1->SetStatus(QStringLiteral("Loading INI files..."));
    if (StartupLogic::LoadEmulators(ctx_, emulators_) != StartupLogic::LoadResult::Loaded) {
        // Ends at once: nothing is written at shutdown.
        emulators_.clear();
        EndAtStartUp(0);
        close();
        return;
    }
    lists_->ResetPages();
    listBuild_->EmulatorsLoaded();
    stage_ = Stage::Running;

    StatusBar1->SetStatus(QStringLiteral("Restoring saved settings..."));
    SettingsStore store = ctx_.store();
    if (StoreSchema::openRoot(store, false)) {
        if (const std::optional<PlayReturn> back = play_->TakePlayReturn()) {
            StatusBar1->ShowNotice(PlayFailureNotice(*back));
            picture_->AdoptSnapshot(back->entryName);
        }
        StartupLogic::CountPlay(store, ctx_.clock().now());
        RestoreSettings();
        toolCommands_->EnsureDrives();
        StoreSchema::openRoot(store, false);
        if (StoreSchema::kVersion.readFrom(store) != version) {
            // A store the installer prepared holds no list yet: its first
            // build takes the tools it finds, as a first start does.
            const bool noListYet = store.GetKeyNames().isEmpty();
            StartupLogic::MigrateStore(store);
            toolCommands_->ZipMagicCheck();
            listBuild_->UpdateGameList1Click();
            if (noListYet) {
                toolCommands_->StoreFoundTools();
            }
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
        toolCommands_->SetFirstStartDrives(StartupLogic::FirstStartDrives(ctx_.fs()));
        toolCommands_->ZipMagicCheck();
        listBuild_->UpdateGameList1Click();
        toolCommands_->StoreFoundTools();
    }
}

void TFMain::RestoreSettings() {
    SettingsStore root = ctx_.store();
    StoreSchema::openRoot(root, false);
    toolCommands_->RestoreLocations(root);

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

void TFMain::RestoreGeometry() {
    // A store that is not there yet is not made here: start-up decides that.
    if (!QFileInfo::exists(ctx_.storeFile())) {
        return;
    }
    try {
        SettingsStore root = ctx_.store();
        if (StoreSchema::openRoot(root, false)) {
            restoreGeometry(
                QByteArray::fromBase64(StoreSchema::kWindowGeometry.readFrom(root).toLatin1()));
        }
    } catch (const std::exception&) {
        // Start-up opens the store again and says what is wrong with it.
    }
}

void TFMain::AppActivate() {
    lists_->StartJoystick();
    ShowSelectedGame();
}

void TFMain::AppDeactivate() {
    lists_->StopJoystick();
}

void TFMain::GameLaunched() {
    stage_ = Stage::Launched;
    close();
}

void TFMain::closeEvent(QCloseEvent* event) {
    if (stage_ != Stage::Ended) {
        FormClose();
    }
    event->accept();
}

void TFMain::FormClose() {
    if (stage_ != Stage::Launched) {
        toolCommands_->ZipMagicOn();
    }
}

void TFMain::FormDestroy() {
    const bool launched = stage_ == Stage::Launched;
    stage_ = Stage::Ended;
    lists_->StopJoystick();
    std::optional<QString> current;
    if (lists_->HasSelection()) {
        current = lists_->CurrentEntryName();
    }
    StartupLogic::SaveOnShutdown(ctx_, emulators_, launched, current);
    SettingsStore root = ctx_.store();
    if (StoreSchema::openRoot(root, false)) {
        StoreSchema::kWindowGeometry.writeTo(root, QString::fromLatin1(saveGeometry().toBase64()));
    }
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
    StartUp();
}
