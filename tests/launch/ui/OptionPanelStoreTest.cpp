// Storing the panel's values: the handlers, the focus moves that run them,
// Reset to Emulator Defaults and the JoyEmu row.
#include <QApplication>
#include <QTest>

#include "gamelist/ui/GameListWidget.h"
#include "support/ui/OptionFixture.h"
#include "tools/ui/TFFileLocations.h"

namespace {

QStringList valueNames(TempInstallation& inst, const KeyPath& key) {
    SettingsStore store = inst.context().store();
    QStringList names;
    if (!store.OpenKey(key, false)) {
        return names;
    }
    for (const QString& candidate :
         {QStringLiteral("Vector"), QStringLiteral("Resolution"), QStringLiteral("Sound"),
          QStringLiteral("Mouse"), QStringLiteral("Cheat"), QStringLiteral("Pixel Doubling"),
          QStringLiteral("Lines Offscreen"), QStringLiteral("Lines Offscreen On"),
          QStringLiteral("Additional"), QStringLiteral("JoyEmu Keyfile")}) {
        if (store.ValueExists(candidate)) {
            names << candidate;
        }
    }
    return names;
}

}  // namespace

TEST_F(OptionWindowTest, VectorIsStoredOnlyOnceTheGameDiffers) {
    addGame(QStringLiteral("Asteroids"), QStringLiteral("MAME"), QStringLiteral("asteroid"));
    setSpecific(S(kMame), {{QStringLiteral("Vector"), false}});
    startMain();
    select(QStringLiteral("Asteroids"));

    main().POptions->CBVector->setChecked(false);
    main().POptions->CBVectorExit();
    // The emulator has no "Cheat" at all: a clear box equals it too.
    main().POptions->CBCheat->setChecked(false);
    main().POptions->CBCheatExit();
    EXPECT_FALSE(specificExists(QStringLiteral("Asteroids")));

    main().POptions->CBVector->setChecked(true);
    main().POptions->CBVectorExit();
    EXPECT_EQ(valueNames(inst, Specific(QStringLiteral("Asteroids"))),
              QStringList{QStringLiteral("Vector")});
    EXPECT_TRUE(readBool(Specific(QStringLiteral("Asteroids")), QStringLiteral("Vector")));

    // From now on the game's own key takes every value, equal or not.
    main().POptions->CBVector->setChecked(false);
    main().POptions->CBVectorExit();
    EXPECT_FALSE(readBool(Specific(QStringLiteral("Asteroids")), QStringLiteral("Vector")));
    EXPECT_FALSE(readBool(Specific(S(kMame)), QStringLiteral("Vector")));
}

TEST_F(OptionWindowTest, LeavingUnchangedControlsWritesNothing) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Resolution"), QStringLiteral("320x240")},
                           {QStringLiteral("Lines Offscreen"), QStringLiteral("6")},
                           {QStringLiteral("Lines Offscreen On"), false},
                           {QStringLiteral("Mouse"), false},
                           {QStringLiteral("Cheat"), false},
                           {QStringLiteral("Vector"), false},
                           {QStringLiteral("Pixel Doubling"), QStringLiteral("Scanlines")},
                           {QStringLiteral("Sound"), QStringLiteral("Silence")},
                           {QStringLiteral("VESA Mode"), QStringLiteral("VESA 1")},
                           {QStringLiteral("JoyEmu Keyfile"), QString()},
                           {QStringLiteral("Additional"), QString()}});
    startMain();
    select(QStringLiteral("Game"));
    TFMain& m = main();
    for (auto handler :
         {&OptionPanel::CBVectorExit, &OptionPanel::CBResolutionExit, &OptionPanel::CBVesaModeExit,
          &OptionPanel::CBExtraGraphicsExit, &OptionPanel::CBLinesOffscreenExit,
          &OptionPanel::SELinesOffscreenExit, &OptionPanel::CBSoundExit, &OptionPanel::CBMouseExit,
          &OptionPanel::CBCheatExit, &OptionPanel::EJoyEmuExit, &OptionPanel::EAdditionalExit}) {
        (m.POptions->*handler)();
    }
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
}

