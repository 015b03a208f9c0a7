// Storing the panel's values: the handlers, the focus moves that run them,
// Reset to Emulator Defaults and the JoyEmu row.
#include <QApplication>
#include <QTest>

#include "support/ui/OptionFixture.h"

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

    option<QCheckBox>("CBVector").setChecked(false);
    leave(option<QCheckBox>("CBVector"));
    // The emulator has no "Cheat" at all: a clear box equals it too.
    option<QCheckBox>("CBCheat").setChecked(false);
    leave(option<QCheckBox>("CBCheat"));
    EXPECT_FALSE(specificExists(QStringLiteral("Asteroids")));

    option<QCheckBox>("CBVector").setChecked(true);
    leave(option<QCheckBox>("CBVector"));
    EXPECT_EQ(valueNames(inst, Specific(QStringLiteral("Asteroids"))),
              QStringList{QStringLiteral("Vector")});
    EXPECT_TRUE(readBool(Specific(QStringLiteral("Asteroids")), QStringLiteral("Vector")));

    // From now on the game's own key takes every value, equal or not.
    option<QCheckBox>("CBVector").setChecked(false);
    leave(option<QCheckBox>("CBVector"));
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
    for (const char* name :
         {"CBVector", "CBResolution", "CBVesaMode", "CBExtraGraphics", "CBLinesOffscreen",
          "SELinesOffscreen", "CBSound", "CBMouse", "CBCheat", "EJoyEmu", "EAdditional"}) {
        leave(option<QWidget>(name));
    }
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
}

TEST_F(OptionWindowTest, TextsCompareWithCase) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Pixel Doubling"), QStringLiteral("SCANLINES")}});
    startMain();
    select(QStringLiteral("Game"));
    // The load found the item ignoring case; storing compares exactly.
    ASSERT_EQ(option<QComboBox>("CBExtraGraphics").currentText(), QStringLiteral("Scanlines"));
    leave(option<QComboBox>("CBExtraGraphics"));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Pixel Doubling")),
              QStringLiteral("Scanlines"));
}

