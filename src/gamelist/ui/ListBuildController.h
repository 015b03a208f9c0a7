#pragma once

#include <QAction>
#include <QObject>
#include <QTimer>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "catalogue/ProfileCache.h"
#include "context/ErrorGuard.h"
#include "gamelist/BuildSummary.h"
#include "gamelist/ListBuildState.h"
#include "gamelist/RomLocation.h"
#include "gamelist/RomSearch.h"
#include "settings/StoreDatabase.h"
#include "tools/SearchChoice.h"

class AppContext;
class EmulatorTable;
struct EmulatorDefinition;
class FoundFiles;
class ListXmlRun;
class RunOutcome;
class StatusLine;
class TFStatus;
struct ToolLocations;

// "&Update Game List...": the list build. With the emulators and paths
// chosen in the search options, it searches the drives once, then visits
// the chosen emulators one after the other and handles their games one per
// tick of `Timer1` (at the fast pace, as many as about 40 ms of work allow),
// asking with `TFStatus` when several files could be a game's ROM. What it
// does shows through its signals: in the lists, the labels, the picture and
// the status bar's progress.
class ListBuildController : public QObject, public RomSearch {
    Q_OBJECT
public:
    ListBuildController(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                        StatusLine& status, const ToolLocations& tools, FoundFiles& foundFiles,
                        QWidget* window);
    ~ListBuildController() override;

    QAction* UpdateGameListAction() const { return UpdateGameList1; }
    // "S&top List Build": enabled while a build runs.
    QAction* StopListBuildAction() const { return StopListBuild1; }
    // Where the build stands: the emulator, and game N of the M collected.
    const ListBuildState& State() const { return build_; }
    bool IsRunning() const { return Timer1->isActive(); }
    // A MAME-type emulator's machines are being read; the games wait for them.
    bool IsReadingFacts() const;

    // Asks for the search options (searchOptionsWanted); the build starts
    // when they are chosen (Build).
    void UpdateGameList1Click();
    // Ends the running build as Cancel in TFStatus does: what it wrote stays.
    void StopListBuild1Click();
    // A new build with the choice of the search options: the drives are
    // searched, then the emulators visited.
    void Build(const SearchChoice::Choice& choice);
    // The build after the drive search, over the found-files list as it is;
    // `fast`: many games per tick.
    void BuildFromFoundFiles(const QStringList& chosenEmulators, bool fast = false);
    // The emulator table was loaded anew: the ROM directories chosen with
    // "All" are forgotten.
    void EmulatorsLoaded();

    RomLocation::Result SearchRom(const QString& shortName, int emulatorIndex,
                                  const QString& emulatorDirectory) override;
    // The index over the found-files list, rebuilt when the list has changed.
    const FoundFilesIndex& FoundFilesLookup();
    // One tick: waits for the emulator's list file, then handles a game.
    void Timer1Timer();

signals:
    // "&Update Game List...": the search options are to be chosen.
    void searchOptionsWanted();
    // A new build begins: the current list is emptied.
    void listCleared();
    // The build visits an emulator: its picture, its name and its page.
    void emulatorVisited(int emulatorIndex, const QString& listName);
    // The labels follow the game in hand and where its ROM was found.
    void namesShown(const QString& listName, const QString& shortName, const QString& parentName);
    void pathShown(const QString& location);
    // An item for the current list, added unless it is listed; selected when asked.
    void itemListed(const QString& itemText, bool select);
    // An emulator's games are done: the first item of the current list is selected.
    void emulatorDone();
    // The build is over: the lists are rebuilt from the store.
    void listsRebuildWanted();
    // The lists are shown again, with an item selected that the window does
    // not show yet.
    void buildEnded();
    // The list file never came: the program ends.
    void closeRequested();

private:
    // The lists rebuilt: the build is over.
    void EndBuild();
    void AnnounceEnd();
    // Runs a step of the build; an error in it ends the build cleanly with
    // the general error message.
    void RunStep(const std::function<void()>& step);
    void AbandonBuild(const std::exception& error);
    void TimerTick();
    void SearchDrives();
    void ProcessEmulator();
    void NextEmulatorStep();
    // Has a MAME-type emulator print its game and clone lists.
    RunOutcome RequestMameLists(const EmulatorDefinition& emulator, const QString& executable);
    // Has it print its machines as XML, read while its lists are printed;
    // an emulator that cannot goes on as without.
    void StartFactsRead(const QString& executable);
    // The facts end with the emulator's games.
    void DropFacts();
    // The waiting phase: true once the emulator's list file is there and
    // its game names are collected.
    bool ListFileArrived();
    // The game phase: handles the next game; true when the emulator has
    // more to come.
    bool HandleNextGame();
    // The ROM search of the build; Cancel in TFStatus stops the build.
    RomLocation::Result FindRomLocation(const QString& shortName, int emulatorIndex,
                                        const QString& emulatorDirectory);
    RomLocation::Answer AskRomChoice(const RomLocation::Question& question);
    QString& ChosenRomDirectory(int emulatorIndex);
    // What the labels and the status bar show of the game in hand. At the
    // fast pace only the tick's last game is shown, when the tick ends or
    // TFStatus asks about it; painting every game would cost more than
    // handling it.
    void ShowNames(const QString& listName, const QString& shortName, const QString& parentName);
    void ShowPath(const QString& location);
    void ShowGame(const QString& fullName);
    void ShowPending();
    void EndProgress();
    // Ends the tick's held file lookups and commits its store writes; done
    // before anything that waits for the user, searches the drives or goes
    // on to the next emulator.
    void EndTickWork();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    const ToolLocations& tools_;
    FoundFiles& foundFiles_;
    ListBuildState build_;
    // What the status bar says when the build ends.
    BuildSummary summary_;
    // The paths to search where the last search found nothing.
    QStringList emptySearchPaths_;
    // Set by Cancel in TFStatus; cleared when a build starts and by Add to list.
    bool abort_ = false;
    // Per emulator index (1-based): the ROM directory chosen with "All",
    // kept for the run (Add to list uses it too).
    std::vector<QString> chosenRomDirectories_;
    // The name the ROM search shows in LSn, which TFStatus asks about.
    QString searchedName_;
    // TFStatus asked during this tick: the tick ends with that game.
    bool askedThisTick_ = false;
    bool deferDisplay_ = false;
    struct PendingDisplay {
        std::optional<std::array<QString, 3>> names;  // list name, short name, parent
        std::optional<QString> path;
        std::optional<QString> game;
    } pending_;
    bool ended_ = false;
    // A tick's games: the list and merge files looked up once, the store
    // written in one commit rather than one per value.
    struct TickWork {
        TickWork(ProfileCache& profiles, std::shared_ptr<StoreDatabase> store)
            : lookups(profiles), writes(std::move(store)) {}
        ProfileCache::Hold lookups;
        StoreBatch writes;
    };
    std::optional<TickWork> tickWork_;
    std::unique_ptr<ListXmlRun> factsRead_;
    QTimer* Timer1;
    QAction* UpdateGameList1;
    QAction* StopListBuild1;
    TFStatus* FStatus;
};
