#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>
#include <memory>
#include <set>

#include "app/ui/TFMain.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RandomChoice.h"
#include "gamelist/ui/GameListWidget.h"

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

    GameListWidget* listOf(const QString& emulatorId) const {
        return main->emulatorLists.at(size_t(main->EmulatorIndexById(emulatorId)));
    }
    QWidget* pageOf(const QString& emulatorId) const {
        return main->emulatorTabs.at(size_t(main->EmulatorIndexById(emulatorId)));
    }
    bool shown(QWidget* page) const {
        return main->PCConsole->isTabVisible(main->PCConsole->indexOf(page));
    }
    QString selected(const GameListWidget* list) const { return list->item(list->itemIndex()); }
    // The short name the selection refresh shows for an entry of ListViewSetup.
    static QString shownShort(const QString& name) { return name.left(8).toUpper(); }
    void select(GameListWidget* list, const QString& text) {
        list->setItemIndex(list->indexOf(text));
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
    TFMain& m = start();

    EXPECT_EQ(m.LBArcade->items(), (QStringList{u"Pong {Single}"_qs, u"Street Fighter II"_qs}));
    EXPECT_EQ(m.LBConsole->items(), QStringList{u"Zelda"_qs});
    EXPECT_TRUE(shown(m.TSArcade) && shown(m.TSConsole));
    EXPECT_FALSE(shown(m.TSSingle) || shown(pageOf(u"MAME"_qs)) || shown(pageOf(u"NES"_qs)));
    // No "Current": the first page with games comes to the front, and the
    // game count selects its first item and is shown at once.
    EXPECT_EQ(m.currentListBox, m.LBArcade);
    EXPECT_EQ(m.PCConsole->currentWidget(), m.TSArcade);
    EXPECT_EQ(m.LBArcade->itemIndex(), 0);
    EXPECT_EQ(m.StatusText->text(), u"2 games listed"_qs);

    m.byEmulator1->trigger();

    EXPECT_TRUE(m.byEmulator1->isChecked());
    EXPECT_FALSE(m.byName1->isChecked());
    EXPECT_FALSE(rootBool(u"Display by Name"_qs));
    EXPECT_TRUE(rootBool(u"Display by Emulator"_qs));
    EXPECT_EQ(listOf(u"MAME"_qs)->items(), QStringList{u"Street Fighter II"_qs});
    EXPECT_EQ(listOf(u"RAGE"_qs)->items(), QStringList{u"Street Fighter II"_qs});
    EXPECT_EQ(listOf(u"NES"_qs)->items(), QStringList{u"Zelda"_qs});
    EXPECT_EQ(m.LBSingle->items(), QStringList{u"Pong {Single}"_qs});
    EXPECT_FALSE(shown(m.TSArcade) || shown(m.TSConsole));
    EXPECT_TRUE(shown(m.TSSingle) && shown(pageOf(u"MAME"_qs)) && shown(pageOf(u"RAGE"_qs)));
    // "Pong {Single}" was selected and is again, on the page of its kind.
    EXPECT_EQ(m.currentListBox, m.LBSingle);
    EXPECT_EQ(m.PCConsole->currentWidget(), m.TSSingle);
    EXPECT_EQ(selected(m.currentListBox), u"Pong {Single}"_qs);
    EXPECT_EQ(m.StatusText->text(), u"1 games listed"_qs);
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
    TFMain& m = start();

    ASSERT_EQ(m.currentListBox, m.LBArcade);
    EXPECT_EQ(m.LBArcade->items(), (QStringList{u"[ Qix ]"_qs, u"Frogger"_qs, u"Galaxian"_qs,
                                                u"MAME {Arcade}"_qs, u"Pong {Single}"_qs}));
    EXPECT_EQ(m.LBArcade->hint(), u"4 games listed"_qs);

    std::set<QString> picked;
    for (int i = 0; i < 60; ++i) {
        inst.clock.advance(0.001);
        m.ChooseRandom1Click();
        picked.insert(selected(m.LBArcade));
    }
    EXPECT_EQ(picked, (std::set<QString>{u"Frogger"_qs, u"Galaxian"_qs, u"Pong {Single}"_qs}));

    // With counts shown the entry's text carries a count, and is still no game.
    m.byCount1->trigger();
    EXPECT_EQ(m.LBArcade->hint(), u"3 games listed"_qs);
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
    TFMain& m = start();

    EXPECT_EQ(m.LBArcade->items(),
              (QStringList{u"0000 Frogger"_qs, u"0007 Pac-Man"_qs, u"12345 Defender"_qs}));
    EXPECT_EQ(selected(m.LBArcade), u"0007 Pac-Man"_qs);

    select(m.LBArcade, u"12345 Defender"_qs);
    EXPECT_EQ(m.CurrentEntryName(), u"Defender"_qs);
    m.byEmulator1->trigger();
    EXPECT_EQ(rootString(u"Current"_qs), u"Defender"_qs);
    EXPECT_EQ(m.currentListBox, listOf(u"MAME"_qs));
    EXPECT_EQ(selected(m.currentListBox), u"12345 Defender"_qs);
}

