#include "gamelist/ui/ListBuildController.h"

#include <QElapsedTimer>
#include <QScopeGuard>

#include "catalogue/EmulatorTable.h"
#include "context/Accessors.h"
#include "context/AppContext.h"
#include "context/BatchRunner.h"
#include "context/StatusLine.h"
#include "gamelist/BuildSummary.h"
#include "gamelist/EmulatorRegistration.h"
#include "gamelist/GameFacts.h"
#include "gamelist/GameStep.h"
#include "gamelist/ListFileGames.h"
#include "gamelist/ListXmlRun.h"
#include "gamelist/MameListConversion.h"
#include "gamelist/MameListRequest.h"
#include "gamelist/ui/TFStatus.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/WaitCursor.h"
#include "settings/KeyPath.h"
#include "settings/StoreSchema.h"
#include "tools/DriveSearch.h"
#include "tools/FoundFiles.h"
#include "tools/ToolLocations.h"

namespace {

// How long a list file may take to appear: 0.0004 days, 34.56 seconds.
constexpr double kListFileWaitDays = 0.0004;
// How long the machines' facts may take once the list is there: 0.002
// days, almost three minutes, several times what a current MAME needs on a
// busy machine. After that the games go on without them.
constexpr double kFactsWaitDays = 0.002;
// The work one tick does at the fast pace before the window runs again:
// short enough that keys, clicks and painting still feel immediate.
constexpr qint64 kFastTickMs = 40;
// Timer1's interval; at the fast pace the next tick follows as soon as the
// window has handled its events, or the 40 ms of work would be spread over
// 140 ms and the build take three times as long.
constexpr int kTickMs = 100;
constexpr int kFastNextTickMs = 0;

}  // namespace

