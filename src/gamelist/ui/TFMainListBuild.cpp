// "&Update Game List...": the list build, one emulator step after the
// other and one game per tick of Timer1.
#include <QAction>
#include <QSignalBlocker>

#include "app/StartupLogic.h"
#include "app/ui/GuardedHandler.h"
#include "app/ui/TFMain.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "gamelist/EmulatorRegistration.h"
#include "gamelist/GameStep.h"
#include "gamelist/ListFileGames.h"
#include "gamelist/MameListConversion.h"
#include "gamelist/MameListRequest.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/TFStatus.h"
#include "launch/BatchRunner.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "settings/KeyPath.h"
#include "settings/StoreSchema.h"
#include "tools/FoundFiles.h"
#include "tools/ui/TFSearchOptions.h"

namespace {

// How long a list file may take to appear: 0.0004 days, 34.56 seconds.
constexpr double kListFileWaitDays = 0.0004;

}  // namespace

void TFMain::CreateListBuildMenus() {
    UpdateGameList1 = new QAction(QStringLiteral("&Update Game List..."), this);
    UpdateGameList1->setStatusTip(QStringLiteral("Add new games to the existing list"));
    File1->insertAction(RemoveALLRegistryKeys1, UpdateGameList1);
    connectGuarded(UpdateGameList1, &QAction::triggered, this, &TFMain::UpdateGameList1Click);

    const QString hint =
        QStringLiteral("To update game list, select Update Game List from the File menu");
    setStatusTip(hint);
    setToolTip(hint);
}

void TFMain::UpdateGameList1Click() {
    if (ctx_.dialogs().execDialog(*FSearchOptions) != mrOk) {
        return;
    }
    Timer1->stop();  // a build still running gives way to the new one
    currentListBox->clear();
    state.wantedSuffixes.clear();
    state.walkAccumulator.clear();
    state.foundFiles.clear();
    SearchDrives();
    // Indexing belongs to the search, which blocks the window anyway; the
    // ticks that follow then only look up.
    FoundFilesLookup();
    listBuild.ListBuildIndex = 1;
    state.listBuildAbort = false;
    listBuild.Timer1Tag = 0;
    listBuild.ListBuildLines.clear();
    ProcessEmulator();
}

const FoundFilesIndex& TFMain::FoundFilesLookup() {
    listBuild.foundFilesIndex.update(state.foundFiles);
    return listBuild.foundFilesIndex;
}

void TFMain::NextEmulatorStep() {
    if (state.listBuildAbort) {
        return;
    }
    ++listBuild.ListBuildIndex;
    if (listBuild.ListBuildIndex > state.emulators.count()) {
        RebuildLists();
        return;
    }
    ProcessEmulator();
}