TEST_F(ListViewWindowTest, ShowCountAndMissingGamesSwitchEachOtherOffAndAreStored) {
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME"), QStringLiteral("#")});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Qix"), QStringLiteral("MAME")});
    setRoot(u"Current"_qs, u"Qix"_qs);
    TFMain& m = start();
    ASSERT_TRUE(m.MissingGames1->isChecked());
    ASSERT_FALSE(m.byCount1->isChecked());
    EXPECT_EQ(m.LBArcade->hint(), u"3 games listed"_qs);

    m.byCount1->trigger();
    EXPECT_TRUE(m.byCount1->isChecked());
    EXPECT_FALSE(m.MissingGames1->isChecked());
    EXPECT_TRUE(rootBool(u"Display by Count"_qs));
    EXPECT_FALSE(rootBool(u"Show Missing"_qs));
    EXPECT_EQ(m.LBArcade->items(), (QStringList{u"0000 Frogger"_qs, u"0000 Qix"_qs}));
    // The selection was read before the switch changed the texts.
    EXPECT_EQ(selected(m.LBArcade), u"0000 Qix"_qs);
    EXPECT_EQ(m.LBArcade->hint(), u"2 games listed"_qs);

    m.MissingGames1->trigger();
    EXPECT_TRUE(m.MissingGames1->isChecked());
    EXPECT_FALSE(m.byCount1->isChecked());
    EXPECT_FALSE(rootBool(u"Display by Count"_qs));
    EXPECT_TRUE(rootBool(u"Show Missing"_qs));
    EXPECT_EQ(m.LBArcade->items(), (QStringList{u"[ Galaxian ]"_qs, u"Frogger"_qs, u"Qix"_qs}));
    EXPECT_EQ(selected(m.LBArcade), u"Qix"_qs);
    EXPECT_EQ(m.LBArcade->hint(), u"3 games listed"_qs);

    // Switching one off leaves the other off.
    m.MissingGames1->trigger();
    EXPECT_FALSE(m.MissingGames1->isChecked());
    EXPECT_FALSE(m.byCount1->isChecked());
    EXPECT_EQ(m.LBArcade->items(), (QStringList{u"Frogger"_qs, u"Qix"_qs}));
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
    TFMain& m = start();
    GameListWidget* mame = listOf(u"MAME"_qs);
    ASSERT_EQ(m.currentListBox, mame);
    ASSERT_EQ(mame->itemIndex(), 0);

    QTest::keyClick(mame, Qt::Key_Left);
    EXPECT_EQ(m.PCConsole->currentWidget(), pageOf(u"NES"_qs));
    EXPECT_EQ(m.currentListBox, listOf(u"NES"_qs));
    EXPECT_EQ(mame->itemIndex(), 0);
    EXPECT_EQ(m.LSn->text(), shownShort(u"Zelda"_qs));
    EXPECT_EQ(m.currentListBox->hint(), u"1 games listed"_qs);

    QTest::keyClick(m.currentListBox, Qt::Key_Right);
    EXPECT_EQ(m.currentListBox, mame);
    mame->setItemIndex(2);
    QTest::keyClick(mame, Qt::Key_Right);
    EXPECT_EQ(m.PCConsole->currentWidget(), m.TSSingle);
    EXPECT_EQ(mame->itemIndex(), 2);

    // A held key repeats its release too; only the last one changes the page.
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(m.currentListBox, &repeated);
    EXPECT_EQ(m.PCConsole->currentWidget(), m.TSSingle);

    // From the last page round to the first shown one, past the hidden Arcade and Console.
    QTest::keyClick(m.currentListBox, Qt::Key_Right);
    EXPECT_EQ(m.PCConsole->currentWidget(), pageOf(u"RAGE"_qs));
    QTest::keyClick(m.currentListBox, Qt::Key_Left);
    EXPECT_EQ(m.PCConsole->currentWidget(), m.TSSingle);
}

