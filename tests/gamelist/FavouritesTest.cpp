#include "gamelist/Favourites.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "gamelist/ListFill.h"
#include "gamelist/ListViewSetup.h"
#include "support/TestEmulator.h"

namespace {

class FavouritesTest : public ::testing::Test, public ListViewSetup {
protected:
    bool hasFavouriteValue(const KeyPath& key) {
        SettingsStore store = inst.context().store();
        return store.OpenKey(key, false) && store.ValueExists(u"Favourite"_qs);
    }
};

TEST_F(FavouritesTest, TheMarkIsKeptInTheGamesKeyAndNeverMakesOne) {
    defineEmulator(u"MAME"_qs, u"MAME {Arcade}"_qs, u"MAME"_qs);
    addGame({u"Pac-Man"_qs, u"MAME"_qs});
    addGame({u"AC\\DC"_qs, u"MAME"_qs});
    const struct {
        QString name;
        bool mark;
        bool written;    // Mark's answer
        bool favourite;  // IsFavourite afterwards
    } cases[] = {
        {u"Pac-Man"_qs, true, true, true},
        {u"pac-man"_qs, true, true, true},  // key names ignore case
        {u"AC\\DC"_qs, true, true, true},   // one key, "\" and all
        {u"Gone"_qs, true, false, false},   // removed meanwhile
        {QString(), true, false, false},    // no selection: never the root
        {u"Pac-Man"_qs, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        SettingsStore store = inst.context().store();
        EXPECT_EQ(Favourites::Mark(store, c.name, c.mark), c.written);
        EXPECT_EQ(Favourites::IsFavourite(store, c.name), c.favourite);
    }
    SettingsStore store = inst.context().store();
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(u"Gone"_qs)));
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(u"AC"_qs)));
    EXPECT_FALSE(hasFavouriteValue(StorePaths::Root()));
    // Unmarked, the game's key is as it was before the first mark.
    EXPECT_FALSE(hasFavouriteValue(StorePaths::Entry(u"Pac-Man"_qs)));
}

TEST_F(FavouritesTest, ThePageListsEachFavouriteOnceAsTheViewShowsIt) {
    defineEmulator(u"MAME"_qs, u"MAME {Arcade}"_qs, u"MAME"_qs);
    defineEmulator(u"RAGE"_qs, u"RAGE {Arcade}"_qs, u"MULTI"_qs);
    defineEmulator(u"NES"_qs, u"NES {Console}"_qs, u"CONSOLE"_qs);
    EmulatorTable emulators;
    for (const char16_t* id : {u"MAME", u"RAGE", u"NES"}) {
        emulators.append(testEmulator(QString::fromUtf16(id)));
    }
    addGame({u"Pac-Man"_qs, u"MAME"_qs, u"C:\\R\\PAC.ZIP"_qs, {}, 3});
    addGame({u"Street Fighter"_qs, u"MAME"_qs, u"C:\\R\\SF.ZIP"_qs, {u"RAGE"_qs}});
    addGame({u"Zelda"_qs, u"NES"_qs});
    addGame({u"Galaga"_qs, u"MAME"_qs, u"#"_qs});
    addGame({u"Orphan"_qs, u"GONE"_qs});  // its definition is gone: listed nowhere
    addGame({u"Dig Dug"_qs, u"MAME"_qs});
    for (const char16_t* name : {u"Pac-Man", u"Street Fighter", u"Zelda", u"Galaga", u"Orphan"}) {
        SettingsStore store = inst.context().store();
        ASSERT_TRUE(Favourites::Mark(store, QString::fromUtf16(name), true));
    }

    const struct {
        ListFill::Switches view;
        QStringList favourites;
    } cases[] = {
        {{false, true, false},
         {u"[ Galaga ]"_qs, u"Pac-Man"_qs, u"Street Fighter"_qs, u"Zelda"_qs}},
        {{false, true, true}, {u"[ Galaga ]"_qs, u"Pac-Man"_qs, u"Street Fighter"_qs, u"Zelda"_qs}},
        {{true, false, false}, {u"0000 Street Fighter"_qs, u"0000 Zelda"_qs, u"0003 Pac-Man"_qs}},
        {{true, false, true}, {u"0000 Street Fighter"_qs, u"0000 Zelda"_qs, u"0003 Pac-Man"_qs}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "count " << c.view.showCount << " missing " << c.view.showMissing
                     << " by emulator " << c.view.byEmulator);
        QStringList favourites =
            c.view.byEmulator ? ListFill::ByEmulator(inst.context(), emulators, c.view).favourites
                              : ListFill::ByName(inst.context(), c.view).favourites;
        favourites.sort(Qt::CaseInsensitive);
        EXPECT_EQ(favourites, c.favourites);
    }
}

}  // namespace