void TFMain::ProcessEmulator() {
    if (state.listBuildAbort || !state.emulators.isValidIndex(listBuild.ListBuildIndex)) {
        RebuildLists();
        return;
    }
    const int p = listBuild.ListBuildIndex;
    const EmulatorDefinition& emulator = state.emulators.at(p);
    const auto chosen = FSearchOptions->LBYes->findItems(emulator.lbName, Qt::MatchFixedString);
    if (chosen.isEmpty()) {
        NextEmulatorStep();
        return;
    }
    ShowGamePicture(p, QString(), QString());
    BringEmulatorPageToFront(p);

    SettingsStore store = ctx_.store();
    if (store.OpenKey(StorePaths::Root(), false)) {
        store.WriteString(QStringLiteral("Version"), StoreSchema::versionStamp());
    }
    const QString executableName = emulator.emulatorId + u".EXE";
    if (!store.KeyExists(StorePaths::Entry(emulator.lbName))) {
        const auto executable = LocateExecutable(state.foundFiles, executableName);
        if (!executable) {
            NextEmulatorStep();
            return;
        }
        EmulatorRegistration::RegisterEmulator(store, emulator, p, *executable);
    }
    store.OpenKey(StorePaths::Entry(emulator.lbName), false);
    const QString location = QStringLiteral("Location");
    if (store.ValueExists(location) && !ctx_.fs().fileExists(store.ReadString(location))) {
        // The executable has gone: remember where it is now, or that it is
        // nowhere, and leave the emulator for the next build.
        store.WriteString(location,
                          LocateExecutable(state.foundFiles, executableName).value_or(QString()));
        NextEmulatorStep();
        return;
    }
    const QString executable = store.ReadString(location);
    if (currentListBox->indexOf(emulator.lbName) < 0) {
        currentListBox->addItem(emulator.lbName);
    }
    if (emulator.isSingle()) {
        NextEmulatorStep();
        return;
    }
    if (emulator.type == u"MAME") {
        const QString programDirectory = ctx_.ProgramDirectory();
        ScriptWords words;
        const std::optional<QStringList> lines = MameListRequest::ScriptLines(
            ctx_.fs().shortPath(executable), programDirectory, emulator.emulatorId, words);
        if (!lines) {
            // Its old lists stay; the build goes on with the next emulator.
            ctx_.dialogs().messageBox(
                words.message(u"The game list of \"" + emulator.lbName + u"\" cannot be requested"),
                MessageKind::Error, MessageButtons::Ok);
            NextEmulatorStep();
            return;
        }
        MameListRequest::RemoveOldLists(ctx_.fs(), programDirectory, emulator.emulatorId);
        BatchRunner(ctx_).RunScript(*lines, ShowMode::Minimised);
    }
    listBuild.ListBuildStart = ctx_.clock().now();
    Timer1->start();
}

void TFMain::BringEmulatorPageToFront(int emulatorIndex) {
    const EmulatorDefinition& emulator = state.emulators.at(emulatorIndex);
    QWidget* page = nullptr;
    if (byEmulator1->isChecked()) {
        page = emulator.isSingle()                        ? TSSingle
               : emulatorIndex < int(emulatorTabs.size()) ? emulatorTabs[size_t(emulatorIndex)]
                                                          : nullptr;
    } else {
        page = emulator.type == u"CONSOLE" ? TSConsole : TSArcade;
    }
    if (page != nullptr) {
        // The build selects without the selection refresh: a page change
        // would reload the panel, replace the emulator's picture and tidy the
        // store in the middle of the build.
        const QSignalBlocker quiet(PCConsole);
        PCConsole->setCurrentWidget(page);
        if (GameListWidget* list = ListOfPage(page)) {
            currentListBox = list;
        }
    }
    PCConsole->repaint();
}

void TFMain::Timer1Timer() {
    if (listBuild.Timer1Tag == 0 && !ListFileArrived()) {
        return;
    }
    HandleNextGame();
}

// The waiting phase: true once the emulator's list file is there and its
// game names are collected.
bool TFMain::ListFileArrived() {
    if (state.listBuildAbort || !state.emulators.isValidIndex(listBuild.ListBuildIndex)) {
        Timer1->stop();
        return false;
    }
    // The wait is timed from a full date and time, so that it also ends
    // across midnight; a clock set back restarts it rather than stretch it.
    const double now = ctx_.clock().now();
    if (now < listBuild.ListBuildStart) {
        listBuild.ListBuildStart = now;
    }
    if (now - listBuild.ListBuildStart > kListFileWaitDays) {
        Timer1->stop();
        ctx_.dialogs().messageBox(QStringLiteral("Could not find game list.  Closing."),
                                  MessageKind::Error, MessageButtons::Ok);
        ctx_.exitProgram(2);
        close();
        return false;
    }
    const EmulatorDefinition& emulator = state.emulators.at(listBuild.ListBuildIndex);
    const QString listFile = ListFilePath(ctx_, emulator);
    if (!ctx_.fs().fileExists(listFile)) {
        return false;
    }
    if (emulator.type == u"MAME") {
        MameListConversion::ConvertListFiles(ctx_.fs(), listFile);
    }
    listBuild.ListBuildLines = ListFileGames::ReadGameNames(ctx_.fs(), listFile);
    return true;
}

