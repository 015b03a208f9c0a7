#pragma once

#include <QAction>
#include <QObject>
#include <QTimer>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

#include "context/ErrorGuard.h"
#include "gamelist/ListBuildState.h"
#include "gamelist/RomLocation.h"
#include "tools/SearchChoice.h"

class AppContext;
struct AppState;
struct EmulatorDefinition;
class GameListsPane;
class ListXmlRun;
class RunOutcome;
class SelectionLabels;
class StatusLine;
class TFStatus;
struct ToolLocations;

// "&Update Game List...": the list build. It searches the drives once, then
// visits the chosen emulators one after the other and handles their games
// one per tick of `Timer1` (at the fast pace, as many as about 40 ms of work
// allow), asking with `TFStatus` when several files could be a game's ROM.
// The lists, the labels and the status bar's progress show what it does.
class ListBuildController : public QObject {
    Q_OBJECT
public:
    // What the build needs from the window around it.
    struct Owner {
        // The Search Options dialog; nothing when it was cancelled.
        std::function<std::optional<SearchChoice::Choice>()> chooseSearch;
        // The emulator's own picture, shown while its games are handled.
        std::function<void(int emulatorIndex)> showEmulatorPicture;
    };

    ListBuildController(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                        StatusLine& status, const ToolLocations& tools, GameListsPane& lists,
                        SelectionLabels& labels, Owner owner, QWidget* window);
    ~ListBuildController() override;

    QAction* UpdateGameListAction() const { return UpdateGameList1; }
    // Where the build stands: the emulator, and game N of the M collected.
    const ListBuildState& State() const { return build_; }
    bool IsRunning() const { return Timer1->isActive(); }
    // A MAME-type emulator's machines are being read; the games wait for them.
    bool IsReadingFacts() const;

    void UpdateGameList1Click();
    // The build after the drive search, over the found-files list as it is;
    // `fast`: many games per tick.
    void BuildFromFoundFiles(const QStringList& chosenEmulators, bool fast = false);
    // One tick: waits for the emulator's list file, then handles a game.
    void Timer1Timer();
    // Searches a game's ROM (also for "&Add to list"): the drives are
    // searched first when nothing was found yet; Cancel in TFStatus stops
    // the build.
    RomLocation::Result FindRomLocation(const QString& shortName, int emulatorIndex,
                                        const QString& emulatorDirectory);
    // The index over the found-files list, rebuilt when the list has changed.
    const FoundFilesIndex& FoundFilesLookup();

signals:
    // The list file never came: the program ends.
    void closeRequested();
    // The build is over and the lists are shown again, with an item
    // selected that the window does not show yet.
    void buildEnded();

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
    RomLocation::Answer AskRomChoice(const RomLocation::Question& question);
    // What the labels and the status bar show of the game in hand. At the
    // fast pace only the tick's last game is shown, when the tick ends or
    // TFStatus asks about it; painting every game would cost more than
    // handling it.
    void ShowNames(const QString& listName, const QString& shortName, const QString& parentName);
    void ShowPath(const QString& location);
    void ShowGame(const QString& fullName);
    void ShowPending();
    void EndProgress();

    AppContext& ctx_;
    AppState& state_;
    ErrorGuard guard_;
    StatusLine& status_;
    const ToolLocations& tools_;
    GameListsPane& lists_;
    SelectionLabels& labels_;
    Owner owner_;
    ListBuildState build_;
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
    std::unique_ptr<ListXmlRun> factsRead_;
    QTimer* Timer1;
    QAction* UpdateGameList1;
    TFStatus* FStatus;
};