TEST_F(OptionWindowTest, TextsCompareWithCase) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Pixel Doubling"), QStringLiteral("SCANLINES")}});
    startMain();
    select(QStringLiteral("Game"));
    // The load found the item ignoring case; storing compares exactly.
    ASSERT_EQ(main().POptions->CBExtraGraphics->currentText(), QStringLiteral("Scanlines"));
    main().POptions->CBExtraGraphicsExit();
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Pixel Doubling")),
              QStringLiteral("Scanlines"));
}

TEST_F(OptionWindowTest, EveryHandlerStoresItsValueUnderItsName) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(QStringLiteral("Game"), {});
    startMain();
    select(QStringLiteral("Game"));
    TFMain& m = main();
    m.POptions->CBResolution->setCurrentIndex(1);
    m.POptions->CBVesaMode->setCurrentIndex(0);
    m.POptions->CBSound->setCurrentIndex(1);
    m.POptions->SELinesOffscreen->setValue(14);
    m.POptions->CBLinesOffscreen->setChecked(true);
    m.POptions->EJoyEmu->setText(QStringLiteral(" C:\\JOY\\A.KS "));
    m.POptions->EAdditional->setText(QStringLiteral("-nodither"));
    m.POptions->CBSynchronizeVideo->setChecked(true);
    m.POptions->CBController2->addItem(QStringLiteral("Pad"));
    m.POptions->CBController2->setCurrentIndex(0);
    for (auto handler :
         {&OptionPanel::CBResolutionExit, &OptionPanel::CBVesaModeExit, &OptionPanel::CBSoundExit,
          &OptionPanel::SELinesOffscreenExit, &OptionPanel::CBLinesOffscreenExit,
          &OptionPanel::EJoyEmuExit, &OptionPanel::EAdditionalExit,
          &OptionPanel::CBSynchronizeVideoExit, &OptionPanel::CBController2Exit,
          &OptionPanel::CBFMMusicExit, &OptionPanel::CBJoystickExit, &OptionPanel::CBTrackballExit,
          &OptionPanel::CB4wayJoystickExit, &OptionPanel::CBRotateExit,
          &OptionPanel::CBFrameSkippingExit, &OptionPanel::CBController1Exit}) {
        (m.POptions->*handler)();
    }
    const KeyPath key = Specific(QStringLiteral("Game"));
    EXPECT_EQ(readString(key, QStringLiteral("Resolution")), QStringLiteral("640x480"));
    EXPECT_EQ(readString(key, QStringLiteral("Vesa Mode")), QStringLiteral("VESA 1"));
    EXPECT_EQ(readString(key, QStringLiteral("Sound")), QStringLiteral("Sound Blaster"));
    EXPECT_EQ(readString(key, QStringLiteral("Lines Offscreen")), QStringLiteral("14"));
    EXPECT_TRUE(readBool(key, QStringLiteral("Lines Offscreen On")));
    EXPECT_EQ(readString(key, QStringLiteral("JoyEmu Keyfile")), QStringLiteral(" C:\\JOY\\A.KS "));
    EXPECT_EQ(readString(key, QStringLiteral("Additional")), QStringLiteral("-nodither"));
    EXPECT_TRUE(readBool(key, QStringLiteral("Synchronize Video")));
    EXPECT_EQ(readString(key, QStringLiteral("Controller 2")), QStringLiteral("Pad"));
    EXPECT_TRUE(readBool(key, QStringLiteral("FM Music")));
    EXPECT_TRUE(readBool(key, QStringLiteral("Joystick")));
    EXPECT_FALSE(readBool(key, QStringLiteral("Trackball")));
    EXPECT_FALSE(readBool(key, QStringLiteral("4-way Joystick")));
    // A list without selection stores its empty text.
    EXPECT_TRUE(hasValue(key, QStringLiteral("Rotate")));
    EXPECT_EQ(readString(key, QStringLiteral("Rotate")), QString());
    EXPECT_EQ(readString(key, QStringLiteral("Frame Skipping")), QString());
}

TEST_F(OptionWindowTest, EmulatorsOwnEntryChangesTheEmulatorLevel) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Sound"), QStringLiteral("Silence")}});
    startMain();
    select(S(kMame));
    main().POptions->CBSound->setCurrentIndex(
        main().POptions->CBSound->findText(QStringLiteral("Sound Blaster")));
    main().POptions->CBSoundExit();
    EXPECT_EQ(readString(Specific(S(kMame)), QStringLiteral("Sound")),
              QStringLiteral("Sound Blaster"));

    select(QStringLiteral("Game"));
    EXPECT_EQ(main().POptions->CBSound->currentText(), QStringLiteral("Sound Blaster"));
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
}