// The game phase: one game per tick.
void TFMain::HandleNextGame() {
    Timer1->stop();
    const int p = listBuild.ListBuildIndex;
    if (!state.emulators.isValidIndex(p)) {
        // The table was loaded again under a running build: nothing to go on with.
        listBuild.ListBuildLines.clear();
        listBuild.Timer1Tag = 0;
        return;
    }
    EmulatorDefinition& emulator = state.emulators.at(p);
    std::optional<GameStep::GameNames> names;
    while (!names && ++listBuild.Timer1Tag <= listBuild.ListBuildLines.size()) {
        names = GameStep::ResolveGameNames(ctx_, emulator,
                                           listBuild.ListBuildLines[listBuild.Timer1Tag - 1]);
    }
    if (!names) {
        listBuild.ListBuildLines.clear();
        listBuild.Timer1Tag = 0;
        NextEmulatorStep();
        if (currentListBox->count() > 0) {
            currentListBox->setItemIndex(0);
        }
        return;
    }

    LEmu->setText(emulator.lbName);
    LSn->setText(names->shortName.toUpper());
    LClone->setText(ParentName(ctx_, emulator, names->shortName).toUpper());
    LEmu->repaint();
    LSn->repaint();
    LClone->repaint();
    SetStatus(names->fullName);

    SettingsStore store = ctx_.store();
    const QString emulatorDirectory =
        store.OpenKey(StorePaths::Entry(emulator.lbName), false)
            ? DosPath::directoryPart(store.ReadString(QStringLiteral("Location")))
            : QString();
    const GameStep::Outcome outcome = GameStep::HandleGame(
        ctx_, emulator, *names, emulatorDirectory,
        [&] { return FindRomLocation(names->shortName, p, emulatorDirectory); });
    if (outcome.aborted) {
        RebuildLists();
        return;
    }
    if (!outcome.searched) {
        LPath->setText(outcome.location);
        LPath->repaint();
    }
    switch (outcome.listChange) {
        case GameStep::Outcome::ListChange::AddAndSelect: {
            int row = currentListBox->indexOf(outcome.listItem);
            if (row < 0) {
                row = currentListBox->addItem(outcome.listItem);
            }
            currentListBox->setItemIndex(row);
            break;
        }
        case GameStep::Outcome::ListChange::AddMissing:
            if (currentListBox->indexOf(outcome.listItem) < 0) {
                currentListBox->addItem(outcome.listItem);
            }
            break;
        case GameStep::Outcome::ListChange::None:
            break;
    }
    Timer1->start();
}

RomLocation::Result TFMain::FindRomLocation(const QString& shortName, int emulatorIndex,
                                            const QString& emulatorDirectory) {
    if (state.foundFiles.isEmpty()) {
        SearchDrives();
    }
    RomLocation::Hooks hooks;
    hooks.showNames = [this](const QString& listName, const QString& name, const QString& parent) {
        for (const auto& [label, text] :
             {std::pair{LEmu, listName}, {LSn, name}, {LClone, parent}}) {
            label->setText(text);
            label->repaint();
        }
    };
    hooks.showLocation = [this](const QString& location) {
        LPath->setText(location);
        LPath->repaint();
    };
    hooks.ask = [this](const RomLocation::Question& question) { return AskRomChoice(question); };
    const RomLocation::Result result =
        RomLocation::Find(ctx_, FoundFilesLookup(), state.emulators.at(emulatorIndex), shortName,
                          emulatorDirectory, hooks);
    if (result.aborted) {
        state.listBuildAbort = true;
    }
    return result;
}

RomLocation::Answer TFMain::AskRomChoice(const RomLocation::Question& question) {
    FStatus->Prepare(LSn->text(), question.emulatorId, question.candidates);
    const int result = ctx_.dialogs().execDialog(*FStatus);
    return RomLocation::Answer{result, FStatus->SelectedItem()};
}
