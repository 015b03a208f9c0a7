// Start-up, shutdown and "&Rebuild Game List...".
#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>

#include "app/StartupLogic.h"
#include "app/ui/TFMain.h"
#include "context/AppContext.h"
#include "gamelist/ui/GameListWidget.h"
#include "launch/BatchRunner.h"
#include "maintenance/ui/TFAbout.h"
#include "settings/KeyPath.h"
#include "settings/StoreError.h"
#include "settings/StoreSchema.h"
#include "tools/FoundFiles.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

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
        ShowError(error);
    }
}

void TFMain::StartUp() {
    const QHash<QString, QString> previousPlatforms = [this] {
        QHash<QString, QString> platforms;
        for (int i = 1; i <= state.emulators.count(); ++i) {
            platforms.insert(state.emulators.at(i).emulatorId, state.emulators.at(i).platform);
        }
        return platforms;
    }();
    state.foundFiles.clear();
    state.walkAccumulator.clear();
    state.wantedSuffixes.clear();
    state.pictureIndex.clear();

    SetStatus(QStringLiteral("Loading graphics..."));
    if (ctx_.fs().fileExists(ctx_.ProgramDirectory() + u"picture.dir")) {
        LoadPictureIndex();
    } else {
        UpdatePictureIndex();
    }
    FAbout->LVersion->setText(QStringLiteral("Version .26"));
    setWindowTitle(QStringLiteral("Brivanel .26"));

    const JoystickState stick = ctx_.joystick().read();
    state.joystickCentreX = stick.x;
    state.joystickCentreY = stick.y;
    currentListBox = LBArcade;

    SetStatus(QStringLiteral("Loading INI files..."));
    RemoveEmulatorPages();
    if (StartupLogic::LoadEmulators(ctx_, state, previousPlatforms) !=
        StartupLogic::LoadResult::Loaded) {
        destroyed_ = true;  // ends at once: nothing is written at shutdown
        state.emulators.clear();
        ctx_.exitProgram(0);
        close();
        return;
    }
    CreateEmulatorPages();
    Tag = 1;

    SetStatus(QStringLiteral("Restoring saved settings..."));
    SettingsStore store = ctx_.store();
    if (store.OpenKey(StorePaths::Root(), false)) {
        StartupLogic::CountPlay(store, ctx_.clock().now());
        RestoreSettings();
        if (FFileLocations->EDrives->text().isEmpty()) {
            FFileLocations->EDrives->setText(QStringLiteral("C:"));
        }
        store.OpenKey(StorePaths::Root(), false);
        if (store.ReadString(QStringLiteral("Version")) != StoreSchema::versionStamp()) {
            StartupLogic::MigrateStore(store);
            ZipMagicCheck();
            UpdateGameList1Click();
            if (store.OpenKey(StorePaths::Root(), false)) {
                store.WriteString(QStringLiteral("Version"), StoreSchema::versionStamp());
            }
        }
        store.CloseKey();
        RebuildLists();
        UpdateGameCount();
        currentListBox->setFocus();
    } else {
        store.OpenKey(StorePaths::Root(), true);
        FFileLocations->EDrives->setText(StartupLogic::FirstStartDrives(ctx_.fs()));
        ZipMagicCheck();
        UpdateGameList1Click();
    }
}

void TFMain::RestoreSettings() {
    SettingsStore root = ctx_.store();
    root.OpenKey(StorePaths::Root(), false);
    const StartupLogic::ToolLocations tools = StartupLogic::ReadToolLocations(root);
    FFileLocations->EPKZip->setText(tools.pkzip);
    FFileLocations->EPKUnzip->setText(tools.pkunzip);
    FFileLocations->EZipMagic->setText(tools.zipMagic);
    if (!tools.zipMagic.isEmpty()) {
        RunZipMagic(QStringLiteral(" /e-"));
    }
    FFileLocations->EJoyEmu->setText(tools.joyEmu);
    FFileLocations->EJoyCP->setText(tools.joyCp);
    FFileLocations->EUniVBE->setText(tools.uniVbe);
    FFileLocations->EDrives->setText(tools.drives);
    FSearchOptions->ESearchDrives->setText(tools.drives);

    const StartupLogic::ViewSettings view = StartupLogic::ReadViewSettings(root);
    if (view.byEmulator) {
        (*view.byEmulator ? byEmulator1 : byName1)->setChecked(true);
    }
    if (view.showCount) {
        byCount1->setChecked(*view.showCount);
    }
    if (view.showMissing) {
        MissingGames1->setChecked(*view.showMissing);
    }
    if (view.highQuality) {
        HighQualityImages1->setChecked(*view.highQuality);
    }
    ApplyLock(!root.ReadString(QStringLiteral("Locked")).isEmpty());
}

