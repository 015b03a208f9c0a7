#pragma once

#include <QAction>
#include <QObject>

#include "context/ErrorGuard.h"

class AppContext;
class EmulatorTable;
class RomSearch;
class SelectionSource;
class StatusLine;
class TFNewEmu;
struct SelectionCommands;

// The commands that change single entries between list builds: "&Add to
// list" (with the list build's ROM search), "Remo&ve from list", "&Change
// Emulators..." (with `TFNewEmu`) and "List Box Cleanup...".
class ListMaintenanceCommands : public QObject {
    Q_OBJECT
public:
    ListMaintenanceCommands(AppContext& ctx, const EmulatorTable& emulators,
                            const ErrorGuard& guard, StatusLine& status, SelectionSource& selection,
                            RomSearch& romSearch, QWidget* window);

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
    // The selected entry has another emulator: the window shows it again.
    void selectedEntryChanged();
    // Entries changed in the store: the lists are rebuilt and the window
    // shows the entry selected then.
    void listsChanged();

private:
    void Addtolist1Click();
    void ListBoxCleanup1Click();
    void ChangeEmulators1Click();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    StatusLine& status_;
    SelectionSource& selection_;
    RomSearch& romSearch_;
    QAction* Addtolist1;
    QAction* Removefromlist1;
    QAction* ChangeEmulators1;
    QAction* LongNameCleanup1;
    TFNewEmu* FNewEmu;
};
