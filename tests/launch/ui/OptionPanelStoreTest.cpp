// Storing the panel's values: the handlers, the focus moves that run them,
// Reset to Emulator Defaults and the JoyEmu row.
#include <QApplication>
#include <QTest>

#include "support/ui/OptionFixture.h"

TEST_F(OptionWindowTest, VectorIsStoredOnlyOnceTheGameDiffers) {
    addGame(u"Asteroids"_qs, u"MAME"_qs, u"asteroid"_qs);
    setSpecific(S(kMame), {{u"Vector"_qs, false}});
    startMain();
    select(u"Asteroids"_qs);

    option<QCheckBox>("CBVector").setChecked(false);
    leave(option<QCheckBox>("CBVector"));
    // The emulator has no "Cheat" at all: a clear box equals it too.
    option<QCheckBox>("CBCheat").setChecked(false);
    leave(option<QCheckBox>("CBCheat"));
    EXPECT_FALSE(specificExists(u"Asteroids"_qs));

    option<QCheckBox>("CBVector").setChecked(true);
    leave(option<QCheckBox>("CBVector"));
    EXPECT_TRUE(readBool(Specific(u"Asteroids"_qs), u"Vector"_qs));
    for (const char* other :
         {"Resolution", "Sound", "Mouse", "Cheat", "Pixel Doubling", "Lines Offscreen",
          "Lines Offscreen On", "Additional", "JoyEmu Keyfile"}) {
        EXPECT_FALSE(hasValue(Specific(u"Asteroids"_qs), QString::fromLatin1(other))) << other;
    }

    // From now on the game's own key takes every value, equal or not.
    option<QCheckBox>("CBVector").setChecked(false);
    leave(option<QCheckBox>("CBVector"));
    EXPECT_FALSE(readBool(Specific(u"Asteroids"_qs), u"Vector"_qs));
    EXPECT_FALSE(readBool(Specific(S(kMame)), u"Vector"_qs));
}

TEST_F(OptionWindowTest, LeavingUnchangedControlsWritesNothing) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    setSpecific(S(kMame), {{u"Resolution"_qs, u"320x240"_qs},
                           {u"Lines Offscreen"_qs, u"6"_qs},
                           {u"Lines Offscreen On"_qs, false},
                           {u"Mouse"_qs, false},
                           {u"Cheat"_qs, false},
                           {u"Vector"_qs, false},
                           {u"Pixel Doubling"_qs, u"Scanlines"_qs},
                           {u"Sound"_qs, u"Silence"_qs},
                           {u"VESA Mode"_qs, u"VESA 1"_qs},
                           {u"JoyEmu Keyfile"_qs, QString()},
                           {u"Additional"_qs, QString()}});
    startMain();
    select(u"Game"_qs);
    for (const char* name :
         {"CBVector", "CBResolution", "CBVesaMode", "CBExtraGraphics", "CBLinesOffscreen",
          "SELinesOffscreen", "CBSound", "CBMouse", "CBCheat", "EJoyEmu", "EAdditional"}) {
        leave(option<QWidget>(name));
    }
    EXPECT_FALSE(specificExists(u"Game"_qs));
}

TEST_F(OptionWindowTest, TextsCompareWithCase) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    setSpecific(S(kMame), {{u"Pixel Doubling"_qs, u"SCANLINES"_qs}});
    startMain();
    select(u"Game"_qs);
    // The load found the item ignoring case; storing compares exactly.
    ASSERT_EQ(option<QComboBox>("CBExtraGraphics").currentText(), u"Scanlines"_qs);
    leave(option<QComboBox>("CBExtraGraphics"));
    EXPECT_EQ(readString(Specific(u"Game"_qs), u"Pixel Doubling"_qs), u"Scanlines"_qs);
}

