// The selection refresh outside the option panel: the information area, the
// commands that act on the selection and the tidy-up of further emulators.
#include <QAction>

#include "gamelist/ui/GameListWidget.h"
#include "support/ui/OptionFixture.h"
#include "tools/ui/TFFileLocations.h"

namespace {

// The menu items of other subsystems, as they will be there.
void addSelectionMenus(TFMain& main) {
    for (QAction** item :
         {&main.Removefromlist1, &main.Addtolist1, &main.FixROM1, &main.ChangeEmulators1,
          &main.DeleteHighScoreFile1, &main.DeleteNVRAMfile1, &main.DeleteConfigFile1,
          &main.DeleteDipswitchFile1, &main.DeleteKeyFile1}) {
        *item = new QAction(&main);
    }
}

}  // namespace

TEST_F(OptionWindowTest, SingleEmulatorEntryShowsItsListNameAndExecutable) {
    startMain();
    addSelectionMenus(main());
    select(S(kIkari));
    EXPECT_EQ(main().LEmu->text(), S(kIkari));
    EXPECT_EQ(main().LSn->text(), QString());
    EXPECT_EQ(main().LClone->text(), QString());
    EXPECT_EQ(main().LPath->text(), QStringLiteral("C:\\EMU\\IKARI.EXE"));
    // The emulator's own entry: nothing to reset or remove, but its files.
    EXPECT_FALSE(main().ResettoEmulatorDefaults1->isEnabled());
    EXPECT_FALSE(main().Removefromlist1->isEnabled());
    EXPECT_TRUE(main().DeleteDipswitchFile1->isEnabled());
    EXPECT_FALSE(main().DeleteHighScoreFile1->isEnabled());
}

TEST_F(OptionWindowTest, InformationAreaShowsEmulatorShortNameParentAndPath) {
    addGame(QStringLiteral("Pac-Man (Midway)"), QStringLiteral("MAME"), QStringLiteral("pacman"),
            QStringLiteral("C:\\ZIPS\\PACMAN.ZIP"));
    addGame(QStringLiteral("Puck Man"), QStringLiteral("MAME"), QStringLiteral("puckman"));
    addGame(QStringLiteral("Street Fighter"), QStringLiteral("RAGE"), QStringLiteral("sf1"));
    startMain();

    select(QStringLiteral("Pac-Man (Midway)"));
    EXPECT_EQ(main().LEmu->text(), S(kMame));  // the "&" shown as it is
    EXPECT_EQ(main().LEmu->textFormat(), Qt::PlainText);
    EXPECT_EQ(main().LSn->text(), QStringLiteral("PACMAN"));
    EXPECT_EQ(main().LClone->text(), QStringLiteral("PUCKMAN"));
    EXPECT_EQ(main().LPath->text(), QStringLiteral("C:\\ZIPS\\PACMAN.ZIP"));

    select(QStringLiteral("Puck Man"));
    EXPECT_EQ(main().LClone->text(), QStringLiteral("PUCKMAN"));
    // No merge file at all: the short name is its own parent.
    select(QStringLiteral("Street Fighter"));
    EXPECT_EQ(main().LEmu->text(), S(kRage));
    EXPECT_EQ(main().LClone->text(), QStringLiteral("SF1"));
}

TEST_F(OptionWindowTest, MissingGameShowsHashAndOffersAddToList) {
    addGame(QStringLiteral("Lost Game"), QStringLiteral("MAME"), QStringLiteral("lost"),
            QStringLiteral("#"));
    startMain();
    addSelectionMenus(main());
    select(QStringLiteral("[ Lost Game ]"));
    EXPECT_EQ(main().LPath->text(), QStringLiteral("#"));
    EXPECT_EQ(main().LSn->text(), QStringLiteral("LOST"));
    EXPECT_TRUE(main().Addtolist1->isEnabled());
    EXPECT_TRUE(main().ResettoEmulatorDefaults1->isEnabled());
    EXPECT_TRUE(main().DeleteHighScoreFile1->isEnabled());
    EXPECT_TRUE(main().DeleteConfigFile1->isEnabled());
    EXPECT_FALSE(main().DeleteNVRAMfile1->isEnabled());

    addGame(QStringLiteral("Found Game"), QStringLiteral("MAME"), QStringLiteral("found"));
    select(QStringLiteral("Found Game"));
    EXPECT_FALSE(main().Addtolist1->isEnabled());
}