ListBuildController::ListBuildController(AppContext& ctx, const EmulatorTable& emulators,
                                         const ErrorGuard& guard, StatusLine& status,
                                         const ToolLocations& tools, FoundFiles& foundFiles,
                                         QWidget* window)
    : QObject(window),
      ctx_(ctx),
      emulators_(emulators),
      guard_(guard),
      status_(status),
      tools_(tools),
      foundFiles_(foundFiles),
      Timer1(new QTimer(this)),
      UpdateGameList1(newMenuItem(this, "UpdateGameList1", QStringLiteral("&Update Game List..."),
                                  QStringLiteral("Add new games to the existing list"))),
      StopListBuild1(newMenuItem(this, "StopListBuild1", QStringLiteral("S&top List Build"),
                                 QStringLiteral("Stop the running list build; the games handled "
                                                "so far stay in the list"))),
      FStatus(new TFStatus(window)) {
    setObjectName(QStringLiteral("ListBuild"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    guard_.connect(Timer1, &QTimer::timeout, this, &ListBuildController::Timer1Timer);
    guard_.connect(UpdateGameList1, &QAction::triggered, this,
                   &ListBuildController::UpdateGameList1Click);
    StopListBuild1->setEnabled(false);
    guard_.connect(StopListBuild1, &QAction::triggered, this,
                   &ListBuildController::StopListBuild1Click);
}

ListBuildController::~ListBuildController() = default;

bool ListBuildController::IsReadingFacts() const {
    return factsRead_ && factsRead_->running();
}

void ListBuildController::UpdateGameList1Click() {
    emit searchOptionsWanted();
}

void ListBuildController::Build(const SearchChoice::Choice& choice) {
    Timer1->stop();  // a build still running gives way to the new one
    EndProgress();
    emit listCleared();
    foundFiles_.Clear();
    SearchDrives();
    BuildFromFoundFiles(choice.emulators, choice.fastListBuild);
}

void ListBuildController::EmulatorsLoaded() {
    chosenRomDirectories_.clear();
}

void ListBuildController::BuildFromFoundFiles(const QStringList& chosenEmulators, bool fast) {
    // Indexing belongs to the search, which blocks the window anyway; the
    // ticks that follow then only look up.
    FoundFilesLookup();
    build_.chosenEmulators = chosenEmulators;
    build_.fast = fast;
    build_.ListBuildIndex = 1;
    abort_ = false;
    build_.Timer1Tag = 0;
    build_.ListBuildLines.clear();
    summary_.clear();
    for (const QString& path : emptySearchPaths_) {
        summary_.addNote(u"nothing found on " + path);
    }
    StopListBuild1->setEnabled(true);
    RunStep([this] { ProcessEmulator(); });
}

void ListBuildController::StopListBuild1Click() {
    if (!StopListBuild1->isEnabled()) {
        return;
    }
    // As Cancel in TFStatus: the entries written so far stay, and the lists
    // show them.
    abort_ = true;
    Timer1->stop();
    EndProgress();
    build_.ListBuildLines.clear();
    build_.Timer1Tag = 0;
    summary_.addNote(QStringLiteral("list build stopped"));
    EndBuild();
    AnnounceEnd();
}

void ListBuildController::EndBuild() {
    DropFacts();
    StopListBuild1->setEnabled(false);
    emit listsRebuildWanted();
    ended_ = true;
}

void ListBuildController::AnnounceEnd() {
    // Announced once the step that ended the build is done: the last
    // emulator's end still selects the first item after the rebuild.
    if (ended_) {
        ended_ = false;
        emit buildEnded();
        // Last, so that no refresh of the selection writes over it.
        status_.SetStatus(summary_.text());
    }
}

void ListBuildController::SearchDrives() {
    const WaitCursor wait;
    foundFiles_.SearchDrives(ctx_.fs(), emulators_, tools_.drives, status_,
                             ctx_.fs().toDos(ctx_.programHostDir()));
    emptySearchPaths_ = DriveSearch::PathsWithoutFiles(DriveSearch::SplitSearchPaths(tools_.drives),
                                                       foundFiles_.paths());
}

const FoundFilesIndex& ListBuildController::FoundFilesLookup() {
    build_.foundFilesIndex.update(foundFiles_.paths());
    return build_.foundFilesIndex;
}

void ListBuildController::NextEmulatorStep() {
    if (abort_) {
        return;
    }
    ++build_.ListBuildIndex;
    if (build_.ListBuildIndex > emulators_.count()) {
        EndBuild();
        return;
    }
    ProcessEmulator();
}

void ListBuildController::ProcessEmulator() {
    if (abort_ || !emulators_.isValidIndex(build_.ListBuildIndex)) {
        EndBuild();
        return;
    }
    const int p = build_.ListBuildIndex;
    const EmulatorDefinition& emulator = emulators_.at(p);
    DropFacts();
    // Chosen as the dialog's list finds a name: ignoring case.
    if (!build_.chosenEmulators.contains(emulator.lbName, Qt::CaseInsensitive)) {
        NextEmulatorStep();
        return;
    }
    emit emulatorVisited(p, emulator.lbName);

    SettingsStore store = ctx_.store();
    if (StoreSchema::openRoot(store, false)) {
        StoreSchema::kVersion.writeTo(store, StoreSchema::versionStamp());
    }
    const QString executableName = emulator.emulatorId + u".EXE";
    if (!store.KeyExists(StorePaths::Entry(emulator.lbName))) {
        const auto executable = foundFiles_.LocateExecutable(executableName);
        if (!executable) {
            NextEmulatorStep();
            return;
        }
        EmulatorRegistration::RegisterEmulator(store, emulator, p, *executable);
    }
    store.OpenKey(StorePaths::Entry(emulator.lbName), false);
    using StoreSchema::kLocation;
    if (kLocation.isIn(store) && !ctx_.fs().fileExists(kLocation.readFrom(store))) {
        // The executable has gone: remember where it is now, or that it is
        // nowhere, and leave the emulator for the next build.
        kLocation.writeTo(store, foundFiles_.LocateExecutable(executableName).value_or(QString()));
        NextEmulatorStep();
        return;
    }
    const QString executable = kLocation.readFrom(store);
    emit itemListed(emulator.lbName, false);
    if (emulator.isSingle()) {
        NextEmulatorStep();
        return;
    }
    if (const std::optional<QString> listFile = MissingListFile(ctx_, emulator)) {
        // Only a list the emulator prints is worth waiting for.
        status_.SetStatus(MissingListMessage(emulator.lbName, *listFile));
        summary_.addMissingList(*listFile);
        NextEmulatorStep();
        return;
    }
    if (emulator.type == u"MAME") {
        if (const RunOutcome request = RequestMameLists(emulator, executable); !request.ok()) {
            // No list will come, so none is waited for: the build goes on
            // with the next emulator at once.
            ctx_.dialogs().messageBox(request.message(), MessageKind::Error, MessageButtons::Ok);
            NextEmulatorStep();
            return;
        }
        StartFactsRead(executable);
    }
    build_.ListBuildStart = ctx_.clock().now();
    Timer1->start(kTickMs);
}

RunOutcome ListBuildController::RequestMameLists(const EmulatorDefinition& emulator,
                                                 const QString& executable) {
    const QString programDirectory = ctx_.ProgramDirectory();
    const QString refused = u"The game list of \"" + emulator.lbName + u"\" cannot be requested";
    ScriptWords words(ctx_.fs());
    const std::optional<QStringList> lines = MameListRequest::ScriptLines(
        ctx_.fs().shortPath(executable), programDirectory, emulator.emulatorId, words);
    if (!lines) {
        return RunOutcome::failed(words.message(refused));  // its old lists stay
    }
    const BatchRunner runner(ctx_);
    RunOutcome run = runner.WriteScript(*lines);
    if (run.ok()) {
        // The old lists go only once the script that prints new ones is there.
        MameListRequest::RemoveOldLists(ctx_.fs(), programDirectory, emulator.emulatorId);
        run = runner.StartScript(ShowMode::Minimised);
    }
    return run.ok() ? run : RunOutcome::failed(refused + u": " + run.message());
}

void ListBuildController::StartFactsRead(const QString& executable) {
    ScriptWords words(ctx_.fs());
    const std::optional<QString> line =
        MameListRequest::FactsLine(ctx_.fs().shortPath(executable), words);
    if (!line) {
        return;
    }
    if (std::unique_ptr<QProcess> process = BatchRunner(ctx_).StartReading(*line)) {
        factsRead_ = std::make_unique<ListXmlRun>(std::move(process));
    }
}

void ListBuildController::DropFacts() {
    factsRead_.reset();
    build_.facts.clear();
}

void ListBuildController::Timer1Timer() {
    RunStep([this] { TimerTick(); });
}

void ListBuildController::RunStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        AbandonBuild(error);
    }
    AnnounceEnd();
}

