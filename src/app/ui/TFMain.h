#pragma once

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "context/AppState.h"
#include "gamelist/ListBuildState.h"
#include "gamelist/ListNavigation.h"
#include "gamelist/RomLocation.h"

class AppContext;
struct EmulatorDefinition;
struct LaunchRequest;
class GameListWidget;
class OptionPanel;
class PictureView;
class QKeyEvent;
class TFFileLocations;
class TFSearchOptions;
class TFStatus;
class TFNewEmu;
class TFAbout;
class SettingsStore;

// The main window: menus, the game lists on the page control, the option
// panel, the picture and the status bar. Its handlers gather what they need
// from the controls and call the plain units of their subsystem folder.
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(AppContext& ctx, QWidget* parent = nullptr);
    ~TFMain() override;

    AppContext& context() const { return ctx_; }
    AppState state;

    // The dialogs, created after the main window in the program's order.
    TFFileLocations* FFileLocations;
    TFAbout* FAbout;
    TFSearchOptions* FSearchOptions;

    // ---- Controls ----
    QStatusBar* StatusBar1;
    QLabel* StatusText;
    QTabWidget* PCConsole;
    QWidget* TSArcade;
    GameListWidget* LBArcade;
    QWidget* TSConsole;
    GameListWidget* LBConsole;
    QWidget* TSSingle = nullptr;
    GameListWidget* LBSingle = nullptr;
    QTimer* Timer1;
    QTimer* Timer2;
    QPushButton* BPlay;
    QLabel* LEmuBy;
    QLabel* LEmu;
    QLabel* LSnBy;
    QLabel* LSn;
    QLabel* LCloneBy;
    QLabel* LClone;
    QLabel* LPathBy;
    QLabel* LPath;
    QFrame* PImage;
    PictureView* ImageEn1;
    // The option controls and their store handlers.
    OptionPanel* POptions;

    // Per emulator index (1-based; [0] unused): its own page and list, none for SINGLE.
    std::vector<QWidget*> emulatorTabs;
    std::vector<GameListWidget*> emulatorLists;
    // The list whose selected item is the selected game.
    GameListWidget* currentListBox;
    int Tag = 0;

    // ---- Menus ----
    QMenu* File1;
    QMenu* Game1;
    QMenu* Display1;
    QMenu* Help1;
    QAction* Locations1 = nullptr;
    QAction* UpdateGameList1 = nullptr;
    QAction* RemoveALLRegistryKeys1;
    QAction* AddSoundSample1 = nullptr;
    QMenu* Advanced1 = nullptr;
    QAction* ResettoEmulatorDefaults1 = nullptr;
    QAction* Removefromlist1 = nullptr;
    QAction* Addtolist1 = nullptr;
    QAction* FixROM1 = nullptr;
    QAction* LongNameCleanup1 = nullptr;
    QAction* Uninstall1 = nullptr;
    QAction* Lock1 = nullptr;
    QAction* Exit1;
    QAction* byName1;
    QAction* byEmulator1;
    QAction* byCount1;
    QAction* MissingGames1;
    QAction* HighQualityImages1;
    QAction* ChangeEmulators1 = nullptr;
    QAction* ChooseRandom1 = nullptr;

    // ---- Start-up and shutdown ----
    void FormActivate();
    void StartUp();
    void FormClose();
    void FormDestroy();
    void DisplayHint(const QString& hint);
    void AppActivate();
    void AppDeactivate();
    void RemoveALLRegistryKeys1Click();
    void Exit1Click();
    // The lockable menu items that exist, in their fixed order.
    std::vector<QObject*> LockableItems() const;
    void ApplyLock(bool locked);
    // Sets the status bar's single text and repaints it at once.
    void SetStatus(const QString& text);

    // ---- Accessors of the selected entry ----
    QString CurrentEntryName();
    // A text value of the selected entry's key; "" without a selection or key.
    QString CurrentEntryValue(const QString& valueName);
    QString CurrentShortName();
    QString CurrentLocation();
    int CurrentEmulatorIndex();
    QString CurrentEmulatorLocation();
    int EmulatorIndexById(const QString& id) const;
    QString DisplayText(const QString& name);
    void NextEmulatorStep();

    // ---- Pictures (pictures/ui/TFMainPictures.cpp) ----
    QAction* UpdatePictureList1 = nullptr;
    void LoadPictureIndex();
    void UpdatePictureIndex();
    void UpdatePictureList1Click();
    void HighQualityImages1Click();
    // Finds the entry's picture and returns its path; unless `lookOnly`,
    // shows it (the emulator's own one, or noimage.bmp, when there is none)
    // and sets LEmu.
    QString ShowGamePicture(int emulatorIndex, const QString& shortName, const QString& entryName,
                            bool lookOnly = false);

    // ---- Drive search ----
    void SearchDrives();

    // ---- Tool locations (tools/) ----
    // Adds "&Locations..." to the File menu.
    void CreateToolMenus();
    void Locations1Click();

    // ---- List building ----
    void UpdateGameList1Click();
    void ProcessEmulator();
    void Timer1Timer();
    // The list build's own state and dialog (gamelist/TFMainListBuild.cpp).
    TFStatus* FStatus;
    ListBuildState listBuild;
    // FindRomLocation (short name, emulator index, emulator directory); also
    // used by Add to list. Cancel in TFStatus sets state.listBuildAbort.
    RomLocation::Result FindRomLocation(const QString& shortName, int emulatorIndex,
                                        const QString& emulatorDirectory);
    // The index over state.foundFiles, rebuilt when the list has changed.
    const FoundFilesIndex& FoundFilesLookup();

    // ---- List view ----
    // Fills the lists of the current display mode from the store.
    void RebuildLists();
    void FillListsByName();
    void FillListsByEmulator();
    void UpdateGameCount();
    // The count of UpdateGameCount, into the hint and the status bar,
    // without selecting anything.
    void ShowGameCount();
    void byName1Click();
    void byEmulator1Click();
    // Toggle their switch (a menu click calls them with the check mark as it
    // was before the click).
    void byCount1Click();
    void MissingGames1Click();
    // Show Count and Missing Games: toggles one, switching the other off when it comes on.
    void SwitchItemDecoration(QAction* toggled, QAction* excluded);
    void ChooseRandom1Click();
    void PCConsoleChange();
    void LBArcadeKeyUp(QKeyEvent* event);
    void LBArcadeKeyPress(QKeyEvent* event);
    void LBArcadeMouseUp();
    void Timer2Timer();
    // Play and remove, as the lists ask for them.
    void BPlayClick();
    // The selected entry's emulator when the entry can be played: a list
    // with items, no missing game, a loaded emulator, a ROM name unless SINGLE.
    const EmulatorDefinition* LaunchableEmulator();
    // The entry's facts, the panel's choices and the tool locations.
    LaunchRequest GatherLaunchRequest();
    void Removefromlist1Click();
    ListNavigation::JoystickPolling joystickPolling;

    // ---- List maintenance (gamelist/TFMainListMaintenance.cpp) ----
    void Addtolist1Click();
    void ListBoxCleanup1Click();
    void ChangeEmulators1Click();
    TFNewEmu* FNewEmu = nullptr;

    // ---- Selection ----
    void ShowSelectedGame();

    // Game maintenance items that the selection enables; they come with that
    // subsystem's Game menu entries.
    QAction* DeleteHighScoreFile1 = nullptr;
    QAction* DeleteNVRAMfile1 = nullptr;
    QAction* DeleteConfigFile1 = nullptr;
    QAction* DeleteDipswitchFile1 = nullptr;
    QAction* DeleteKeyFile1 = nullptr;

    void ResettoEmulatorDefaults1Click();

    // ---- Reports, game maintenance, key help, lock (maintenance/ui/) ----
    QAction* PrintMissingROMs1 = nullptr;
    QAction* PrintMissingPictures1 = nullptr;
    QAction* Keys1 = nullptr;
    QAction* DisplayREADME1 = nullptr;
    QAction* About1 = nullptr;
    void PrintMissingROMs1Click();
    void PrintMissingPictures1Click();
    void DeleteHighScoreFile1Click();
    void DeleteNVRAMfile1Click();
    void DeleteConfigFile1Click();
    void DeleteDipswitchFile1Click();
    void DeleteKeyFile1Click();
    // Deletes one state file of the selected game, named by a [Config] pattern.
    void DeleteGameStateFile(const QString& pattern);
    void DeleteStateFileOf(QString EmulatorDefinition::*pattern);
    void FixROM1Click();
    void AddSoundSample1Click();
    void Uninstall1Click();
    void Keys1Click();
    void DisplayREADME1Click();
    void About1Click();
    void Lock1Click();

    // Runs a handler; a store or file error abandons it and is shown in a
    // message box, as the general error handler does, and the program goes on.
    template <class Handler>
    void Guard(Handler&& handler) {
        try {
            handler();
        } catch (const std::exception& error) {
            ShowError(error);
        }
    }

private:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

    // ---- Frame, start-up and shutdown ----
    void CreateMenus();
    void CreateLayout();
    void CreateEmulatorPages();
    void CreatePictureMenus();
    void RemoveEmulatorPages();
    GameListWidget* NewGameList(QWidget* page);
    void RestoreSettings();
    void ZipMagicCheck();
    void RunZipMagic(const QString& option);
    void ShowError(const std::exception& error);

    // List building (gamelist/TFMainListBuild.cpp).
    void CreateListBuildMenus();
    void BringEmulatorPageToFront(int emulatorIndex);
    bool ListFileArrived();
    void HandleNextGame();
    RomLocation::Answer AskRomChoice(const RomLocation::Question& question);

    // List maintenance: its File and Game menu items.
    void CreateListMaintenanceMenus();

    // List view (gamelist/TFMainListView.cpp).
    void CreateListViewMenus();
    // Hooks a game list's events to the list view's handlers.
    void ConnectGameList(GameListWidget* list);
    GameListWidget* ListOfPage(QWidget* page) const;
    // The list of the first shown page that has items; none when all are empty.
    GameListWidget* FirstListWithItems() const;
    void ShowPage(QWidget* page, bool shown);
    bool IsPageShown(QWidget* page) const;
    void BringToFront(GameListWidget* list);
    void SelectListed(GameListWidget* list, const QString& itemText);
    void StepPage(int step);
    // "Current" := the selected entry, before a rebuild looks for it again.
    void WriteCurrent();

    // Reports, game maintenance, key help and lock (maintenance/ui/).
    void CreateMaintenanceMenus();

    // Selection (gamelist/TFMainSelection.cpp) and its Game menu item.
    void CreateOptionMenus();
    void ApplySelectionCommands(int emulatorIndex, const QString& entryName,
                                const QString& itemText);

    // Context of the list view's connections: destroyed with the window's
    // members, before its child widgets, so no handler runs on a window
    // that is going away.
    QObject listViewContext_;
    AppContext& ctx_;
    bool destroyed_ = false;
    bool startupScheduled_ = false;
};
