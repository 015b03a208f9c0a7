#pragma once

#include <QAction>
#include <QObject>

#include "context/ErrorGuard.h"

class AppContext;
struct AppState;
class GameListsPane;
class ListBuildController;
class StatusLine;
class TFNewEmu;
struct SelectionCommands;

// The commands that change single entries between list builds: "&Add to
// list", "Remo&ve from list", "&Change Emulators..." (with `TFNewEmu`) and
// "List Box Cleanup...".
class ListMaintenanceCommands : public QObject {
    Q_OBJECT
public:
    ListMaintenanceCommands(AppContext& ctx, AppState& state, const ErrorGuard& guard,
                            StatusLine& status, GameListsPane& lists,
                            ListBuildController& listBuild, QWidget* window);

    QAction* AddToListAction() const { return Addtolist1; }
    QAction* RemoveFromListAction() const { return Removefromlist1; }
    QAction* ChangeEmulatorsAction() const { return ChangeEmulators1; }
    QAction* CleanupAction() const { return LongNameCleanup1; }

    // What the selection allows: Add and Remove from the selection's
    // commands, Change when the entry has further emulators to change to.
    void Offer(const SelectionCommands& commands, bool changeEmulators);
    void OfferChangeEmulators(bool offered) { ChangeEmulators1->setEnabled(offered); }

    void Removefromlist1Click();

signals:
    // The selected entry has another emulator, or the lists were filled
    // afresh: the window shows the entry that is selected.
    void selectedEntryChanged();

private:
    void Addtolist1Click();
    void ListBoxCleanup1Click();
    void ChangeEmulators1Click();

    AppContext& ctx_;
    AppState& state_;
    ErrorGuard guard_;
    StatusLine& status_;
    GameListsPane& lists_;
    ListBuildController& listBuild_;
    QAction* Addtolist1;
    QAction* Removefromlist1;
    QAction* ChangeEmulators1;
    QAction* LongNameCleanup1;
    TFNewEmu* FNewEmu;
};
