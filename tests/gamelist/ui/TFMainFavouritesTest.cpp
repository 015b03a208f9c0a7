// Favourites and "Recently Played" through the window's own controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "app/ui/TFMain.h"
#include "gamelist/ListViewSetup.h"
#include "support/ui/WindowDriver.h"

namespace {

class FavouritesWindowTest : public ::testing::Test, public ListViewSetup {
protected:
    FavouritesWindowTest() {
        defineEmulator(u"MAME"_qs, u"MAME {Arcade}"_qs, u"MAME"_qs);
        defineEmulator(u"NES"_qs, u"NES {Console}"_qs, u"CONSOLE"_qs);
        defineEmulator(u"PONG"_qs, u"Pong {Single}"_qs, u"SINGLE"_qs);
        addGame({u"Pac-Man"_qs, u"MAME"_qs});
        addGame({u"Galaga"_qs, u"MAME"_qs});
        addGame({u"Zelda"_qs, u"NES"_qs});
        addGame({u"MAME {Arcade}"_qs, u"MAME"_qs, u"C:\\MAME\\MAME.EXE"_qs});
        addGame({u"Pong {Single}"_qs, u"PONG"_qs, u"C:\\PONG\\PONG.EXE"_qs});
    }

    // Shown as the active window, whose menus' shortcuts the keys reach.
    TFMain& start() {
        main.reset();  // the previous run ends first, as a restart does
        main = std::make_unique<TFMain>(inst.context());
        main->FormActivate();
        main->show();
        QApplication::setActiveWindow(main.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        return *main;
    }
    GameListWidget& list(const QString& name) const { return listBox(*main, name); }
    QAction& item(const char* name) const { return menuItem(*main, QString::fromLatin1(name)); }
    QTabWidget& pages() const { return control<QTabWidget>(*main, u"PCConsole"_qs); }
    // The list on the page in front ("TSArcade" holds "LBArcade").
    GameListWidget& listInFront() const {
        return list(pages().currentWidget()->objectName().replace(u"TS"_qs, u"LB"_qs));
    }
    // Brings the page to the front as its tab does, and selects the item.
    void choose(const QString& page, const QString& itemText) {
        pages().setCurrentWidget(&control<QWidget>(*main, page));
        selectItem(listInFront(), itemText);
    }
    void pressFavouriteKey() { QTest::keyClick(&listInFront(), Qt::Key_D, Qt::ControlModifier); }
    QStringList favourites() const { return list(u"LBFavourites"_qs).items(); }
    bool favouritesShown() const {
        return pages().isTabVisible(pages().indexOf(&control<QWidget>(*main, u"TSFavourites"_qs)));
    }
    bool storedFavourite(const QString& name) {
        SettingsStore store = inst.context().store();
        return store.OpenKey(StorePaths::Entry(name), false) && store.ValueExists(u"Favourite"_qs);
    }
    // The items "Recently Played" offers as it opens.
    QList<QAction*> recentItems() const {
        auto& menu = control<QMenu>(*main, u"RecentlyPlayed1"_qs);
        emit menu.aboutToShow();
        return menu.actions();
    }
    // A play of the game counted by the next start: the launch's shutdown
    // writes "Current" and "Time", the restart counts it.
    void play(const QString& game) {
        main.reset();
        setRoot(u"Current"_qs, game);
        {
            SettingsStore store = inst.context().store();
            store.OpenKey(StorePaths::Root(), false);
            store.WriteDateTime(u"Time"_qs, inst.clock.now() - 0.001);
        }
        start();
    }

    std::unique_ptr<TFMain> main;
};

TEST_F(FavouritesWindowTest, MarkedByMenuOrKeyListedInBothViewsKeptAndLocked) {
    start();
    const QList<QAction*> gameMenu = control<QMenu>(*main, u"Game1"_qs).actions();
    EXPECT_TRUE(gameMenu.contains(&item("Favourite1")));
    EXPECT_TRUE(gameMenu.contains(&item("RecentlyPlayed1")));
    choose(u"TSArcade"_qs, u"Pac-Man"_qs);
    EXPECT_FALSE(item("Favourite1").isChecked());
    item("Favourite1").trigger();
    choose(u"TSConsole"_qs, u"Zelda"_qs);
    pressFavouriteKey();
    EXPECT_EQ(favourites(), (QStringList{u"Pac-Man"_qs, u"Zelda"_qs}));
    EXPECT_TRUE(item("Favourite1").isChecked());
    EXPECT_TRUE(storedFavourite(u"Pac-Man"_qs));

    // A multi-game emulator's own entry is no game; a SINGLE emulator's is.
    choose(u"TSArcade"_qs, u"MAME {Arcade}"_qs);
    EXPECT_FALSE(item("Favourite1").isEnabled());
    choose(u"TSArcade"_qs, u"Pong {Single}"_qs);
    EXPECT_TRUE(item("Favourite1").isEnabled());

    item("byEmulator1").trigger();
    EXPECT_TRUE(favouritesShown());
    EXPECT_EQ(favourites(), (QStringList{u"Pac-Man"_qs, u"Zelda"_qs}));

    start();
    EXPECT_TRUE(item("byEmulator1").isChecked());
    EXPECT_EQ(favourites(), (QStringList{u"Pac-Man"_qs, u"Zelda"_qs}));
    choose(u"TSFavourites"_qs, u"Pac-Man"_qs);
    EXPECT_TRUE(item("Favourite1").isChecked());

    inst.dialogs.answerText(u"pw"_qs);
    item("Lock1").trigger();
    EXPECT_FALSE(item("Favourite1").isEnabled());
    choose(u"TSFavourites"_qs, u"Pac-Man"_qs);
    EXPECT_FALSE(item("Favourite1").isEnabled());
    pressFavouriteKey();
    EXPECT_TRUE(storedFavourite(u"Pac-Man"_qs));
    EXPECT_EQ(favourites(), (QStringList{u"Pac-Man"_qs, u"Zelda"_qs}));

    inst.dialogs.answerText(u"pw"_qs);
    item("Lock1").trigger();
    pressFavouriteKey();
    // Unmarked on its own page: the page loses it, the next game is selected.
    EXPECT_FALSE(storedFavourite(u"Pac-Man"_qs));
    EXPECT_EQ(favourites(), QStringList{u"Zelda"_qs});
    EXPECT_EQ(selectedItem(currentList(*main)), u"Zelda"_qs);
    EXPECT_EQ(labelText(*main, u"LSn"_qs), u"ZELDA"_qs);
}

TEST_F(FavouritesWindowTest, RecentlyPlayedFollowsTheCountedPlaysAndSelectsTheGame) {
    start();
    ASSERT_EQ(recentItems().size(), 1);
    EXPECT_FALSE(recentItems()[0]->isEnabled());  // "No game played yet"

    for (const QString& game : {u"Zelda"_qs, u"Pac-Man"_qs, u"Galaga"_qs, u"Zelda"_qs}) {
        play(game);
    }
    choose(u"TSArcade"_qs, u"Galaga"_qs);
    const QList<QAction*> recent = recentItems();
    QStringList captions;
    for (const QAction* game : recent) {
        captions << game->text();
    }
    EXPECT_EQ(captions, (QStringList{u"&1 Zelda"_qs, u"&2 Galaga"_qs, u"&3 Pac-Man"_qs}));

    recent[2]->trigger();
    EXPECT_EQ(pages().currentWidget()->objectName(), u"TSArcade"_qs);
    EXPECT_EQ(selectedItem(currentList(*main)), u"Pac-Man"_qs);
    EXPECT_EQ(labelText(*main, u"LSn"_qs), u"PAC-MAN"_qs);
    recentItems()[0]->trigger();
    EXPECT_EQ(pages().currentWidget()->objectName(), u"TSConsole"_qs);
    EXPECT_EQ(selectedItem(currentList(*main)), u"Zelda"_qs);
}

}  // namespace
