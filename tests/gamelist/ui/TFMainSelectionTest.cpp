// The selection refresh outside the option panel: the information area, the
// commands that act on the selection and the tidy-up of further emulators.
#include <QTest>

#include "support/ui/OptionFixture.h"

namespace {

class SelectionTest : public OptionWindowTest {
protected:
    QString label(const char* name) { return labelText(main(), QString::fromLatin1(name)); }
    bool enabled(const char* item) {
        return menuItem(main(), QString::fromLatin1(item)).isEnabled();
    }
};

TEST_F(SelectionTest, SingleEmulatorEntryShowsItsListNameAndExecutable) {
    startMain();
    select(S(kIkari));
    EXPECT_EQ(label("LEmu"), S(kIkari));
    EXPECT_EQ(label("LSn"), QString());
    EXPECT_EQ(label("LClone"), QString());
    EXPECT_EQ(label("LPath"), QStringLiteral("C:\\EMU\\IKARI.EXE"));
    // The emulator's own entry: nothing to reset or remove, but its files.
    EXPECT_FALSE(enabled("ResettoEmulatorDefaults1"));
    EXPECT_FALSE(enabled("Removefromlist1"));
    EXPECT_TRUE(enabled("DeleteDipswitchFile1"));
    EXPECT_FALSE(enabled("DeleteHighScoreFile1"));
}

TEST_F(SelectionTest, InformationAreaShowsEmulatorShortNameParentAndPath) {
    addGame(QStringLiteral("Pac-Man (Midway)"), QStringLiteral("MAME"), QStringLiteral("pacman"),
            QStringLiteral("C:\\ZIPS\\PACMAN.ZIP"));
    addGame(QStringLiteral("Puck Man"), QStringLiteral("MAME"), QStringLiteral("puckman"));
    addGame(QStringLiteral("Street Fighter"), QStringLiteral("RAGE"), QStringLiteral("sf1"));
    startMain();

    select(QStringLiteral("Pac-Man (Midway)"));
    EXPECT_EQ(label("LEmu"), S(kMame));  // the "&" shown as it is
    EXPECT_EQ(control<QLabel>(main(), QStringLiteral("LEmu")).textFormat(), Qt::PlainText);
    EXPECT_EQ(label("LSn"), QStringLiteral("PACMAN"));
    EXPECT_EQ(label("LClone"), QStringLiteral("PUCKMAN"));
    EXPECT_EQ(label("LPath"), QStringLiteral("C:\\ZIPS\\PACMAN.ZIP"));

    select(QStringLiteral("Puck Man"));
    EXPECT_EQ(label("LClone"), QStringLiteral("PUCKMAN"));
    // No merge file at all: the short name is its own parent.
    select(QStringLiteral("Street Fighter"));
    EXPECT_EQ(label("LEmu"), S(kRage));
    EXPECT_EQ(label("LClone"), QStringLiteral("SF1"));
}

TEST_F(SelectionTest, MissingGameShowsHashAndOffersAddToList) {
    addGame(QStringLiteral("Lost Game"), QStringLiteral("MAME"), QStringLiteral("lost"),
            QStringLiteral("#"));
    startMain();
    select(QStringLiteral("[ Lost Game ]"));
    EXPECT_EQ(label("LPath"), QStringLiteral("#"));
    EXPECT_EQ(label("LSn"), QStringLiteral("LOST"));
    for (const char* item :
         {"Addtolist1", "ResettoEmulatorDefaults1", "DeleteHighScoreFile1", "DeleteConfigFile1"}) {
        EXPECT_TRUE(enabled(item)) << item;
    }
    EXPECT_FALSE(enabled("DeleteNVRAMfile1"));

    addGame(QStringLiteral("Found Game"), QStringLiteral("MAME"), QStringLiteral("found"));
    select(QStringLiteral("Found Game"));
    EXPECT_FALSE(enabled("Addtolist1"));
}

TEST_F(SelectionTest, LockAndPkzipDecideTheChangingCommands) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    EXPECT_FALSE(enabled("FixROM1"));
    enterLocation(inst, main(), QStringLiteral("EPKZip"), QStringLiteral("C:\\PK\\PKZIP.EXE"));
    select(QStringLiteral("Game"));
    EXPECT_TRUE(enabled("FixROM1"));
    EXPECT_TRUE(enabled("Removefromlist1"));

    inst.dialogs.answerText(QStringLiteral("pw"));
    menuItem(main(), QStringLiteral("Lock1")).trigger();
    select(QStringLiteral("Game"));
    EXPECT_FALSE(enabled("FixROM1"));
    EXPECT_FALSE(enabled("Removefromlist1"));
    EXPECT_FALSE(enabled("ResettoEmulatorDefaults1"));
}