void ListBuildController::AbandonBuild(const std::exception& error) {
    // Ended as a cancelled build ends: no timer left running, no bar left
    // standing, the lists as the store now holds them, and the end told.
    Timer1->stop();
    StopListBuild1->setEnabled(false);
    EndProgress();
    DropFacts();
    build_.ListBuildLines.clear();
    build_.Timer1Tag = 0;
    guard_.show(error);
    guard_.run([this] { emit listsRebuildWanted(); });
    ended_ = true;
}

void ListBuildController::TimerTick() {
    if (build_.Timer1Tag == 0 && !ListFileArrived()) {
        return;
    }
    // No tick comes in while a game is handled, not even while TFStatus asks.
    Timer1->stop();
    QElapsedTimer work;
    work.start();
    askedThisTick_ = false;
    deferDisplay_ = build_.fast;
    tickWork_.emplace(ctx_.profiles(), ctx_.database());
    const auto endWork = qScopeGuard([this] { tickWork_.reset(); });
    bool more = HandleNextGame();
    while (more && build_.fast && !askedThisTick_ && work.elapsed() < kFastTickMs) {
        more = HandleNextGame();
    }
    EndTickWork();
    deferDisplay_ = false;
    ShowPending();
    if (more) {
        Timer1->start(build_.fast ? kFastNextTickMs : kTickMs);
    }
}

