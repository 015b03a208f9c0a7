#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>

#include "app/StartupLogic.h"
#include "app/ui/TFMain.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RandomChoice.h"
#include "support/Text.h"
#include "support/ui/WindowDriver.h"

namespace {

// Four definitions; without list files start-up orders them RAGE, PONG,
// NES, MAME, so the pages are Arcade, Console, RAGE, NES, MAME, Single.
class ListViewWindowTest : public ::testing::Test, public ListViewSetup {
protected:
    ListViewWindowTest() {
        defineEmulator(QStringLiteral("MAME"), QStringLiteral("MAME {Arcade}"),
                       QStringLiteral("MAME"));
        defineEmulator(QStringLiteral("RAGE"), QStringLiteral("RAGE {Arcade}"),
                       QStringLiteral("MULTI"));
        defineEmulator(QStringLiteral("NES"), QStringLiteral("NES {Console}"),
                       QStringLiteral("CONSOLE"));
        defineEmulator(QStringLiteral("PONG"), QStringLiteral("Pong {Single}"),
                       QStringLiteral("SINGLE"));
    }

    TFMain& start() {
        main = std::make_unique<TFMain>(inst.context());
        main->FormActivate();
        return *main;
    }

    // The emulators as start-up loads them.
    EmulatorTable loadedEmulators() {
        EmulatorTable table;
        StartupLogic::LoadEmulators(inst.context(), table);
        return table;
    }
    GameListWidget& list(const QString& name) const { return listBox(*main, name); }
    // An emulator's own list and page.
    GameListWidget& listOf(const QString& emulatorId) const { return list(u"LB" + emulatorId); }
    QWidget& page(const QString& name) const { return control<QWidget>(*main, name); }
    QTabWidget& pages() const { return control<QTabWidget>(*main, QStringLiteral("PCConsole")); }
    bool shown(const QString& pageName) const {
        return pages().isTabVisible(pages().indexOf(&page(pageName)));
    }
    bool inFront(const QString& pageName) const {
        return pages().currentWidget() == &page(pageName);
    }
    bool isCurrent(const GameListWidget& l) const { return &currentList(*main) == &l; }
    QAction& item(const char* name) const { return menuItem(*main, QString::fromLatin1(name)); }
    QString shownShortName() const { return labelText(*main, QStringLiteral("LSn")); }
    // The short name the selection refresh shows for an entry of ListViewSetup.
    static QString shownShort(const QString& name) { return name.left(8).toUpper(); }

    // Lets the joystick timer tick `ticks` times, running `eachTick` after
    // every tick, and then stops it.
    void runJoystick(int ticks, const std::function<void()>& eachTick = {}) {
        runTimer(*main, QStringLiteral("Timer2"), ticks, eachTick);
    }

    void addGames(int count, const QString& emulator = QStringLiteral("MAME")) {
        for (int i = 0; i < count; ++i) {
            addGame({QStringLiteral("Game %1").arg(i, 2, 10, QLatin1Char('0')), emulator});
        }
    }