TEST_F(SelectionTest, NothingSelectedKeepsTheDisplay) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    GameListWidget& list = listBox(main(), QStringLiteral("LBArcade"));
    list.setItemIndex(-1);
    control<QLabel>(main(), QStringLiteral("LEmu")).setText(QStringLiteral("kept"));
    option<QWidget>("CBVector").setVisible(false);
    QTest::keyRelease(&list, Qt::Key_Shift);
    EXPECT_EQ(label("LEmu"), QStringLiteral("kept"));
    EXPECT_TRUE(option<QWidget>("CBVector").isHidden());
    EXPECT_EQ(list.itemIndex(), -1);
}

TEST_F(SelectionTest, FurtherEmulatorsAreTidiedIntoSortedPairs) {
    addGame(QStringLiteral("Shared Game"), QStringLiteral("MAME"), QStringLiteral("shared"));
    const KeyPath key = StorePaths::Entry(QStringLiteral("Shared Game"));
    setPairs(key, {QStringLiteral("MAME"), QStringLiteral("shared"), QStringLiteral("RAGE"),
                   QStringLiteral("rage_a"), QStringLiteral("RAGE"), QStringLiteral("rage_b")});
    startMain();

    select(QStringLiteral("Shared Game"));
    EXPECT_EQ(readString(key, QStringLiteral("Emulator1")), QStringLiteral("RAGE"));
    EXPECT_EQ(readString(key, QStringLiteral("Shortname1")), QStringLiteral("rage_a"));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Emulator2")));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Emulator3")));
    EXPECT_TRUE(enabled("ChangeEmulators1"));

    // The by-emulator view offers no change of emulators.
    menuItem(main(), QStringLiteral("byEmulator1")).trigger();
    selectItem(listBox(main(), currentList(main()).objectName()), QStringLiteral("Shared Game"));
    EXPECT_FALSE(enabled("ChangeEmulators1"));
    EXPECT_EQ(readString(key, QStringLiteral("Emulator1")), QStringLiteral("RAGE"));
}

TEST_F(SelectionTest, FurtherEmulatorsSortByIdAndDropUnloadedOnes) {
    addGame(QStringLiteral("Shared Game"), QStringLiteral("RAGE"), QStringLiteral("shared"));
    const KeyPath key = StorePaths::Entry(QStringLiteral("Shared Game"));
    setPairs(key, {QStringLiteral("MAME"), QStringLiteral("m"), QStringLiteral("GONE"),
                   QStringLiteral("g"), QStringLiteral("IKARI"), QStringLiteral("i")});
    startMain();
    select(QStringLiteral("Shared Game"));
    EXPECT_EQ(readString(key, QStringLiteral("Emulator1")), QStringLiteral("IKARI"));
    EXPECT_EQ(readString(key, QStringLiteral("Shortname1")), QStringLiteral("i"));
    EXPECT_EQ(readString(key, QStringLiteral("Emulator2")), QStringLiteral("MAME"));
    EXPECT_EQ(readString(key, QStringLiteral("Shortname2")), QStringLiteral("m"));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Emulator3")));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Shortname3")));

    // Only its own emulator left: no pair stays and nothing can be changed.
    setPairs(key, {QStringLiteral("RAGE"), QStringLiteral("r1"), QStringLiteral("RAGE"),
                   QStringLiteral("r2")});
    select(QStringLiteral("Shared Game"));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Emulator1")));
    EXPECT_FALSE(enabled("ChangeEmulators1"));
}

TEST_F(SelectionTest, EntryOfAnUnloadedEmulatorHidesThePanel) {
    addGame(QStringLiteral("Orphan"), QStringLiteral("NOEMU"), QStringLiteral("orphan"),
            QStringLiteral("C:\\ZIPS\\ORPHAN.ZIP"));
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    select(QStringLiteral("Orphan"));
    EXPECT_EQ(label("LEmu"), QString());
    EXPECT_EQ(label("LSn"), QStringLiteral("ORPHAN"));
    EXPECT_EQ(label("LClone"), QStringLiteral("ORPHAN"));
    EXPECT_EQ(label("LPath"), QStringLiteral("C:\\ZIPS\\ORPHAN.ZIP"));
    for (const char* name :
         {"CBVector", "CBLinesOffscreen", "SELinesOffscreen", "CBMouse", "CBResolution",
          "LResolution", "CBSound", "EJoyEmu", "BJoyCP", "EAdditional", "LAdditional"}) {
        EXPECT_TRUE(option<QWidget>(name).isHidden()) << name;
    }
    EXPECT_FALSE(enabled("DeleteHighScoreFile1"));
    EXPECT_TRUE(enabled("Removefromlist1"));
}

}  // namespace