TEST_F(OptionWindowTest, EveryControlStoresItsValueUnderItsName) {
    // An emulator that offers every group, so that every control can be left.
    inst.writeLines(u"C:\\BRIVANEL\\all.ini"_qs, QString::fromLatin1(R"([Emulator]
LBName=All {Groups}
Type=MULTI
ShowJoyEmu=1
[Vector]
[Synch]
[LinesOffscreen]
[FMMusic]
[Joystick]
[Mouse]
[Trackball]
[4Way]
[Cheat]
[Resolutions]
320x240=-320
640x480=-640
[FrameSkip]
[VesaMode]
VESA 1=-v1
[Extra]
[Sound]
None=-s0
Sound Blaster=-sb
[Rotate]
[Controller1]
[Controller2]
Pad=-pad)")
                                                     .split(u'\n'));
    setValue(StorePaths::Entry(u"All {Groups}"_qs), u"Emulator"_qs, u"ALL"_qs);
    addGame(u"Game"_qs, u"ALL"_qs, u"game"_qs);
    setSpecific(u"Game"_qs, {});
    startMain();
    select(u"Game"_qs);
    option<QComboBox>("CBResolution").setCurrentIndex(1);
    option<QComboBox>("CBVesaMode").setCurrentIndex(0);
    option<QComboBox>("CBSound").setCurrentIndex(1);
    option<QSpinBox>("SELinesOffscreen").setValue(14);
    option<QCheckBox>("CBLinesOffscreen").setChecked(true);
    option<QLineEdit>("EJoyEmu").setText(u" C:\\JOY\\A.KS "_qs);
    option<QLineEdit>("EAdditional").setText(u"-nodither"_qs);
    option<QCheckBox>("CBSynchronizeVideo").setChecked(true);
    option<QComboBox>("CBController2").setCurrentIndex(0);
    for (const char* name : {"CBResolution", "CBVesaMode", "CBSound", "SELinesOffscreen",
                             "CBLinesOffscreen", "EJoyEmu", "EAdditional", "CBSynchronizeVideo",
                             "CBController2", "CBFMMusic", "CBJoystick", "CBTrackball",
                             "CB4wayJoystick", "CBRotate", "CBFrameSkipping", "CBController1"}) {
        leave(option<QWidget>(name));
    }
    const KeyPath key = Specific(u"Game"_qs);
    EXPECT_EQ(readString(key, u"Resolution"_qs), u"640x480"_qs);
    EXPECT_EQ(readString(key, u"Vesa Mode"_qs), u"VESA 1"_qs);
    EXPECT_EQ(readString(key, u"Sound"_qs), u"Sound Blaster"_qs);
    EXPECT_EQ(readString(key, u"Lines Offscreen"_qs), u"14"_qs);
    EXPECT_TRUE(readBool(key, u"Lines Offscreen On"_qs));
    EXPECT_EQ(readString(key, u"JoyEmu Keyfile"_qs), u" C:\\JOY\\A.KS "_qs);
    EXPECT_EQ(readString(key, u"Additional"_qs), u"-nodither"_qs);
    EXPECT_TRUE(readBool(key, u"Synchronize Video"_qs));
    EXPECT_EQ(readString(key, u"Controller 2"_qs), u"Pad"_qs);
    EXPECT_TRUE(readBool(key, u"FM Music"_qs));
    EXPECT_TRUE(readBool(key, u"Joystick"_qs));
    EXPECT_FALSE(readBool(key, u"Trackball"_qs));
    EXPECT_FALSE(readBool(key, u"4-way Joystick"_qs));
    // A list without selection stores its empty text.
    EXPECT_TRUE(hasValue(key, u"Rotate"_qs));
    EXPECT_EQ(readString(key, u"Rotate"_qs), QString());
    EXPECT_EQ(readString(key, u"Frame Skipping"_qs), QString());
}

TEST_F(OptionWindowTest, EmulatorsOwnEntryChangesTheEmulatorLevel) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    setSpecific(S(kMame), {{u"Sound"_qs, u"Silence"_qs}});
    startMain();
    select(S(kMame));
    option<QComboBox>("CBSound").setCurrentIndex(
        option<QComboBox>("CBSound").findText(u"Sound Blaster"_qs));
    leave(option<QComboBox>("CBSound"));
    EXPECT_EQ(readString(Specific(S(kMame)), u"Sound"_qs), u"Sound Blaster"_qs);

    select(u"Game"_qs);
    EXPECT_EQ(option<QComboBox>("CBSound").currentText(), u"Sound Blaster"_qs);
    EXPECT_FALSE(specificExists(u"Game"_qs));
}

