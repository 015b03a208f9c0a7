#pragma once

#include <QAction>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "context/ErrorGuard.h"
#include "context/SelectionSource.h"
#include "context/ShownLists.h"
#include "gamelist/ListFill.h"
#include "gamelist/ListNavigation.h"

class AppContext;
class EmulatorTable;
class GameListWidget;
class QKeyEvent;
class QLineEdit;
class StatusLine;

// The game lists on the page control `PCConsole`: "Arcade" and "Console" by
// name, a page per multi-game emulator and "Single" by emulator, and
// "Favourites" in both views. The pane
// fills them from the store in the Display menu's view, moves through them
// by keys, mouse and joystick (`Timer2`), and answers which entry is
// selected and what the lists show; the window around it hears of a new
// selection, of Play and of Remove through its signals.
class GameListsPane : public QWidget, public SelectionSource, public ShownLists {
    Q_OBJECT
public:
    GameListsPane(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                  StatusLine& status, QWidget* parent);

    // The Display menu's items (by Name, by Emulator, Show Count, Missing
    // Games, Hide Mechanical Games) and the Game menu's Choose Random.
    QList<QAction*> ViewActions() const;
    QAction* ChooseRandomAction() const { return ChooseRandom1; }
    // "F&ilter List..." (Ctrl+F): the filter field above the lists.
    QAction* FilterAction() const { return FilterList1; }

    // Replaces the emulators' pages by one per multi-game emulator of the
    // table, "Single" and "Favourites"; LBArcade becomes the current list.
    void ResetPages();

    // ---- The view ----
    const ListFill::Switches& View() const { return view_; }
    // Shows a view restored from the store, without filling the lists.
    void SetView(const ListFill::Switches& view);
    // Fills the lists of the view from the store and shows the count.
    void RebuildLists();
    // The count, and the first item selected when none is.
    void UpdateGameCount();
    void MissingGames1Click();
    // A mark changed in the store: the Favourites page gains or loses the entry.
    void ShowFavourite(const QString& entryName, bool favourite);

    // ---- The selected entry ----
    // The list box whose selected item is the selected entry.
    const GameListWidget& CurrentList() const { return *currentListBox_; }
    bool HasSelection() const;
    bool EnsureSelection() override;
    std::optional<SelectedEntry> CurrentEntry() const override;
    QString CurrentEntryName() const override;
    void FocusCurrentList();
    // Brings the entry's page to the front (its emulator's, else any that
    // lists it, "Favourites" last) and selects it, without the refresh;
    // false, and the status bar says so, when no page lists it.
    bool SelectEntry(const QString& entryName);

    // ---- What the list build shows ----
    // Brings the page the emulator's games go to to the front, without a
    // selection refresh, and makes its list current.
    void BringEmulatorPageToFront(int emulatorIndex);
    void ClearCurrentList();
    // Adds an item to the current list unless it is listed; selects it when asked.
    void ListItem(const QString& itemText, bool select);
    void SelectFirstItem();
    // The selected item scrolled into view: filling a list leaves it wherever
    // the last item added took it.
    void ScrollToSelection();

    // ---- What a report prints ----
    std::vector<Page> PrintedPages() const override;
    bool ShowsCount() const override { return view_.showCount; }
    bool ShowsMissing() const override { return view_.showMissing; }

    // ---- The joystick ----
    // Its position now is its centre from now on.
    void CentreJoystick();
    // Polling, while the program is the active one.
    void StartJoystick() { Timer2->start(); }
    void StopJoystick() { Timer2->stop(); }

protected:
    // The filter field's keys: Esc, Enter and the list's moving keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user moved the selection: the window shows the selected entry.
    void selectionChanged();
    void playRequested();
    // The Delete key: "Remo&ve from list", unless the lock forbids it.
    void removeRequested();
    // A rebuild by name found the current entry with a further emulator
    // (true), or one by emulator, which changes no emulator, is done (false).
    void changeEmulatorsOffered(bool offered);

private:
    // Construction (GameListsPane.cpp).
    void CreateViewActions();
    GameListWidget* NewGameList(QWidget* page, const QString& name);
    // The list on a page (GameListsSelection.cpp, with the selection).
    GameListWidget* ListOfPage(QWidget* page) const;

    // Filling and the view's commands (GameListsFill.cpp).
    void ShowSwitches();
    void FillListsByName();
    void FillListsByEmulator();
    void FillFavourites(QStringList items);
    void ShowGameCount();
    // The list of the first shown page that has items; none when all are empty.
    GameListWidget* FirstListWithItems() const;
    void ShowPage(QWidget* page, bool shown);
    bool IsPageShown(QWidget* page) const;
    void BringToFront(GameListWidget* list);
    void SelectListed(GameListWidget* list, const QString& itemText);
    // "Current" := the selected entry, before a rebuild looks for it again.
    void WriteCurrent();
    void byName1Click();
    void byEmulator1Click();
    // By Name or by Emulator: the lists filled afresh with "Current" selected.
    void SwitchViewMode(bool byEmulator);
    void byCount1Click();
    // Show Count and Missing Games: toggles one, switching the other off
    // when it comes on.
    void SwitchItemDecoration(bool ListFill::Switches::*toggled,
                              bool ListFill::Switches::*excluded);
    void HideMechanical1Click();

    // Moving through the lists (GameListsNavigation.cpp).
    void PCConsoleChange();
    void LBArcadeKeyPress(QKeyEvent* event);
    void LBArcadeKeyUp(QKeyEvent* event);
    void LBArcadeMouseUp();
    void Timer2Timer();
    void ChooseRandom1Click();
    void StepPage(int step);

    // The filter (GameListsFilter.cpp).
    void FilterList1Click();
    void EFilterChange();
    // Clears the filter, hides its field and gives the list the keys again.
    void HideFilter();
    std::vector<GameListWidget*> AllLists() const;

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    ListFill::Switches view_;
    ListNavigation::JoystickPolling joystickPolling_;
    int joystickCentreX_ = 32767;
    int joystickCentreY_ = 32767;

    QLineEdit* EFilter;
    QTabWidget* PCConsole;
    QWidget* TSArcade;
    GameListWidget* LBArcade;
    QWidget* TSConsole;
    GameListWidget* LBConsole;
    QWidget* TSSingle = nullptr;
    GameListWidget* LBSingle = nullptr;
    QWidget* TSFavourites = nullptr;
    GameListWidget* LBFavourites = nullptr;
    // Per emulator index (1-based; [0] unused): its own page and list, none for SINGLE.
    std::vector<QWidget*> emulatorTabs_;
    std::vector<GameListWidget*> emulatorLists_;
    GameListWidget* currentListBox_;
    QTimer* Timer2;
    QAction* byName1;
    QAction* byEmulator1;
    QAction* byCount1;
    QAction* MissingGames1;
    QAction* HideMechanical1;
    QAction* ChooseRandom1;
    QAction* FilterList1;
};