void ListBuildController::ShowNames(const QString& listName, const QString& shortName,
                                    const QString& parentName) {
    pending_.names = {listName, shortName, parentName};
    if (!deferDisplay_) {
        ShowPending();
    }
}

void ListBuildController::ShowPath(const QString& location) {
    pending_.path = location;
    if (!deferDisplay_) {
        ShowPending();
    }
}

void ListBuildController::ShowGame(const QString& fullName) {
    pending_.game = fullName;
    if (!deferDisplay_) {
        ShowPending();
    }
}

void ListBuildController::ShowPending() {
    if (pending_.names) {
        const auto& [listName, shortName, parentName] = *pending_.names;
        emit namesShown(listName, shortName, parentName);
    }
    if (pending_.path) {
        emit pathShown(*pending_.path);
    }
    if (pending_.game) {
        status_.SetStatus(*pending_.game);
        status_.StepProgress(build_.Timer1Tag);
    }
    pending_ = {};
}

void ListBuildController::EndTickWork() {
    if (tickWork_) {
        tickWork_->writes.commit();
        tickWork_.reset();
    }
}

void ListBuildController::EndProgress() {
    pending_.game.reset();
    status_.EndProgress();
}

bool ListBuildController::ListFileArrived() {
    if (abort_ || !emulators_.isValidIndex(build_.ListBuildIndex)) {
        Timer1->stop();
        DropFacts();
        return false;
    }
    // The wait is timed from a full date and time, so that it also ends
    // across midnight; a clock set back restarts it rather than stretch it.
    const double now = ctx_.clock().now();
    if (now < build_.ListBuildStart) {
        build_.ListBuildStart = now;
    }
    const EmulatorDefinition& emulator = emulators_.at(build_.ListBuildIndex);
    const QString listFile = ListFilePath(ctx_, emulator);
    const bool listThere = ctx_.fs().fileExists(listFile);
    if (IsReadingFacts() && listThere) {
        // The list is there; its games wait for the facts that decide which
        // of them are listed, unless those take far too long.
        if (now - build_.ListBuildStart <= kFactsWaitDays) {
            return false;
        }
        factsRead_->stop();
    }
    // A list that came while the facts were read has not been missed.
    if (now - build_.ListBuildStart > kListFileWaitDays && !(factsRead_ && listThere)) {
        Timer1->stop();
        ctx_.dialogs().messageBox(QStringLiteral("Could not find game list.  Closing."),
                                  MessageKind::Error, MessageButtons::Ok);
        ctx_.exitProgram(2);
        emit closeRequested();
        return false;
    }
    if (!listThere) {
        return false;
    }
    if (factsRead_) {
        build_.facts = factsRead_->takeFacts();
        factsRead_.reset();
    }
    if (emulator.type == u"MAME") {
        MameListConversion::ConvertListFiles(ctx_.fs(), listFile);
    }
    build_.ListBuildLines = ListFileGames::ReadGameNames(ctx_.fs(), listFile);
    // The bar lives as long as the build, not a scope: the status bar is
    // driven directly rather than through a StatusProgress.
    status_.BeginProgress(build_.ListBuildLines.size(), emulator.lbName + u": game");
    return true;
}