TEST_F(OptionWindowTest, LockAndPkzipDecideTheChangingCommands) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    addSelectionMenus(main());
    select(QStringLiteral("Game"));
    EXPECT_FALSE(main().FixROM1->isEnabled());
    main().FFileLocations->EPKZip->setText(QStringLiteral("C:\\PK\\PKZIP.EXE"));
    select(QStringLiteral("Game"));
    EXPECT_TRUE(main().FixROM1->isEnabled());
    EXPECT_TRUE(main().Removefromlist1->isEnabled());

    main().state.locked = true;
    select(QStringLiteral("Game"));
    EXPECT_FALSE(main().FixROM1->isEnabled());
    EXPECT_FALSE(main().Removefromlist1->isEnabled());
    EXPECT_FALSE(main().ResettoEmulatorDefaults1->isEnabled());
}

TEST_F(OptionWindowTest, NothingSelectedKeepsTheDisplay) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    main().LBArcade->setItemIndex(-1);
    main().LEmu->setText(QStringLiteral("kept"));
    main().POptions->CBVector->setVisible(false);
    main().ShowSelectedGame();
    EXPECT_EQ(main().LEmu->text(), QStringLiteral("kept"));
    EXPECT_TRUE(main().POptions->CBVector->isHidden());
    EXPECT_EQ(main().LBArcade->itemIndex(), -1);
}

TEST_F(OptionWindowTest, FurtherEmulatorsAreTidiedIntoSortedPairs) {
    addGame(QStringLiteral("Shared Game"), QStringLiteral("MAME"), QStringLiteral("shared"));
    const KeyPath key = StorePaths::Entry(QStringLiteral("Shared Game"));
    setPairs(key, {QStringLiteral("MAME"), QStringLiteral("shared"), QStringLiteral("RAGE"),
                   QStringLiteral("rage_a"), QStringLiteral("RAGE"), QStringLiteral("rage_b")});
    startMain();
    addSelectionMenus(main());

    select(QStringLiteral("Shared Game"));
    EXPECT_EQ(readString(key, QStringLiteral("Emulator1")), QStringLiteral("RAGE"));
    EXPECT_EQ(readString(key, QStringLiteral("Shortname1")), QStringLiteral("rage_a"));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Emulator2")));
    EXPECT_FALSE(hasValue(key, QStringLiteral("Emulator3")));
    EXPECT_TRUE(main().ChangeEmulators1->isEnabled());

    // The by-emulator view offers no change of emulators.
    main().byEmulator1->setChecked(true);
    select(QStringLiteral("Shared Game"));
    EXPECT_FALSE(main().ChangeEmulators1->isEnabled());
    EXPECT_EQ(readString(key, QStringLiteral("Emulator1")), QStringLiteral("RAGE"));
}

TEST_F(OptionWindowTest, FurtherEmulatorsSortByIdAndDropUnloadedOnes) {
    addGame(QStringLiteral("Shared Game"), QStringLiteral("RAGE"), QStringLiteral("shared"));
    const KeyPath key = StorePaths::Entry(QStringLiteral("Shared Game"));
    setPairs(key, {QStringLiteral("MAME"), QStringLiteral("m"), QStringLiteral("GONE"),
                   QStringLiteral("g"), QStringLiteral("IKARI"), QStringLiteral("i")});
    startMain();
    addSelectionMenus(main());
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
    EXPECT_FALSE(main().ChangeEmulators1->isEnabled());
}

TEST_F(OptionWindowTest, EntryOfAnUnloadedEmulatorHidesThePanel) {
    addGame(QStringLiteral("Orphan"), QStringLiteral("NOEMU"), QStringLiteral("orphan"),
            QStringLiteral("C:\\ZIPS\\ORPHAN.ZIP"));
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    addSelectionMenus(main());
    select(QStringLiteral("Game"));
    select(QStringLiteral("Orphan"));
    EXPECT_EQ(main().LEmu->text(), QString());
    EXPECT_EQ(main().LSn->text(), QStringLiteral("ORPHAN"));
    EXPECT_EQ(main().LClone->text(), QStringLiteral("ORPHAN"));
    EXPECT_EQ(main().LPath->text(), QStringLiteral("C:\\ZIPS\\ORPHAN.ZIP"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             main().POptions->CBVector, main().POptions->CBLinesOffscreen,
             main().POptions->SELinesOffscreen, main().POptions->CBMouse,
             main().POptions->CBResolution, main().POptions->LResolution, main().POptions->CBSound,
             main().POptions->EJoyEmu, main().POptions->BJoyCP, main().POptions->EAdditional,
             main().POptions->LAdditional}) {
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    }
    EXPECT_FALSE(main().DeleteHighScoreFile1->isEnabled());
    EXPECT_TRUE(main().Removefromlist1->isEnabled());
}