TEST_F(OptionWindowTest, EntryWithoutKeyOrEmulatorIsHandledSafely) {
    addGame(QStringLiteral("Orphan"), QStringLiteral("NOEMU"), QStringLiteral("orphan"));
    startMain();
    // An emulator that is not loaded compares as false and empty.
    select(QStringLiteral("Orphan"));
    main().POptions->CBMouse->setChecked(false);
    main().POptions->CBMouseExit();
    EXPECT_FALSE(specificExists(QStringLiteral("Orphan")));
    main().POptions->CBMouse->setChecked(true);
    main().POptions->CBMouseExit();
    EXPECT_TRUE(readBool(Specific(QStringLiteral("Orphan")), QStringLiteral("Mouse")));

    // A listed entry whose key is gone gets nothing written anywhere.
    select(QStringLiteral("Vanished"), {QStringLiteral("Vanished")});
    main().POptions->CBMouseExit();
    main().POptions->EAdditionalExit();
    SettingsStore store = inst.context().store();
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(QStringLiteral("Vanished"))));
    store.OpenKey(StorePaths::Root(), false);
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Mouse")));
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Additional")));
}

TEST_F(OptionWindowTest, ResetDropsTheGamesOwnKeyAndReloads) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    addGame(QStringLiteral("Plain"), QStringLiteral("MAME"), QStringLiteral("plain"));
    setSpecific(S(kMame), {{QStringLiteral("Resolution"), QStringLiteral("320x240")}});
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Resolution"), QStringLiteral("800x600")}});
    startMain();
    select(QStringLiteral("Game"));
    ASSERT_EQ(main().POptions->CBResolution->currentText(), QStringLiteral("800x600"));
    main().ResettoEmulatorDefaults1->trigger();
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
    EXPECT_EQ(main().POptions->CBResolution->currentText(), QStringLiteral("320x240"));
    EXPECT_TRUE(specificExists(S(kMame)));

    // Without an own key nothing changes but the panel is loaded again.
    select(QStringLiteral("Plain"));
    main().POptions->CBResolution->setCurrentIndex(2);
    main().ResettoEmulatorDefaults1Click();
    EXPECT_FALSE(specificExists(QStringLiteral("Plain")));
    EXPECT_EQ(main().POptions->CBResolution->currentText(), QStringLiteral("320x240"));
    EXPECT_TRUE(inst.dialogs.shown().empty());

    // The emulator's own "Specific" holds the defaults of all its games and
    // stays, even where unlocking has enabled the command.
    select(S(kMame));
    main().ResettoEmulatorDefaults1Click();
    EXPECT_TRUE(hasValue(Specific(S(kMame)), QStringLiteral("Resolution")));
}

// ---- Real focus moves in a shown window ----

class OptionFocusTest : public OptionWindowTest {
protected:
    void showMain() {
        main().show();
        QApplication::setActiveWindow(&main());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    void focus(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([widget] {
            return widget->hasFocus() || widget->isAncestorOf(QApplication::focusWidget());
        }));
    }
};

TEST_F(OptionFocusTest, LeavingACheckBoxStoresIt) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    showMain();
    select(QStringLiteral("Game"));
    focus(main().POptions->CBCheat);
    QTest::keyClick(main().POptions->CBCheat, Qt::Key_Space);
    ASSERT_TRUE(main().POptions->CBCheat->isChecked());
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));  // not before leaving
    focus(main().LBArcade);
    EXPECT_TRUE(readBool(Specific(QStringLiteral("Game")), QStringLiteral("Cheat")));
}

TEST_F(OptionFocusTest, LeavingTheSpinEditStoresItsText) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    showMain();
    select(QStringLiteral("Game"));
    focus(main().POptions->SELinesOffscreen);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    ASSERT_EQ(main().POptions->SELinesOffscreen->value(), 7);
    // Moving inside the spin edit is no exit; leaving it is.
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
    focus(main().POptions->EAdditional);
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Lines Offscreen")),
              QStringLiteral("7"));
    EXPECT_FALSE(hasValue(Specific(QStringLiteral("Game")), QStringLiteral("Additional")));
}