bool ListBuildController::HandleNextGame() {
    const int p = build_.ListBuildIndex;
    if (!emulators_.isValidIndex(p)) {
        // The table was loaded again under a running build: nothing to go on with.
        EndProgress();
        build_.ListBuildLines.clear();
        build_.Timer1Tag = 0;
        return false;
    }
    const EmulatorDefinition& emulator = emulators_.at(p);
    std::optional<GameStep::GameNames> names;
    const MachineFacts* facts = nullptr;
    while (!names && ++build_.Timer1Tag <= build_.ListBuildLines.size()) {
        names =
            GameStep::ResolveGameNames(ctx_, emulator, build_.ListBuildLines[build_.Timer1Tag - 1]);
        const auto known = names ? build_.facts.constFind(names->shortName) : build_.facts.cend();
        facts = known != build_.facts.cend() ? &*known : nullptr;
        if (facts != nullptr && !facts->listed()) {
            // Nothing anyone could play: passed over without a tick of its own.
            GameFacts::FlagUnlisted(ctx_, names->fullName, *facts);
            names.reset();
        }
    }
    if (!names) {
        EndTickWork();
        ShowPending();
        EndProgress();
        build_.ListBuildLines.clear();
        DropFacts();
        build_.Timer1Tag = 0;
        NextEmulatorStep();
        emit emulatorDone();
        return false;
    }

    ShowNames(emulator.lbName, names->shortName.toUpper(),
              ParentName(ctx_, emulator, names->shortName).toUpper());
    ShowGame(names->fullName);

    SettingsStore store = ctx_.store();
    const QString emulatorDirectory =
        store.OpenKey(StorePaths::Entry(emulator.lbName), false)
            ? DosPath::directoryPart(StoreSchema::kLocation.readFrom(store))
            : QString();
    const GameStep::Outcome outcome = GameStep::HandleGame(
        ctx_, emulator, *names, emulatorDirectory,
        [&] { return FindRomLocation(names->shortName, p, emulatorDirectory); });
    if (outcome.aborted) {
        EndTickWork();
        ShowPending();
        EndProgress();
        EndBuild();
        return false;
    }
    if (facts != nullptr && store.OpenKey(StorePaths::Entry(names->fullName), false)) {
        GameFacts::Write(store, *facts);
    }
    if (!outcome.searched) {
        ShowPath(outcome.location);
    }
    summary_.countGame(names->fullName, outcome.location != u"#");
    switch (outcome.listChange) {
        case GameStep::Outcome::ListChange::AddAndSelect:
            emit itemListed(outcome.listItem, true);
            break;
        case GameStep::Outcome::ListChange::AddMissing:
            emit itemListed(outcome.listItem, false);
            break;
        case GameStep::Outcome::ListChange::None:
            break;
    }
    return true;
}

RomLocation::Result ListBuildController::SearchRom(const QString& shortName, int emulatorIndex,
                                                   const QString& emulatorDirectory) {
    abort_ = false;
    return FindRomLocation(shortName, emulatorIndex, emulatorDirectory);
}

QString& ListBuildController::ChosenRomDirectory(int emulatorIndex) {
    if (chosenRomDirectories_.size() <= size_t(emulatorIndex)) {
        chosenRomDirectories_.resize(size_t(emulatorIndex) + 1);
    }
    return chosenRomDirectories_[size_t(emulatorIndex)];
}

RomLocation::Result ListBuildController::FindRomLocation(const QString& shortName,
                                                         int emulatorIndex,
                                                         const QString& emulatorDirectory) {
    if (foundFiles_.isEmpty()) {
        EndTickWork();
        SearchDrives();
    }
    RomLocation::Hooks hooks;
    hooks.showNames = [this](const QString& listName, const QString& name, const QString& parent) {
        searchedName_ = name;
        ShowNames(listName, name, parent);
    };
    hooks.showLocation = [this](const QString& location) { ShowPath(location); };
    hooks.ask = [this](const RomLocation::Question& question) { return AskRomChoice(question); };
    const RomLocation::Result result =
        RomLocation::Find(ctx_, FoundFilesLookup(), emulators_.at(emulatorIndex),
                          ChosenRomDirectory(emulatorIndex), shortName, emulatorDirectory, hooks);
    if (result.aborted) {
        abort_ = true;
    }
    return result;
}

RomLocation::Answer ListBuildController::AskRomChoice(const RomLocation::Question& question) {
    // The user sees the game asked about; the tick ends with it.
    EndTickWork();
    ShowPending();
    askedThisTick_ = true;
    FStatus->Prepare(searchedName_, question.emulatorId, question.candidates);
    const int result = ctx_.dialogs().execDialog(*FStatus);
    return RomLocation::Answer{result, FStatus->SelectedItem()};
}