    std::unique_ptr<TFMain> main;
};

TEST_F(ListViewWindowTest, AGameOfTwoEmulatorsIsOnBothPagesByEmulatorAndOnceByName) {
    addGame({QStringLiteral("Street Fighter II"),
             QStringLiteral("MAME"),
             QStringLiteral("C:\\R\\SF2.ZIP"),
             {QStringLiteral("RAGE")}});
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    addGame({QStringLiteral("Pong {Single}"), QStringLiteral("PONG"),
             QStringLiteral("C:\\PONG\\PONG.EXE")});
    addGame({QStringLiteral("Orphan"), QStringLiteral("GONE")});
    start();

    EXPECT_EQ(list(u"LBArcade"_qs).items(),
              (QStringList{u"Pong {Single}"_qs, u"Street Fighter II"_qs}));
    EXPECT_EQ(list(u"LBConsole"_qs).items(), QStringList{u"Zelda"_qs});
    EXPECT_TRUE(shown(u"TSArcade"_qs) && shown(u"TSConsole"_qs));
    EXPECT_FALSE(shown(u"TSSingle"_qs) || shown(u"TSMAME"_qs) || shown(u"TSNES"_qs));
    // No "Current": the first page with games comes to the front, and the
    // game count selects its first item and is shown at once.
    EXPECT_TRUE(isCurrent(list(u"LBArcade"_qs)));
    EXPECT_TRUE(inFront(u"TSArcade"_qs));
    EXPECT_EQ(list(u"LBArcade"_qs).itemIndex(), 0);
    EXPECT_EQ(statusText(*main), u"2 games listed"_qs);

    item("byEmulator1").trigger();

    EXPECT_TRUE(item("byEmulator1").isChecked());
    EXPECT_FALSE(item("byName1").isChecked());
    EXPECT_FALSE(rootBool(u"Display by Name"_qs));
    EXPECT_TRUE(rootBool(u"Display by Emulator"_qs));
    EXPECT_EQ(listOf(u"MAME"_qs).items(), QStringList{u"Street Fighter II"_qs});
    EXPECT_EQ(listOf(u"RAGE"_qs).items(), QStringList{u"Street Fighter II"_qs});
    EXPECT_EQ(listOf(u"NES"_qs).items(), QStringList{u"Zelda"_qs});
    EXPECT_EQ(list(u"LBSingle"_qs).items(), QStringList{u"Pong {Single}"_qs});
    EXPECT_FALSE(shown(u"TSArcade"_qs) || shown(u"TSConsole"_qs));
    EXPECT_TRUE(shown(u"TSSingle"_qs) && shown(u"TSMAME"_qs) && shown(u"TSRAGE"_qs));
    // "Pong {Single}" was selected and is again, on the page of its kind.
    EXPECT_TRUE(isCurrent(list(u"LBSingle"_qs)));
    EXPECT_TRUE(inFront(u"TSSingle"_qs));
    EXPECT_EQ(selectedItem(currentList(*main)), u"Pong {Single}"_qs);
    EXPECT_EQ(statusText(*main), u"1 games listed"_qs);
}

TEST_F(ListViewWindowTest, AnEmulatorsOwnEntryIsListedButNotCountedNorPickedAtRandom) {
    addGame({QStringLiteral("MAME {Arcade}"), QStringLiteral("MAME"),
             QStringLiteral("C:\\MAME\\MAME.EXE")});
    addGame({QStringLiteral("Pong {Single}"), QStringLiteral("PONG"),
             QStringLiteral("C:\\PONG\\PONG.EXE")});
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Qix"), QStringLiteral("MAME"), QStringLiteral("#")});
    setRoot(u"Current"_qs, u"Galaxian"_qs);
    start();
    GameListWidget& arcade = list(u"LBArcade"_qs);

    ASSERT_TRUE(isCurrent(arcade));
    EXPECT_EQ(arcade.items(), (QStringList{u"[ Qix ]"_qs, u"Frogger"_qs, u"Galaxian"_qs,
                                           u"MAME {Arcade}"_qs, u"Pong {Single}"_qs}));
    EXPECT_EQ(arcade.hint(), u"4 games listed"_qs);

    std::set<QString> picked;
    for (int i = 0; i < 60; ++i) {
        inst.clock.advance(0.001);
        item("ChooseRandom1").trigger();
        picked.insert(selectedItem(arcade));
    }
    EXPECT_EQ(picked, (std::set<QString>{u"Frogger"_qs, u"Galaxian"_qs, u"Pong {Single}"_qs}));

    // With counts shown the entry's text carries a count, and is still no game.
    item("byCount1").trigger();
    EXPECT_EQ(arcade.hint(), u"3 games listed"_qs);
}

TEST_F(ListViewWindowTest, CountsShowFourDigitsOrMoreAndTheNameIsReadBackWhole) {
    addGame(
        {QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("C:\\R\\P.ZIP"), {}, 7});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Defender"),
             QStringLiteral("MAME"),
             QStringLiteral("C:\\R\\D.ZIP"),
             {},
             12345});
    setRoot(u"Current"_qs, u"Pac-Man"_qs);
    {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        store.WriteBool(QStringLiteral("Display by Count"), true);
        store.WriteBool(QStringLiteral("Show Missing"), false);
    }
    start();
    GameListWidget& arcade = list(u"LBArcade"_qs);

    EXPECT_EQ(arcade.items(),
              (QStringList{u"0000 Frogger"_qs, u"0007 Pac-Man"_qs, u"12345 Defender"_qs}));
    EXPECT_EQ(selectedItem(arcade), u"0007 Pac-Man"_qs);

    selectItem(arcade, u"12345 Defender"_qs);
    EXPECT_EQ(gameLists(*main).CurrentEntryName(), u"Defender"_qs);
    item("byEmulator1").trigger();
    EXPECT_EQ(rootString(u"Current"_qs), u"Defender"_qs);
    EXPECT_TRUE(isCurrent(listOf(u"MAME"_qs)));
    EXPECT_EQ(selectedItem(currentList(*main)), u"12345 Defender"_qs);
}

