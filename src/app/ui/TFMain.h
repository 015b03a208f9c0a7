#pragma once

#include <QMainWindow>
#include <QMenu>

#include "context/AppState.h"
#include "context/ErrorGuard.h"
#include "tools/ToolLocations.h"

class AppContext;
class QHBoxLayout;
class QScrollArea;
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
class RunOutcome;
class SelectionLabels;
class ToolCommands;
struct SelectedEntry;

// The main window, a frame: the menus, the status bar and the run's state,
// around the parts that own the controls (the game lists, the selection's
// labels and picture, the option panel, the list build and the command
// groups), which it builds, lays out and wires together. Start-up and
// shutdown (TFMainStartup.cpp) and the selection refresh
// (TFMainSelection.cpp) are its own.
class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(AppContext& ctx, QWidget* parent = nullptr);
    ~TFMain() override;

    // The first activation's start-up sequence; later ones do nothing.
    void FormActivate();
    // The run's plain state: the emulator table, the shared lists and flags.
    AppState& state() { return state_; }
    const AppState& state() const { return state_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- Frame (TFMain.cpp) ----
    void CreateParts();
    void CreateMenus();
    void CreateLayout();
    // The picture as large as the window's room allows (PictureSize).
    void FitPicture(const QSize& central);
    void WireParts();
    // The menu items the lock disables, in their fixed order.
    std::vector<QAction*> LockableItems() const;
    std::optional<SelectedEntry> CurrentEntry();

    // ---- Start-up and shutdown (TFMainStartup.cpp) ----
    void StartUp();
    void RestoreSettings();
    void ZipMagicCheck();
    // ZipMagic with " /e-", a failed start shown in a box.
    void SwitchZipMagicOff();
    RunOutcome RunZipMagic(const QString& option);
    void AppActivate();
    void AppDeactivate();
    void FormClose();
    void FormDestroy();
    void RemoveALLRegistryKeys1Click();
    void Exit1Click();

    // ---- The selection refresh (TFMainSelection.cpp) ----
    void ShowSelectedGame();
    void ApplySelectionCommands(const SelectedEntry& entry);

    AppContext& ctx_;
    ErrorGuard guard_;
    AppState state_;
    ToolLocations tools_;
    int Tag = 0;
    bool destroyed_ = false;
    bool startupScheduled_ = false;

    MainStatusBar* StatusBar1;
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

    // Context of the frame's own connections: destroyed with the members,
    // before the child widgets, so that no wiring runs on a window that is
    // going away.
    QObject wiring_;
};