TEST_F(OptionFocusTest, ClickOnTheExtraLabelStoresTheExtraChoice) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    showMain();
    select(QStringLiteral("Game"));
    main().POptions->CBExtraGraphics->setCurrentIndex(0);
    QTest::mouseClick(main().POptions->LExtraGraphics, Qt::LeftButton);
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Pixel Doubling")),
              QStringLiteral("No Scanlines"));
}

TEST_F(OptionFocusTest, SwitchingToAnotherWindowStoresTheChangeBeforeTheReload) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    showMain();
    select(QStringLiteral("Game"));
    focus(main().POptions->EAdditional);
    QTest::keyClicks(main().POptions->EAdditional, QStringLiteral("-fast"));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Additional")),
              QStringLiteral("-fast"));
    // Coming back reloads the panel, which now shows what was typed.
    main().ShowSelectedGame();
    EXPECT_EQ(main().POptions->EAdditional->text(), QStringLiteral("-fast"));
}

TEST_F(OptionFocusTest, ALoadThatHidesTheFocusedControlStoresNothing) {
    addGame(QStringLiteral("Asteroids"), QStringLiteral("MAME"), QStringLiteral("asteroid"));
    startMain();
    showMain();
    select(QStringLiteral("Asteroids"));
    focus(main().POptions->CBVector);
    main().POptions->CBVector->setChecked(true);
    // Selected without touching the list (as the joystick does): IKARI has no Vector group.
    select(S(kIkari));
    ASSERT_TRUE(main().POptions->CBVector->isHidden());
    EXPECT_FALSE(hasValue(Specific(S(kIkari)), QStringLiteral("Vector")));
    EXPECT_FALSE(specificExists(QStringLiteral("Asteroids")));
}

// ---- The JoyEmu row ----

TEST_F(OptionWindowTest, KeyFileChosenOrCancelled) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    inst.writeFile(QStringLiteral("C:\\JOY\\KEYS\\PAC.KS"), "keys");
    startMain();
    main().FFileLocations->EJoyCP->setText(QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    select(QStringLiteral("Game"));
    main().POptions->EJoyEmu->setText(QStringLiteral("C:\\OLD.KS"));
    inst.dialogs.answerText(inst.host(QStringLiteral("C:\\JOY\\KEYS\\PAC.KS")));
    main().POptions->BJoyEmu->click();
    ASSERT_EQ(inst.dialogs.shown().size(), 1u);
    EXPECT_EQ(inst.dialogs.shown()[0].text, QStringLiteral("Select JoyEmu Keyfile"));
    EXPECT_EQ(inst.dialogs.shown()[0].detail, QStringLiteral("C:\\OLD.KS"));
    EXPECT_EQ(main().POptions->EJoyEmu->text(), QStringLiteral("C:\\JOY\\KEYS\\PAC.KS"));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("JoyEmu Keyfile")),
              QStringLiteral("C:\\JOY\\KEYS\\PAC.KS"));

    // Cancelled: the edit keeps what it had, and its text is stored all the same.
    main().POptions->EJoyEmu->setText(QStringLiteral("C:\\MINE.KS"));
    inst.dialogs.answer(mrCancel);
    main().POptions->BJoyEmuClick();
    EXPECT_EQ(main().POptions->EJoyEmu->text(), QStringLiteral("C:\\MINE.KS"));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("JoyEmu Keyfile")),
              QStringLiteral("C:\\MINE.KS"));
}

TEST_F(OptionWindowTest, KeyFileOutsideEveryDriveIsRefused) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    inst.dialogs.answerText(QStringLiteral("/nowhere/at/all.KS"));
    main().POptions->BJoyEmuClick();
    EXPECT_EQ(main().POptions->EJoyEmu->text(), QString());
    ASSERT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(inst.dialogs.messages()[0].contains(QStringLiteral("/nowhere/at/all.KS")));
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
}

TEST_F(OptionWindowTest, RunJoyCpWritesItsScriptAndClosesWithoutCountingAPlay) {
    startMain();
    main().show();
    main().FFileLocations->EJoyCP->setText(QStringLiteral("D:\\Joy Tools\\JOYCP.EXE"));
    main().POptions->BJoyCP->click();
    const QString script =
        QString::fromUtf8(inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.bat")));
    EXPECT_EQ(script, QStringLiteral("D:\r\ncd D:\\Joy Tools\\\r\njoycp\r\n\"") +
                          inst.context().executablePath() + QStringLiteral("\"\r\n"));
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(main().state.gameLaunched);
}