TEST_F(OptionWindowTest, EveryControlStoresItsValueUnderItsName) {
    // An emulator that offers every group, so that every control can be left.
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\all.ini"), QString::fromLatin1(R"([Emulator]
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
    setValue(StorePaths::Entry(QStringLiteral("All {Groups}")), QStringLiteral("Emulator"),
             QStringLiteral("ALL"));
    addGame(QStringLiteral("Game"), QStringLiteral("ALL"), QStringLiteral("game"));
    setSpecific(QStringLiteral("Game"), {});
    startMain();
    select(QStringLiteral("Game"));
    option<QComboBox>("CBResolution").setCurrentIndex(1);
    option<QComboBox>("CBVesaMode").setCurrentIndex(0);
    option<QComboBox>("CBSound").setCurrentIndex(1);
    option<QSpinBox>("SELinesOffscreen").setValue(14);
    option<QCheckBox>("CBLinesOffscreen").setChecked(true);
    option<QLineEdit>("EJoyEmu").setText(QStringLiteral(" C:\\JOY\\A.KS "));
    option<QLineEdit>("EAdditional").setText(QStringLiteral("-nodither"));
    option<QCheckBox>("CBSynchronizeVideo").setChecked(true);
    option<QComboBox>("CBController2").setCurrentIndex(0);
    for (const char* name : {"CBResolution", "CBVesaMode", "CBSound", "SELinesOffscreen",
                             "CBLinesOffscreen", "EJoyEmu", "EAdditional", "CBSynchronizeVideo",
                             "CBController2", "CBFMMusic", "CBJoystick", "CBTrackball",
                             "CB4wayJoystick", "CBRotate", "CBFrameSkipping", "CBController1"}) {
        leave(option<QWidget>(name));
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
    option<QComboBox>("CBSound").setCurrentIndex(
        option<QComboBox>("CBSound").findText(QStringLiteral("Sound Blaster")));
    leave(option<QComboBox>("CBSound"));
    EXPECT_EQ(readString(Specific(S(kMame)), QStringLiteral("Sound")),
              QStringLiteral("Sound Blaster"));

    select(QStringLiteral("Game"));
    EXPECT_EQ(option<QComboBox>("CBSound").currentText(), QStringLiteral("Sound Blaster"));
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
}

TEST_F(OptionWindowTest, ResetDropsTheGamesOwnKeyAndReloads) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    addGame(QStringLiteral("Plain"), QStringLiteral("MAME"), QStringLiteral("plain"));
    setSpecific(S(kMame), {{QStringLiteral("Resolution"), QStringLiteral("320x240")}});
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Resolution"), QStringLiteral("800x600")}});
    startMain();
    select(QStringLiteral("Game"));
    ASSERT_EQ(option<QComboBox>("CBResolution").currentText(), QStringLiteral("800x600"));
    QAction& reset = menuItem(main(), QStringLiteral("ResettoEmulatorDefaults1"));
    reset.trigger();
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), QStringLiteral("320x240"));
    EXPECT_TRUE(specificExists(S(kMame)));

    // Without an own key nothing changes but the panel is loaded again.
    select(QStringLiteral("Plain"));
    option<QComboBox>("CBResolution").setCurrentIndex(2);
    reset.trigger();
    EXPECT_FALSE(specificExists(QStringLiteral("Plain")));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), QStringLiteral("320x240"));
    EXPECT_TRUE(inst.dialogs.shown().empty());

    // The emulator's own "Specific" holds the defaults of all its games and
    // stays, even where unlocking has enabled the command.
    select(S(kMame));
    ASSERT_FALSE(reset.isEnabled());
    for (const char* password : {"pw", "pw"}) {
        inst.dialogs.answerText(QString::fromLatin1(password));
        menuItem(main(), QStringLiteral("Lock1")).trigger();
    }
    ASSERT_TRUE(reset.isEnabled());
    reset.trigger();
    EXPECT_TRUE(hasValue(Specific(S(kMame)), QStringLiteral("Resolution")));
}

// ---- Focus moves ----

using OptionFocusTest = OptionWindowTest;

TEST_F(OptionFocusTest, LeavingACheckBoxStoresIt) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    focus(option<QCheckBox>("CBCheat"));
    QTest::keyClick(&option<QCheckBox>("CBCheat"), Qt::Key_Space);
    ASSERT_TRUE(option<QCheckBox>("CBCheat").isChecked());
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));  // not before leaving
    focus(listBox(main(), QStringLiteral("LBArcade")));
    EXPECT_TRUE(readBool(Specific(QStringLiteral("Game")), QStringLiteral("Cheat")));
}

TEST_F(OptionFocusTest, LeavingTheSpinEditStoresItsText) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    focus(option<QSpinBox>("SELinesOffscreen"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    ASSERT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 7);
    // Moving inside the spin edit is no exit; leaving it is.
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
    focus(option<QLineEdit>("EAdditional"));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Lines Offscreen")),
              QStringLiteral("7"));
    EXPECT_FALSE(hasValue(Specific(QStringLiteral("Game")), QStringLiteral("Additional")));
}

TEST_F(OptionFocusTest, ClickOnTheExtraLabelStoresTheExtraChoice) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    option<QComboBox>("CBExtraGraphics").setCurrentIndex(0);
    QTest::mouseClick(&option<QLabel>("LExtraGraphics"), Qt::LeftButton);
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Pixel Doubling")),
              QStringLiteral("No Scanlines"));
}

TEST_F(OptionFocusTest, SwitchingToAnotherWindowStoresTheChangeBeforeTheReload) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    focus(option<QLineEdit>("EAdditional"));
    QTest::keyClicks(&option<QLineEdit>("EAdditional"), QStringLiteral("-fast"));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("Additional")),
              QStringLiteral("-fast"));
    // Coming back reloads the panel, which now shows what was typed.
    QApplication::setActiveWindow(&main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    EXPECT_EQ(option<QLineEdit>("EAdditional").text(), QStringLiteral("-fast"));
}

