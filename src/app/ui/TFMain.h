#pragma once

#include <QMainWindow>
#include <QMenu>

#include "catalogue/EmulatorTable.h"
#include "context/ErrorGuard.h"

class AppContext;
class FoundFiles;
class QHBoxLayout;
class QScrollArea;
class FavouriteCommands;
class GameListsPane;
class GameMaintenanceCommands;
class HelpCommands;
class ListBuildController;
class ListMaintenanceCommands;
class LockCommand;
class MainStatusBar;
class OptionPanel;
class PicturePane;
class PlayCommand;
class ReportCommands;
class SelectionLabels;
class ToolCommands;
struct SelectedEntry;

// The main window, a frame: the menus, the status bar and the emulator
// table, around the parts that own the controls (the game lists, the
// selection's labels and picture, the option panel, the list build and the
// command groups), which it builds, lays out and wires together in one
// place (WireParts). Start-up and shutdown (TFMainStartup.cpp) and the
// selection refresh (TFMainSelection.cpp) are its own.
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(AppContext& ctx, QWidget* parent = nullptr);
    ~TFMain() override;

    // The first activation's start-up sequence; later ones do nothing.
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the window is in its life. Start-up runs once it is shown and
    // again after "&Rebuild Game List..."; a launched game closes it without
    // ZipMagic and with the launch's time kept; once it ends, nothing it
    // does at shutdown happens again.
    enum class Stage {
        Created,   // built, not shown yet
        Starting,  // start-up is due or under way
        Running,   // the emulators are loaded
        Launched,  // a game was started; the window is closing
        Ended,     // shut down, or ended by start-up itself: nothing more is written
    };

    // ---- Frame (TFMain.cpp) ----
    void CreateParts();
    void CreateMenus();
    void CreateLayout();
    // The picture as large as the window's room allows (PictureSize).
    void FitPicture(const QSize& central);
    void WireParts();
    // The menu items the lock disables, in their fixed order.
    std::vector<QAction*> LockableItems() const;

    // ---- Start-up and shutdown (TFMainStartup.cpp) ----
    void StartUp();
    // Ends the program from start-up: nothing is written at shutdown.
    void EndAtStartUp(int exitCode);
    void RestoreSettings();
    // The place, size and maximised state of the last run, before the window
    // is first shown; a store that cannot be read leaves the built-in ones
    // (start-up reports it).
    void RestoreGeometry();
    void AppActivate();
    void AppDeactivate();
    void GameLaunched();
    void FormClose();
    void FormDestroy();
    void RemoveALLRegistryKeys1Click();
    void Exit1Click();

    // ---- The selection refresh (TFMainSelection.cpp) ----
    void ShowSelectedGame();
    void ApplySelectionCommands(const SelectedEntry& entry);
    // The Delete key on a list: "Remo&ve from list", which the lock disables.
    void RemoveRequested();
    // Entries changed in the store: the lists afresh, then the refresh.
    void ListsChanged();

    AppContext& ctx_;
    ErrorGuard guard_;
    Stage stage_ = Stage::Created;
    // Loaded by start-up, read by the parts.
    EmulatorTable emulators_;

    MainStatusBar* StatusBar1;
    FoundFiles* foundFiles_;
    GameListsPane* lists_;
    SelectionLabels* labels_;
    PicturePane* picture_;
    OptionPanel* POptions;
    PlayCommand* play_;
    ToolCommands* toolCommands_;
    ListBuildController* listBuild_;
    ListMaintenanceCommands* listMaintenance_;
    GameMaintenanceCommands* gameMaintenance_;
    ReportCommands* reports_;
    HelpCommands* help_;
    LockCommand* lock_;
    FavouriteCommands* favourites_;

    // The list keeps this width before the picture gives up any of its own.
    static constexpr int kListUsableWidth = 280;
    // Rows of options the window shows however short it gets.
    static constexpr int kOptionsLeastHeight = 120;
    QHBoxLayout* columns_ = nullptr;
    QScrollArea* optionsScroll_ = nullptr;

    QMenu* File1;
    QMenu* Game1;
    QMenu* Display1;
    QMenu* Help1;
    QAction* RemoveALLRegistryKeys1;
    QAction* Exit1;

    // Context of every connection WireParts makes: destroyed with the
    // members, before the child widgets, so that nothing the parts say
    // reaches a window that is going away, and no part hears of the
    // application's focus or activation while its siblings are deleted.
    QObject wiring_;
};
