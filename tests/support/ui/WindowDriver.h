#pragma once

#include <QAction>
#include <QLabel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/GameListsPane.h"
#include "tools/ToolLocations.h"

class QSignalSpy;
class TempInstallation;
class TFMain;

// Reaches a window's parts the way a user does: controls by their names,
// commands through their menu items, selections through the list's own
// events.

// The child of `root` named `name`; a missing one fails the test.
template <class T = QWidget>
T& control(const QObject& root, const QString& name) {
    T* found = root.findChild<T*>(name);
    if (found == nullptr) {
        throw std::runtime_error("no control named " + name.toStdString());
    }
    return *found;
}

inline QAction& menuItem(const QObject& window, const QString& name) {
    return control<QAction>(window, name);
}
inline QString labelText(const QObject& window, const QString& name) {
    return control<QLabel>(window, name).text();
}
inline QString statusText(const QObject& window) {
    return labelText(window, QStringLiteral("StatusText"));
}

inline GameListsPane& gameLists(const QObject& window) {
    return control<GameListsPane>(window, QStringLiteral("GameLists"));
}
inline GameListWidget& listBox(const QObject& window, const QString& name) {
    return control<GameListWidget>(window, name);
}
inline const GameListWidget& currentList(const QObject& window) {
    return gameLists(window).CurrentList();
}
// The text of the list's selected item; empty without a selection.
inline QString selectedItem(const GameListWidget& list) {
    return list.item(list.itemIndex());
}

// Selects the item as a click does and lets the release refresh the window.
void selectItem(GameListWidget& list, const QString& itemText);
// A key press and release on the list, as the user types it.
void typeKey(GameListWidget& list, Qt::Key key);
// Lets the window's timer `name` tick `ticks` times, running `eachTick` after
// every tick, and then stops it.
void runTimer(const QObject& window, const QString& name, int ticks,
              const std::function<void()>& eachTick = {});

// The tool locations "File Locations" shows, read from the dialog as it
// opens and left with Cancel.
ToolLocations shownLocations(TempInstallation& inst, TFMain& main);
// Types a text into a field of "File Locations" and leaves it with OK.
void enterLocation(TempInstallation& inst, TFMain& main, const QString& field, const QString& text);
// The paths "Search Options" shows.
QString shownSearchDrives(const TFMain& main);
// The emulators "Search Options" offers as it opens, those under "Yes"
// first, each group in table order.
QStringList offeredEmulators(const TFMain& main);

// Counts the games Play launches from its making on.
class LaunchCount {
public:
    explicit LaunchCount(const TFMain& main);
    ~LaunchCount();
    int count() const;

private:
    std::unique_ptr<QSignalSpy> spy_;
};
// What Play does once a game's script is started, for a test of what the
// window does then: it closes, and its shutdown keeps the launch's time.
void standInForALaunch(TFMain& main);