TEST_F(OptionFocusTest, ALoadThatHidesTheFocusedControlStoresNothing) {
    addGame(QStringLiteral("Asteroids"), QStringLiteral("MAME"), QStringLiteral("asteroid"));
    startMain();
    select(QStringLiteral("Asteroids"));
    focus(option<QCheckBox>("CBVector"));
    option<QCheckBox>("CBVector").setChecked(true);
    // Selected without touching the list (as the joystick does): IKARI has no Vector group.
    select(S(kIkari));
    ASSERT_TRUE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_FALSE(hasValue(Specific(S(kIkari)), QStringLiteral("Vector")));
    EXPECT_FALSE(specificExists(QStringLiteral("Asteroids")));
}

// ---- The JoyEmu row ----

TEST_F(OptionWindowTest, KeyFileChosenOrCancelled) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    inst.writeFile(QStringLiteral("C:\\JOY\\KEYS\\PAC.KS"), "keys");
    setValue(StorePaths::Root(), QStringLiteral("JoyCP Path"),
             QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    startMain();
    select(QStringLiteral("Game"));
    option<QLineEdit>("EJoyEmu").setText(QStringLiteral("C:\\OLD.KS"));
    inst.dialogs.answerText(inst.host(QStringLiteral("C:\\JOY\\KEYS\\PAC.KS")));
    option<QPushButton>("BJoyEmu").click();
    ASSERT_EQ(inst.dialogs.shown().size(), 1u);
    EXPECT_EQ(inst.dialogs.shown()[0].text, QStringLiteral("Select JoyEmu Keyfile"));
    EXPECT_EQ(inst.dialogs.shown()[0].detail, QStringLiteral("C:\\OLD.KS"));
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QStringLiteral("C:\\JOY\\KEYS\\PAC.KS"));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("JoyEmu Keyfile")),
              QStringLiteral("C:\\JOY\\KEYS\\PAC.KS"));

    // Cancelled: the edit keeps what it had, and its text is stored all the same.
    option<QLineEdit>("EJoyEmu").setText(QStringLiteral("C:\\MINE.KS"));
    inst.dialogs.answer(mrCancel);
    option<QPushButton>("BJoyEmu").click();
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QStringLiteral("C:\\MINE.KS"));
    EXPECT_EQ(readString(Specific(QStringLiteral("Game")), QStringLiteral("JoyEmu Keyfile")),
              QStringLiteral("C:\\MINE.KS"));
}

TEST_F(OptionWindowTest, KeyFileOutsideEveryDriveIsRefused) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    startMain();
    select(QStringLiteral("Game"));
    inst.dialogs.answerText(QStringLiteral("/nowhere/at/all.KS"));
    option<QPushButton>("BJoyEmu").click();
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QString());
    ASSERT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(inst.dialogs.messages()[0].contains(QStringLiteral("/nowhere/at/all.KS")));
    EXPECT_FALSE(specificExists(QStringLiteral("Game")));
}

TEST_F(OptionWindowTest, RunJoyCpWritesItsScriptAndClosesWithoutCountingAPlay) {
    setValue(StorePaths::Root(), QStringLiteral("JoyCP Path"),
             QStringLiteral("D:\\Joy Tools\\JOYCP.EXE"));
    startMain();
    option<QPushButton>("BJoyCP").click();
    const QString script =
        QString::fromUtf8(inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.bat")));
    EXPECT_EQ(script, QStringLiteral("D:\r\ncd D:\\Joy Tools\\\r\njoycp\r\n\"") +
                          inst.context().executablePath() + QStringLiteral("\"\r\n"));
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(main().state().gameLaunched);
}