void TFMain::ZipMagicCheck() {
    QLineEdit* field = FFileLocations->EZipMagic;
    if (!ctx_.fs().fileExists(field->text())) {
        field->setText(
            LocateExecutable(state.foundFiles, QStringLiteral("ZMCMDLN.EXE")).value_or(QString()));
    }
    if (!field->text().isEmpty()) {
        RunZipMagic(QStringLiteral(" /e-"));
    }
}

void TFMain::RunZipMagic(const QString& option) {
    BatchRunner(ctx_).RunCommand(FFileLocations->EZipMagic->text() + option, ShowMode::Minimised);
}

std::vector<QObject*> TFMain::LockableItems() const {
    std::vector<QObject*> items;
    for (QObject* item : std::initializer_list<QObject*>{
             Locations1, UpdateGameList1, RemoveALLRegistryKeys1, AddSoundSample1,
             Advanced1 ? Advanced1->menuAction() : nullptr, ResettoEmulatorDefaults1,
             Removefromlist1, Addtolist1, FixROM1, LongNameCleanup1, Uninstall1}) {
        if (item != nullptr) {
            items.push_back(item);
        }
    }
    return items;
}

void TFMain::ApplyLock(bool locked) {
    state.locked = locked;
    if (Lock1 != nullptr) {
        Lock1->setText(locked ? QStringLiteral("Unlock...") : QStringLiteral("Lock..."));
    }
    for (QObject* item : LockableItems()) {
        static_cast<QAction*>(item)->setEnabled(!locked);
    }
}

void TFMain::RemoveEmulatorPages() {
    for (QWidget* tab : emulatorTabs) {
        delete tab;
    }
    delete TSSingle;
    TSSingle = nullptr;
    LBSingle = nullptr;
    emulatorTabs.assign(1, nullptr);
    emulatorLists.assign(1, nullptr);
}

void TFMain::CreateEmulatorPages() {
    for (int i = 1; i <= state.emulators.count(); ++i) {
        const EmulatorDefinition& e = state.emulators.at(i);
        if (e.isSingle()) {
            emulatorTabs.push_back(nullptr);
            emulatorLists.push_back(nullptr);
            continue;
        }
        auto* page = new QWidget(PCConsole);
        QString caption = e.tabCaption();
        PCConsole->addTab(page, caption.replace(u'&', QStringLiteral("&&")));  // shown literally
        emulatorTabs.push_back(page);
        emulatorLists.push_back(NewGameList(page));
    }
    TSSingle = new QWidget(PCConsole);
    PCConsole->addTab(TSSingle, QStringLiteral("Single"));
    LBSingle = NewGameList(TSSingle);
}

void TFMain::AppActivate() {
    Timer2->start();
    ShowSelectedGame();
}

void TFMain::AppDeactivate() {
    Timer2->stop();
}

void TFMain::closeEvent(QCloseEvent* event) {
    if (!destroyed_) {
        FormClose();
    }
    event->accept();
}

void TFMain::FormClose() {
    if (!state.gameLaunched && !FFileLocations->EZipMagic->text().isEmpty()) {
        RunZipMagic(QStringLiteral(" /e+"));
    }
}

void TFMain::FormDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    Timer1->stop();
    Timer2->stop();
    std::optional<QString> current;
    if (currentListBox->itemIndex() >= 0) {
        current = CurrentEntryName();
    }
    StartupLogic::SaveOnShutdown(ctx_, state, current);
    state = AppState();
}

void TFMain::Exit1Click() {
    close();
}

void TFMain::RemoveALLRegistryKeys1Click() {
    if (ctx_.dialogs().messageBox(
            QStringLiteral("Are you sure you want to remove all games and their current settings?"),
            MessageKind::Warning, MessageButtons::YesNo) != mrYes) {
        return;
    }
    SettingsStore store = ctx_.store();
    store.DeleteKey(StorePaths::Root());
    Tag = 0;
    StartUp();
}