TEST_F(OptionWindowTest, ResetDropsTheGamesOwnKeyAndReloads) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    addGame(u"Plain"_qs, u"MAME"_qs, u"plain"_qs);
    setSpecific(S(kMame), {{u"Resolution"_qs, u"320x240"_qs}});
    setSpecific(u"Game"_qs, {{u"Resolution"_qs, u"800x600"_qs}});
    startMain();
    select(u"Game"_qs);
    ASSERT_EQ(option<QComboBox>("CBResolution").currentText(), u"800x600"_qs);
    QAction& reset = menuItem(main(), u"ResettoEmulatorDefaults1"_qs);
    reset.trigger();
    EXPECT_FALSE(specificExists(u"Game"_qs));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), u"320x240"_qs);
    EXPECT_TRUE(specificExists(S(kMame)));

    // Without an own key nothing changes but the panel is loaded again.
    select(u"Plain"_qs);
    option<QComboBox>("CBResolution").setCurrentIndex(2);
    reset.trigger();
    EXPECT_FALSE(specificExists(u"Plain"_qs));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), u"320x240"_qs);
    EXPECT_TRUE(inst.dialogs.shown().empty());

    // The emulator's own "Specific" holds the defaults of all its games and
    // stays, even where unlocking has enabled the command.
    select(S(kMame));
    ASSERT_FALSE(reset.isEnabled());
    for (const char* password : {"pw", "pw"}) {
        inst.dialogs.answerText(QString::fromLatin1(password));
        menuItem(main(), u"Lock1"_qs).trigger();
    }
    ASSERT_TRUE(reset.isEnabled());
    reset.trigger();
    EXPECT_TRUE(hasValue(Specific(S(kMame)), u"Resolution"_qs));
}

// ---- Focus moves ----

using OptionFocusTest = OptionWindowTest;

TEST_F(OptionFocusTest, LeavingACheckBoxStoresIt) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    startMain();
    select(u"Game"_qs);
    focus(option<QCheckBox>("CBCheat"));
    QTest::keyClick(&option<QCheckBox>("CBCheat"), Qt::Key_Space);
    ASSERT_TRUE(option<QCheckBox>("CBCheat").isChecked());
    EXPECT_FALSE(specificExists(u"Game"_qs));  // not before leaving
    focus(listBox(main(), u"LBArcade"_qs));
    EXPECT_TRUE(readBool(Specific(u"Game"_qs), u"Cheat"_qs));
}

TEST_F(OptionFocusTest, LeavingTheSpinEditStoresItsText) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    startMain();
    select(u"Game"_qs);
    focus(option<QSpinBox>("SELinesOffscreen"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    ASSERT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 7);
    // Moving inside the spin edit is no exit; leaving it is.
    EXPECT_FALSE(specificExists(u"Game"_qs));
    focus(option<QLineEdit>("EAdditional"));
    EXPECT_EQ(readString(Specific(u"Game"_qs), u"Lines Offscreen"_qs), u"7"_qs);
    EXPECT_FALSE(hasValue(Specific(u"Game"_qs), u"Additional"_qs));
}

TEST_F(OptionFocusTest, ClickOnTheExtraLabelStoresTheExtraChoice) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    startMain();
    select(u"Game"_qs);
    option<QComboBox>("CBExtraGraphics").setCurrentIndex(0);
    QTest::mouseClick(&option<QLabel>("LExtraGraphics"), Qt::LeftButton);
    EXPECT_EQ(readString(Specific(u"Game"_qs), u"Pixel Doubling"_qs), u"No Scanlines"_qs);
}