TEST_F(ListViewWindowTest, ShowCountAndMissingGamesSwitchEachOtherOffAndAreStored) {
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME"), QStringLiteral("#")});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Qix"), QStringLiteral("MAME")});
    setRoot(u"Current"_qs, u"Qix"_qs);
    start();
    GameListWidget& arcade = list(u"LBArcade"_qs);
    QAction& count = item("byCount1");
    QAction& missing = item("MissingGames1");
    ASSERT_TRUE(missing.isChecked());
    ASSERT_FALSE(count.isChecked());
    EXPECT_EQ(arcade.hint(), u"3 games listed"_qs);

    count.trigger();
    EXPECT_TRUE(count.isChecked());
    EXPECT_FALSE(missing.isChecked());
    EXPECT_TRUE(rootBool(u"Display by Count"_qs));
    EXPECT_FALSE(rootBool(u"Show Missing"_qs));
    EXPECT_EQ(arcade.items(), (QStringList{u"0000 Frogger"_qs, u"0000 Qix"_qs}));
    // The selection was read before the switch changed the texts.
    EXPECT_EQ(selectedItem(arcade), u"0000 Qix"_qs);
    EXPECT_EQ(arcade.hint(), u"2 games listed"_qs);

    missing.trigger();
    EXPECT_TRUE(missing.isChecked());
    EXPECT_FALSE(count.isChecked());
    EXPECT_FALSE(rootBool(u"Display by Count"_qs));
    EXPECT_TRUE(rootBool(u"Show Missing"_qs));
    EXPECT_EQ(arcade.items(), (QStringList{u"[ Galaxian ]"_qs, u"Frogger"_qs, u"Qix"_qs}));
    EXPECT_EQ(selectedItem(arcade), u"Qix"_qs);
    EXPECT_EQ(arcade.hint(), u"3 games listed"_qs);

    // Switching one off leaves the other off.
    missing.trigger();
    EXPECT_FALSE(missing.isChecked());
    EXPECT_FALSE(count.isChecked());
    EXPECT_EQ(arcade.items(), (QStringList{u"Frogger"_qs, u"Qix"_qs}));
}

