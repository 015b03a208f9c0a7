#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>

#include "context/ErrorGuard.h"

class AppContext;
class EmulatorTable;
class SelectionSource;
struct SelectionCommands;

// The Game menu's "Fav&ourite" (Ctrl+D), which marks or unmarks the
// selected game, and "Recently &Played", the games of the latest counted
// plays, each of which selects its game.
class FavouriteCommands : public QObject {
    Q_OBJECT
public:
    FavouriteCommands(AppContext& ctx, const EmulatorTable& emulators, const ErrorGuard& guard,
                      SelectionSource& selection, QWidget* window);

    QAction* FavouriteAction() const { return Favourite1; }
    QMenu* RecentMenu() const { return RecentlyPlayed1; }

    // Whether the selection may be marked, and its mark as the check.
    void Offer(const SelectionCommands& commands, const QString& entryName);

signals:
    // The entry's mark changed in the store.
    void favouriteChanged(const QString& entryName, bool favourite);
    // A recently played game was chosen: the lists select it.
    void entryChosen(const QString& entryName);

private:
    void Favourite1Click();
    // The menu's items afresh from the store as it opens.
    void RecentlyPlayed1Popup();

    AppContext& ctx_;
    const EmulatorTable& emulators_;
    ErrorGuard guard_;
    SelectionSource& selection_;
    QAction* Favourite1;
    QMenu* RecentlyPlayed1;
};