TEST_F(ListViewWindowTest, CtrlTabStepsOverHiddenPages) {
    addGames(3);
    TFMain& m = start();
    m.PCConsole->setCurrentWidget(m.TSConsole);

    QTest::keyClick(m.currentListBox, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(m.PCConsole->currentWidget(), m.TSArcade);
    EXPECT_EQ(m.currentListBox, m.LBArcade);
}

TEST_F(ListViewWindowTest, TypedCommandsActWithoutTheListsOwnSearchButArrowsStillMove) {
    for (const QString& name :
         {u"1942"_qs, u"2020 Baseball"_qs, u"Alpha"_qs, u"Beta"_qs, u"Gamma"_qs}) {
        addGame({name, QStringLiteral("MAME")});
    }
    addGame({QStringLiteral("MAME {Arcade}"), QStringLiteral("MAME"),
             QStringLiteral("C:\\MAME\\MAME.EXE")});
    setRoot(u"Current"_qs, u"Beta"_qs);
    TFMain& m = start();
    ASSERT_EQ(selected(m.LBArcade), u"Beta"_qs);

    QTest::keyClick(m.LBArcade, Qt::Key_1);
    QTest::keyClick(m.LBArcade, Qt::Key_2);
    QTest::keyClick(m.LBArcade, Qt::Key_Return);
    EXPECT_EQ(selected(m.LBArcade), u"Beta"_qs);

    QTest::keyClick(m.LBArcade, Qt::Key_Down);
    EXPECT_EQ(selected(m.LBArcade), u"Gamma"_qs);
    EXPECT_EQ(m.LSn->text(), shownShort(u"Gamma"_qs));

    // "3" chooses at random; with this clock the choice is no longer Gamma.
    inst.clock.set(45123.125);
    const int expected = *RandomChoice::Pick(
        RandomChoice::Candidates(inst.context(), m.state.emulators, m.LBArcade->items(), false),
        inst.clock.now());
    ASSERT_NE(expected, m.LBArcade->indexOf(u"Gamma"_qs));
    QTest::keyClick(m.LBArcade, Qt::Key_3);
    EXPECT_EQ(m.LBArcade->itemIndex(), expected);
    EXPECT_EQ(m.LSn->text(), shownShort(selected(m.LBArcade)));
}

TEST_F(ListViewWindowTest, ChooseRandomIsInTheGameMenuAndDoesNothingWithoutAGameToPick) {
    addGame({QStringLiteral("MAME {Arcade}"), QStringLiteral("MAME"),
             QStringLiteral("C:\\MAME\\MAME.EXE")});
    addGame({QStringLiteral("Qix"), QStringLiteral("MAME"), QStringLiteral("#")});
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME"), QStringLiteral("#")});
    setRoot(u"Current"_qs, u"MAME {Arcade}"_qs);
    TFMain& m = start();
    ASSERT_TRUE(m.Game1->actions().contains(m.ChooseRandom1));
    EXPECT_EQ(m.ChooseRandom1->text(), u"Choose &Random"_qs);
    EXPECT_EQ(m.ChooseRandom1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(m.ChooseRandom1->statusTip(), u"Switches to a random game in the list"_qs);
    ASSERT_EQ(selected(m.LBArcade), u"MAME {Arcade}"_qs);

    m.ChooseRandom1->trigger();
    EXPECT_EQ(selected(m.LBArcade), u"MAME {Arcade}"_qs);

    // An empty list: nothing to choose, nothing selected.
    m.PCConsole->setCurrentWidget(m.TSConsole);
    ASSERT_EQ(m.currentListBox, m.LBConsole);
    m.ChooseRandom1->trigger();
    EXPECT_EQ(m.LBConsole->itemIndex(), -1);
}

TEST_F(ListViewWindowTest, AStickHeldUpMovesOneItemPerTwoTicksAndStopsAtTheTop) {
    addGames(10);
    setRoot(u"Current"_qs, u"Game 05"_qs);
    TFMain& m = start();
    ASSERT_EQ(m.LBArcade->itemIndex(), 5);

    inst.joystick.state.y = m.state.joystickCentreY - 25001;
    std::vector<int> indexes;
    for (int tick = 0; tick < 14; ++tick) {
        m.Timer2Timer();
        indexes.push_back(m.LBArcade->itemIndex());
    }
    EXPECT_EQ(indexes, (std::vector<int>{4, 4, 3, 3, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m.LSn->text(), shownShort(u"Game 00"_qs));

    // Down to the bottom, and no further.
    inst.joystick.state.y = m.state.joystickCentreY + 25001;
    for (int tick = 0; tick < 40; ++tick) {
        m.Timer2Timer();
    }
    EXPECT_EQ(m.LBArcade->itemIndex(), 9);

    // Sideways changes the page (Arcade to Console and back).
    inst.joystick.state = {m.state.joystickCentreX + 30000, m.state.joystickCentreY, false, false};
    m.Timer2Timer();
    m.Timer2Timer();
    EXPECT_EQ(m.currentListBox, m.LBConsole);
}

TEST_F(ListViewWindowTest, HoldingButtonTwoPicksOneRandomGame) {
    addGames(12);
    TFMain& m = start();
    m.PCConsole->setCurrentWidget(m.TSArcade);
    ASSERT_EQ(m.currentListBox, m.LBArcade);

    m.Timer2Timer();  // released: armed
    inst.joystick.state.button2 = true;
    m.Timer2Timer();
    const int pick = m.LBArcade->itemIndex();
    ASSERT_GE(pick, 0);
    const int other = pick == 0 ? 1 : 0;
    m.LBArcade->setItemIndex(other);
    for (int tick = 0; tick < 10; ++tick) {
        m.Timer2Timer();
    }
    EXPECT_EQ(m.LBArcade->itemIndex(), other);

    inst.joystick.state.button2 = false;
    m.Timer2Timer();
    inst.joystick.state.button2 = true;
    m.Timer2Timer();
    EXPECT_EQ(m.LBArcade->itemIndex(), pick);
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

    EXPECT_EQ(main->LBArcade->itemIndex(), 20);
    EXPECT_EQ(main->LBArcade->topIndex(), 8);

    // Releasing the mouse on an item shows that game.
    GameListWidget* list = main->LBArcade;
    const QPoint item22 = list->visualRect(list->model()->index(22, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item22);
    EXPECT_EQ(list->itemIndex(), 22);
    EXPECT_EQ(main->LSn->text(), shownShort(u"Game 22"_qs));
}

TEST_F(ListViewWindowTest, TheSelectionSurvivesModeSwitches) {
    addGame({QStringLiteral("AC\\DC Rocks"), QStringLiteral("RAGE")});
    addGame({QStringLiteral("Galaxian"), QStringLiteral("MAME"), QStringLiteral("#")});
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    TFMain& m = start();
    m.PCConsole->setCurrentWidget(m.TSArcade);
    select(m.LBArcade, u"AC\\DC Rocks"_qs);

    m.byEmulator1->trigger();
    EXPECT_EQ(m.currentListBox, listOf(u"RAGE"_qs));
    EXPECT_EQ(selected(m.currentListBox), u"AC\\DC Rocks"_qs);
    m.byName1->trigger();
    EXPECT_EQ(m.currentListBox, m.LBArcade);
    EXPECT_EQ(selected(m.LBArcade), u"AC\\DC Rocks"_qs);
    EXPECT_TRUE(rootBool(u"Display by Name"_qs));

    // A missing game is found again on its emulator's page too.
    select(m.LBArcade, u"[ Galaxian ]"_qs);
    m.byEmulator1->trigger();
    EXPECT_EQ(m.currentListBox, listOf(u"MAME"_qs));
    EXPECT_EQ(selected(m.currentListBox), u"[ Galaxian ]"_qs);

    // Across runs: shutdown keeps it, the next start selects it.
    main.reset();
    EXPECT_EQ(rootString(u"Current"_qs), u"Galaxian"_qs);
    TFMain& again = start();
    EXPECT_EQ(again.currentListBox, listOf(u"MAME"_qs));
    EXPECT_EQ(selected(again.currentListBox), u"[ Galaxian ]"_qs);
}

TEST_F(ListViewWindowTest, ByEmulatorWithoutTheCurrentGameMakesTheListInFrontCurrent) {
    addGame({QStringLiteral("Frogger"), QStringLiteral("MAME")});
    addGame({QStringLiteral("Zelda"), QStringLiteral("NES")});
    TFMain& m = start();
    m.PCConsole->setCurrentWidget(m.TSArcade);
    ASSERT_EQ(m.currentListBox, m.LBArcade);
    setRoot(u"Current"_qs, u"Not Listed"_qs);

    m.byEmulator1->setChecked(true);
    m.FillListsByEmulator();

    // Arcade is hidden now; the commands work on the list the user sees.
    EXPECT_TRUE(shown(m.currentListBox->parentWidget()));
    EXPECT_EQ(m.currentListBox->parentWidget(), m.PCConsole->currentWidget());
}

TEST_F(ListViewWindowTest, TheJoystickIsPolledOnlyWhileTheProgramIsActive) {
    addGames(2);
    setRoot(u"Current"_qs, u"Game 01"_qs);
    TFMain& m = start();
    EXPECT_EQ(m.Timer2->interval(), 50);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(m.Timer2->isActive());
    ASSERT_EQ(m.LSn->text(), QString());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(m.Timer2->isActive());
    EXPECT_EQ(m.LSn->text(), shownShort(u"Game 01"_qs));
}

}  // namespace

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
    GameListWidget* list = main->LBArcade;

    EXPECT_EQ(list->font().pixelSize(), 12);
    EXPECT_EQ(list->sizeHintForRow(0), 13);
    // Below the last item the list shows its background: the button face.
    const QImage shot = list->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() - 2),
              list->palette().color(QPalette::Button));

    const QSize window = main->size();
    const int width = list->width();
    for (const QString& game : {QStringLiteral("Galaxian"), QStringLiteral("Frogger")}) {
        select(list, game);
        main->ShowSelectedGame();
        QCoreApplication::processEvents();
        EXPECT_EQ(list->width(), width) << game.toStdString();
        EXPECT_EQ(main->size(), window) << game.toStdString();
    }
}