TEST_F(ListViewWindowTest, LeftAndRightChangeThePageAndKeepThePreviousListsSelection) {
    addGame({QStringLiteral("Asteroids"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Berzerk"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Centipede"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    setRoot(u"Current"_qs, u"Asteroids"_qs);
    {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        store.WriteBool(QStringLiteral("Display by Emulator"), true);
    }
    start();
    GameListWidget& mame = listOf(u"MAME"_qs);
    ASSERT_TRUE(isCurrent(mame));
    ASSERT_EQ(mame.itemIndex(), 0);

    QTest::keyClick(&mame, Qt::Key_Left);
    EXPECT_TRUE(inFront(u"TSNES"_qs));
    EXPECT_TRUE(isCurrent(listOf(u"NES"_qs)));
    EXPECT_EQ(mame.itemIndex(), 0);
    EXPECT_EQ(shownShortName(), shownShort(u"Zelda"_qs));
    EXPECT_EQ(currentList(*main).hint(), u"1 games listed"_qs);

    QTest::keyClick(&listOf(u"NES"_qs), Qt::Key_Right);
    EXPECT_TRUE(isCurrent(mame));
    mame.setItemIndex(2);
    QTest::keyClick(&mame, Qt::Key_Right);
    EXPECT_TRUE(inFront(u"TSSingle"_qs));
    EXPECT_EQ(mame.itemIndex(), 2);

    // A held key repeats its release too; only the last one changes the page.
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&list(u"LBSingle"_qs), &repeated);
    EXPECT_TRUE(inFront(u"TSSingle"_qs));

    // From the last page round to the first shown one, past the hidden Arcade and Console.
    QTest::keyClick(&list(u"LBSingle"_qs), Qt::Key_Right);
    EXPECT_TRUE(inFront(u"TSFavourites"_qs));
    QTest::keyClick(&list(u"LBFavourites"_qs), Qt::Key_Right);
    EXPECT_TRUE(inFront(u"TSRAGE"_qs));
    QTest::keyClick(&listOf(u"RAGE"_qs), Qt::Key_Left);
    EXPECT_TRUE(inFront(u"TSFavourites"_qs));
}

TEST_F(ListViewWindowTest, CtrlTabStepsOverHiddenPages) {
    addGames(3);
    start();
    pages().setCurrentWidget(&page(u"TSConsole"_qs));

    QTest::keyClick(&list(u"LBConsole"_qs), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(inFront(u"TSFavourites"_qs));
    QTest::keyClick(&list(u"LBFavourites"_qs), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(inFront(u"TSArcade"_qs));
    EXPECT_TRUE(isCurrent(list(u"LBArcade"_qs)));
}

TEST_F(ListViewWindowTest, TypedCommandsActWithoutTheListsOwnSearchButArrowsStillMove) {
    for (const QString& name :
         {u"1942"_qs, u"2020 Baseball"_qs, u"Alpha"_qs, u"Beta"_qs, u"Gamma"_qs}) {
        addGame({name, QStringLiteral("MAME")});
    }
    addGame({QStringLiteral("MAME {Arcade}"), QStringLiteral("MAME"),
             QStringLiteral("C:\\MAME\\MAME.EXE")});
    setRoot(u"Current"_qs, u"Beta"_qs);
    start();
    GameListWidget& arcade = list(u"LBArcade"_qs);
    ASSERT_EQ(selectedItem(arcade), u"Beta"_qs);

    QTest::keyClick(&arcade, Qt::Key_1);
    QTest::keyClick(&arcade, Qt::Key_2);
    QTest::keyClick(&arcade, Qt::Key_Return);
    EXPECT_EQ(selectedItem(arcade), u"Beta"_qs);

    QTest::keyClick(&arcade, Qt::Key_Down);
    EXPECT_EQ(selectedItem(arcade), u"Gamma"_qs);
    EXPECT_EQ(shownShortName(), shownShort(u"Gamma"_qs));

    // "3" chooses at random; with this clock the choice is no longer Gamma.
    inst.clock.set(45123.125);
    const int expected = *RandomChoice::Pick(
        RandomChoice::Candidates(inst.context(), loadedEmulators(), arcade.items(), false),
        inst.clock.now());
    ASSERT_NE(expected, arcade.indexOf(u"Gamma"_qs));
    QTest::keyClick(&arcade, Qt::Key_3);
    EXPECT_EQ(arcade.itemIndex(), expected);
    EXPECT_EQ(shownShortName(), shownShort(selectedItem(arcade)));
}

TEST_F(ListViewWindowTest, ChooseRandomIsInTheGameMenuAndDoesNothingWithoutAGameToPick) {
    addGame({QStringLiteral("MAME {Arcade}"), QStringLiteral("MAME"),
             QStringLiteral("C:\\MAME\\MAME.EXE")});
    addGame({QStringLiteral("Qix"), QStringLiteral("MAME"), QStringLiteral("#")});
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME"), QStringLiteral("#")});
    setRoot(u"Current"_qs, u"MAME {Arcade}"_qs);
    start();
    QAction& random = item("ChooseRandom1");
    ASSERT_TRUE(control<QMenu>(*main, u"Game1"_qs).actions().contains(&random));
    EXPECT_EQ(random.text(), u"Choose &Random"_qs);
    EXPECT_EQ(random.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(random.statusTip(), u"Switches to a random game in the list"_qs);
    ASSERT_EQ(selectedItem(list(u"LBArcade"_qs)), u"MAME {Arcade}"_qs);

    random.trigger();
    EXPECT_EQ(selectedItem(list(u"LBArcade"_qs)), u"MAME {Arcade}"_qs);

    // An empty list: nothing to choose, nothing selected.
    pages().setCurrentWidget(&page(u"TSConsole"_qs));
    ASSERT_TRUE(isCurrent(list(u"LBConsole"_qs)));
    random.trigger();
    EXPECT_EQ(list(u"LBConsole"_qs).itemIndex(), -1);
}

TEST_F(ListViewWindowTest, AStickHeldUpMovesOneItemPerTwoTicksAndStopsAtTheTop) {
    addGames(10);
    setRoot(u"Current"_qs, u"Game 05"_qs);
    start();
    GameListWidget& arcade = list(u"LBArcade"_qs);
    ASSERT_EQ(arcade.itemIndex(), 5);

    // The stick's position at start-up is its centre.
    const int centreX = inst.joystick.state.x;
    const int centreY = inst.joystick.state.y;
    inst.joystick.state.y = centreY - 25001;
    std::vector<int> indexes;
    runJoystick(14, [&] { indexes.push_back(arcade.itemIndex()); });
    EXPECT_EQ(indexes, (std::vector<int>{4, 4, 3, 3, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(shownShortName(), shownShort(u"Game 00"_qs));

    // Down to the bottom, and no further.
    inst.joystick.state.y = centreY + 25001;
    runJoystick(40);
    EXPECT_EQ(arcade.itemIndex(), 9);

    // Sideways changes the page (Arcade to Console and back).
    inst.joystick.state = {centreX + 30000, centreY, false, false};
    runJoystick(2);
    EXPECT_TRUE(isCurrent(list(u"LBConsole"_qs)));
}

TEST_F(ListViewWindowTest, HoldingButtonTwoPicksOneRandomGame) {
    addGames(12);
    start();
    pages().setCurrentWidget(&page(u"TSArcade"_qs));
    GameListWidget& arcade = list(u"LBArcade"_qs);
    ASSERT_TRUE(isCurrent(arcade));

    runJoystick(1);  // released: armed
    inst.joystick.state.button2 = true;
    runJoystick(1);
    const int pick = arcade.itemIndex();
    ASSERT_GE(pick, 0);
    const int other = pick == 0 ? 1 : 0;
    arcade.setItemIndex(other);
    runJoystick(10);
    EXPECT_EQ(arcade.itemIndex(), other);

    inst.joystick.state.button2 = false;
    runJoystick(1);
    inst.joystick.state.button2 = true;
    runJoystick(1);
    EXPECT_EQ(arcade.itemIndex(), pick);
}

TEST_F(ListViewWindowTest, TheCurrentItemIsShownTwelveLinesBelowTheTop) {
    addGames(90);  // more than a page of the window's height, whatever the item height
    setRoot(u"Current"_qs, u"Game 20"_qs);
    main = std::make_unique<TFMain>(inst.context());
    main->resize(800, 900);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->FormActivate();
    QCoreApplication::processEvents();
    GameListWidget& arcade = list(u"LBArcade"_qs);

    EXPECT_EQ(arcade.itemIndex(), 20);
    EXPECT_EQ(arcade.topIndex(), 8);

    // Releasing the mouse on an item shows that game.
    const QPoint item22 = arcade.visualRect(arcade.model()->index(22, 0)).center();
    QTest::mouseClick(arcade.viewport(), Qt::LeftButton, Qt::NoModifier, item22);
    EXPECT_EQ(arcade.itemIndex(), 22);
    EXPECT_EQ(shownShortName(), shownShort(u"Game 22"_qs));
}

TEST_F(ListViewWindowTest, TheSelectionSurvivesModeSwitches) {
    addGame({QStringLiteral("AC\\DC Rocks"), QStringLiteral("RAGE")});
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME"), QStringLiteral("#")});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    start();
    GameListWidget& arcade = list(u"LBArcade"_qs);
    pages().setCurrentWidget(&page(u"TSArcade"_qs));
    selectItem(arcade, u"AC\\DC Rocks"_qs);

    item("byEmulator1").trigger();
    EXPECT_TRUE(isCurrent(listOf(u"RAGE"_qs)));
    EXPECT_EQ(selectedItem(currentList(*main)), u"AC\\DC Rocks"_qs);
    item("byName1").trigger();
    EXPECT_TRUE(isCurrent(arcade));
    EXPECT_EQ(selectedItem(arcade), u"AC\\DC Rocks"_qs);
    EXPECT_TRUE(rootBool(u"Display by Name"_qs));

    // A missing game is found again on its emulator's page too.
    selectItem(arcade, u"[ Galaxian ]"_qs);
    item("byEmulator1").trigger();
    EXPECT_TRUE(isCurrent(listOf(u"MAME"_qs)));
    EXPECT_EQ(selectedItem(currentList(*main)), u"[ Galaxian ]"_qs);

    // Across runs: shutdown keeps it, the next start selects it.
    main.reset();
    EXPECT_EQ(rootString(u"Current"_qs), u"Galaxian"_qs);
    start();
    EXPECT_TRUE(isCurrent(listOf(u"MAME"_qs)));
    EXPECT_EQ(selectedItem(currentList(*main)), u"[ Galaxian ]"_qs);
}

TEST_F(ListViewWindowTest, ByEmulatorWithoutTheCurrentGameMakesTheListInFrontCurrent) {
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    setRoot(u"Current"_qs, u"Not Listed"_qs);
    start();
    pages().setCurrentWidget(&page(u"TSArcade"_qs));
    ASSERT_TRUE(isCurrent(list(u"LBArcade"_qs)));  // empty: the switch keeps "Current"

    item("byEmulator1").trigger();

    // Arcade is hidden now; the commands work on the list the user sees.
    EXPECT_TRUE(isCurrent(listOf(u"NES"_qs)));
    EXPECT_TRUE(inFront(u"TSNES"_qs));
}

TEST_F(ListViewWindowTest, TheJoystickIsPolledOnlyWhileTheProgramIsActive) {
    addGames(2);
    setRoot(u"Current"_qs, u"Game 01"_qs);
    start();
    const auto& timer = control<QTimer>(*main, u"Timer2"_qs);
    EXPECT_EQ(timer.interval(), 50);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(timer.isActive());
    ASSERT_EQ(shownShortName(), QString());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(shownShortName(), shownShort(u"Game 01"_qs));
}

TEST_F(ListViewWindowTest, ListsShowTheButtonFaceWholeItemsAndKeepTheirWidthAsThePanelFills) {
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME"),
             QStringLiteral("C:\\A VERY LONG FOLDER NAME\\THAT GOES ON AND ON AND ON\\"
                            "STILL FURTHER AND FURTHER\\FROGGER.ZIP")});
    main = std::make_unique<TFMain>(inst.context());
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->FormActivate();
    QCoreApplication::processEvents();
    GameListWidget& arcade = list(u"LBArcade"_qs);

    EXPECT_EQ(arcade.font().pixelSize(), 12);
    EXPECT_EQ(arcade.sizeHintForRow(0), 13);
    // Below the last item the list shows its background: the button face.
    const QImage shot = arcade.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() - 2),
              arcade.palette().color(QPalette::Button));

    const QSize window = main->size();
    const int width = arcade.width();
    for (const QString& game : {QStringLiteral("Galaxian"), QStringLiteral("Frogger")}) {
        selectItem(arcade, game);
        QCoreApplication::processEvents();
        EXPECT_EQ(arcade.width(), width) << game.toStdString();
        EXPECT_EQ(main->size(), window) << game.toStdString();
    }
}

}  // namespace

namespace {

class ListViewShownTest : public ListViewWindowTest {
protected:
    // The window shown and active, the keys with the Arcade list.
    void startShown() {
        start();
        main->show();
        QApplication::setActiveWindow(main.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        list(u"LBArcade"_qs).setFocus();
    }
    // A key as the user types it: to whatever has the keys.
    static void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

TEST_F(ListViewShownTest, AMenuLeftWithEscapeDoesNotKeepTheKeysFromAClickedPage) {
    addGames(3);
    setRoot(u"Current"_qs, u"Game 00"_qs);
    startShown();
    QMenuBar& bar = *main->menuBar();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(bar.actions().first()).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTabBar& tabs = *pages().tabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(pages().currentIndex()).center());
    type(Qt::Key_Down);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(selectedItem(list(u"LBArcade"_qs)), u"Game 01"_qs);
}

// Switching the view by its keys leaves the keys with the list, either way.
TEST_F(ListViewShownTest, CtrlEAndCtrlNKeepTheKeysInTheList) {
    addGames(5);
    setRoot(u"Current"_qs, u"Game 00"_qs);
    startShown();
    for (const Qt::Key view : {Qt::Key_E, Qt::Key_N, Qt::Key_E}) {
        type(view, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), &currentList(*main)) << char(view);
        const int before = currentList(*main).itemIndex();
        type(Qt::Key_Down);
        EXPECT_EQ(currentList(*main).itemIndex(), before + 1) << char(view);
    }
}

TEST_F(ListViewShownTest, CtrlFNarrowsTheListToNamesContainingTheTextIgnoringCaseAndAccents) {
    for (const char* name :
         {"Ms. Pac-Man", "Pac-Man (Midway)", "Puck Man", "Pokémon Puzzle", "Frogger", "Galaxian"}) {
        addGame({q(name), QStringLiteral("MAME")});
    }
    addGame({QStringLiteral("MAME {Arcade}"), QStringLiteral("MAME"),
             QStringLiteral("C:\\MAME\\MAME.EXE")});
    setRoot(u"Current"_qs, u"Galaxian"_qs);
    startShown();
    GameListWidget& arcade = list(u"LBArcade"_qs);
    QLineEdit& filter = control<QLineEdit>(*main, u"EFilter"_qs);
    ASSERT_FALSE(filter.isVisible());

    type(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(filter.hasFocus());
    QTest::keyClicks(&filter, u"PAC"_qs);
    EXPECT_EQ(arcade.shownItems(), (QStringList{u"Ms. Pac-Man"_qs, u"Pac-Man (Midway)"_qs}));
    EXPECT_EQ(statusText(*main), u"2 of 6 games"_qs);
    // Galaxian is hidden: the first game shown is selected and shown.
    EXPECT_EQ(selectedItem(arcade), u"Ms. Pac-Man"_qs);
    EXPECT_EQ(shownShortName(), shownShort(u"Ms. Pac-Man"_qs));
    type(Qt::Key_Down);  // moves in the list, which has the keys from now on
    EXPECT_EQ(selectedItem(arcade), u"Pac-Man (Midway)"_qs);
    EXPECT_TRUE(arcade.hasFocus());
    for (int i = 0; i < 10; ++i) {
        type(Qt::Key_3);  // random choices land on what is shown
        EXPECT_TRUE(selectedItem(arcade).contains(u"Pac-Man"_qs));
    }

    type(Qt::Key_Escape);
    EXPECT_FALSE(filter.isVisible());
    EXPECT_EQ(arcade.count(), 7);
    EXPECT_EQ(statusText(*main), u"6 games listed"_qs);

    type(Qt::Key_F, Qt::ControlModifier);
    // Typed as a keyboard with the letter sends it (keyClicks knows ASCII only).
    QTest::sendKeyEvent(QTest::Click, &filter, Qt::Key_Eacute, q("é"), Qt::NoModifier);
    EXPECT_EQ(arcade.shownItems(),
              (QStringList{u"Frogger"_qs, u"MAME {Arcade}"_qs, q("Pokémon Puzzle")}));
    QTest::keyClick(&filter, Qt::Key_Escape);
    EXPECT_FALSE(filter.isVisible());
    EXPECT_TRUE(arcade.hasFocus());
}

}  // namespace