TEST_F(OptionFocusTest, SwitchingToAnotherWindowStoresTheChangeBeforeTheReload) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    startMain();
    select(u"Game"_qs);
    focus(option<QLineEdit>("EAdditional"));
    QTest::keyClicks(&option<QLineEdit>("EAdditional"), u"-fast"_qs);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(readString(Specific(u"Game"_qs), u"Additional"_qs), u"-fast"_qs);
    // Coming back reloads the panel, which now shows what was typed.
    QApplication::setActiveWindow(&main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    EXPECT_EQ(option<QLineEdit>("EAdditional").text(), u"-fast"_qs);
}

TEST_F(OptionFocusTest, ALoadThatHidesTheFocusedControlStoresNothing) {
    addGame(u"Asteroids"_qs, u"MAME"_qs, u"asteroid"_qs);
    startMain();
    select(u"Asteroids"_qs);
    focus(option<QCheckBox>("CBVector"));
    option<QCheckBox>("CBVector").setChecked(true);
    // Selected without touching the list (as the joystick does): IKARI has no Vector group.
    select(S(kIkari));
    ASSERT_TRUE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_FALSE(hasValue(Specific(S(kIkari)), u"Vector"_qs));
    EXPECT_FALSE(specificExists(u"Asteroids"_qs));
}

// ---- The JoyEmu row ----

TEST_F(OptionWindowTest, KeyFileChosenOrCancelled) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    inst.writeFile(u"C:\\JOY\\KEYS\\PAC.KS"_qs, "keys");
    setValue(StorePaths::Root(), u"JoyCP Path"_qs, u"C:\\JOY\\JOYCP.EXE"_qs);
    startMain();
    select(u"Game"_qs);
    option<QLineEdit>("EJoyEmu").setText(u"C:\\OLD.KS"_qs);
    inst.dialogs.answerText(inst.host(u"C:\\JOY\\KEYS\\PAC.KS"_qs));
    option<QPushButton>("BJoyEmu").click();
    ASSERT_EQ(inst.dialogs.shown().size(), 1u);
    EXPECT_EQ(inst.dialogs.shown()[0].text, u"Select JoyEmu Keyfile"_qs);
    EXPECT_EQ(inst.dialogs.shown()[0].detail, u"C:\\OLD.KS"_qs);
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), u"C:\\JOY\\KEYS\\PAC.KS"_qs);
    EXPECT_EQ(readString(Specific(u"Game"_qs), u"JoyEmu Keyfile"_qs), u"C:\\JOY\\KEYS\\PAC.KS"_qs);

    // Cancelled: the edit keeps what it had, and its text is stored all the same.
    option<QLineEdit>("EJoyEmu").setText(u"C:\\MINE.KS"_qs);
    inst.dialogs.answer(mrCancel);
    option<QPushButton>("BJoyEmu").click();
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), u"C:\\MINE.KS"_qs);
    EXPECT_EQ(readString(Specific(u"Game"_qs), u"JoyEmu Keyfile"_qs), u"C:\\MINE.KS"_qs);
}

TEST_F(OptionWindowTest, KeyFileOutsideEveryDriveIsRefused) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    startMain();
    select(u"Game"_qs);
    inst.dialogs.answerText(u"/nowhere/at/all.KS"_qs);
    option<QPushButton>("BJoyEmu").click();
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QString());
    ASSERT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(inst.dialogs.messages()[0].contains(u"/nowhere/at/all.KS"_qs));
    EXPECT_FALSE(specificExists(u"Game"_qs));
}

TEST_F(OptionWindowTest, RunJoyCpWritesItsScriptAndClosesWithoutCountingAPlay) {
    setValue(StorePaths::Root(), u"JoyCP Path"_qs, u"D:\\Joy Tools\\JOYCP.EXE"_qs);
    startMain();
    const LaunchCount launches(main());
    option<QPushButton>("BJoyCP").click();
    const QString script = QString::fromUtf8(inst.readFile(u"C:\\BRIVANEL\\Execute.bat"_qs));
    EXPECT_EQ(script, u"D:\r\ncd D:\\Joy Tools\\\r\njoycp\r\n\""_qs +
                          inst.context().executablePath() + u"\"\r\n"_qs);
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(launches.count(), 0);
}
