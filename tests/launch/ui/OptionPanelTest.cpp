// Loading the option panel: controls, captions, hints, items and the values
// of the two levels.
#include "launch/OptionPanelTexts.h"
#include "support/ui/OptionFixture.h"

namespace {

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

}  // namespace

TEST_F(OptionWindowTest, DesignTimeStatesBeforeTheFirstLoad) {
    startMain();
    EXPECT_EQ(option<QCheckBox>("CBLinesOffscreen").text(), QStringLiteral("U&p lines"));
    EXPECT_TRUE(option<QCheckBox>("CBJoystick").isChecked());
    EXPECT_TRUE(option<QCheckBox>("CBFMMusic").isChecked());
    EXPECT_FALSE(option<QCheckBox>("CBVector").isChecked());
    EXPECT_EQ(option<QCheckBox>("CBCheat").statusTip(), option<QCheckBox>("CBCheat").toolTip());
    EXPECT_EQ(option<QComboBox>("CBSound").count(), 8);
    EXPECT_EQ(option<QComboBox>("CBController1").count(), 0);
    for (QComboBox* list : panel().findChildren<QComboBox*>()) {
        EXPECT_EQ(list->currentIndex(), -1) << list->objectName().toStdString();
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->maxVisibleItems(), 30);
    }
    // Labels keep their own hints where they differ from their lists'.
    EXPECT_NE(option<QLabel>("LResolution").toolTip(), option<QComboBox>("CBResolution").toolTip());
    EXPECT_EQ(option<QLabel>("LController1").toolTip(), QString());
    EXPECT_EQ(option<QLabel>("LSound").buddy(), &option<QComboBox>("CBSound"));
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 8);
}

TEST_F(OptionWindowTest, CheckGroupsShowTheDefinitionsCaptionOrTheirOwn) {
    addGame(QStringLiteral("Asteroids"), QStringLiteral("MAME"), QStringLiteral("asteroid"));
    addGame(QStringLiteral("Street Fighter"), QStringLiteral("RAGE"), QStringLiteral("sf1"));
    startMain();

    select(QStringLiteral("Asteroids"));
    EXPECT_FALSE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_EQ(option<QCheckBox>("CBVector").text(), QStringLiteral("&Vector games"));
    EXPECT_EQ(option<QCheckBox>("CBVector").toolTip(),
              QStringLiteral("Draws vector games sharply"));
    EXPECT_EQ(option<QCheckBox>("CBVector").statusTip(),
              QStringLiteral("Draws vector games sharply"));
    EXPECT_EQ(option<QCheckBox>("CBLinesOffscreen").text(), QStringLiteral("U&p"));
    EXPECT_FALSE(option<QSpinBox>("SELinesOffscreen").isHidden());
    EXPECT_TRUE(option<QCheckBox>("CBSynchronizeVideo").isHidden());
    EXPECT_TRUE(option<QCheckBox>("CBJoystick").isHidden());
    EXPECT_FALSE(option<QLineEdit>("EJoyEmu").isHidden());
    EXPECT_FALSE(option<QPushButton>("BJoyCP").isHidden());
    EXPECT_FALSE(option<QLineEdit>("EAdditional").isHidden());

    // A section without Name or Hint (and named in lower case) keeps the built-in texts.
    select(QStringLiteral("Street Fighter"));
    EXPECT_FALSE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_EQ(option<QCheckBox>("CBVector").text(), QStringLiteral("Vect&or"));
    EXPECT_EQ(option<QCheckBox>("CBVector").toolTip(), CheckControlTexts()[0].hint);
    EXPECT_TRUE(option<QCheckBox>("CBLinesOffscreen").isHidden());
    EXPECT_TRUE(option<QSpinBox>("SELinesOffscreen").isHidden());
    EXPECT_TRUE(option<QLabel>("LLinesOffscreen").isHidden());
    EXPECT_TRUE(option<QLineEdit>("EJoyEmu").isHidden());
    EXPECT_TRUE(option<QLabel>("LJoyemu").isHidden());
    EXPECT_TRUE(option<QLineEdit>("EAdditional").isHidden());
    EXPECT_TRUE(option<QLabel>("LAdditional").isHidden());
    EXPECT_TRUE(option<QComboBox>("CBResolution").isHidden());
    EXPECT_TRUE(option<QLabel>("LResolution").isHidden());

    // No Vector section at all hides the box.
    select(S(kIkari));
    EXPECT_TRUE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_FALSE(option<QCheckBox>("CBSynchronizeVideo").isHidden());
}

TEST_F(OptionWindowTest, ListsOfferExactlyTheDefinitionsCaptions) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    addGame(QStringLiteral("Other"), QStringLiteral("RAGE"), QStringLiteral("other"));
    startMain();
    select(QStringLiteral("Game"));
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBResolution")),
              (QStringList{QStringLiteral("320x240"), QStringLiteral("640x480"),
                           QStringLiteral("800x600")}));
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBVesaMode")),
              (QStringList{QStringLiteral("VESA 1"), QStringLiteral("VESA 2")}));
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBSound")),
              (QStringList{QStringLiteral("Silence"), QStringLiteral("Sound Blaster")}));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentIndex(), -1);
    EXPECT_FALSE(option<QLabel>("LResolution").isHidden());

    select(QStringLiteral("Other"));
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBSound")),
              (QStringList{QStringLiteral("None"), QStringLiteral("Some")}));
    EXPECT_EQ(option<QComboBox>("CBSound").currentIndex(), -1);
}

TEST_F(OptionWindowTest, EntryLevelWinsOverEmulatorLevel) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Resolution"), QStringLiteral("320x240")},
                           {QStringLiteral("Vector"), true},
                           {QStringLiteral("Sound"), QStringLiteral("Silence")},
                           {QStringLiteral("VESA Mode"), QStringLiteral("VESA 2")},
                           {QStringLiteral("Additional"), QStringLiteral("-emu")}});
    setSpecific(QStringLiteral("Game"), {{QStringLiteral("Resolution"), QStringLiteral("640x480")},
                                         {QStringLiteral("Additional"), QStringLiteral("-game")}});
    startMain();
    select(QStringLiteral("Game"));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), QStringLiteral("640x480"));
    EXPECT_EQ(option<QLineEdit>("EAdditional").text(), QStringLiteral("-game"));
    // What the entry does not repeat comes from the emulator.
    EXPECT_TRUE(option<QCheckBox>("CBVector").isChecked());
    EXPECT_EQ(option<QComboBox>("CBSound").currentText(), QStringLiteral("Silence"));
    // "VESA Mode" as written is the "Vesa Mode" the panel reads.
    EXPECT_EQ(option<QComboBox>("CBVesaMode").currentText(), QStringLiteral("VESA 2"));
}

TEST_F(OptionWindowTest, StoredTextsSelectIgnoringCaseOrNothing) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Resolution"), QStringLiteral("320x240")}});
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Resolution"), QStringLiteral("1024x768")},
                 {QStringLiteral("Pixel Doubling"), QStringLiteral("SCANLINES")}});
    startMain();
    select(QStringLiteral("Game"));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentIndex(), -1);
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), QString());
    EXPECT_EQ(option<QComboBox>("CBExtraGraphics").currentText(), QStringLiteral("Scanlines"));
}

TEST_F(OptionWindowTest, ValuesMissingAtBothLevelsKeepChecksButNotTheLineCount) {
    addGame(QStringLiteral("Mouse Game"), QStringLiteral("MAME"), QStringLiteral("mgame"));
    addGame(QStringLiteral("Plain Game"), QStringLiteral("RAGE"), QStringLiteral("pgame"));
    setSpecific(QStringLiteral("Mouse Game"),
                {{QStringLiteral("Mouse"), true},
                 {QStringLiteral("Lines Offscreen"), QStringLiteral("12")},
                 {QStringLiteral("JoyEmu Keyfile"), QStringLiteral("C:\\K.KS")},
                 {QStringLiteral("Sound"), QStringLiteral("Silence")}});
    startMain();
    select(QStringLiteral("Mouse Game"));
    EXPECT_TRUE(option<QCheckBox>("CBMouse").isChecked());
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 12);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").minimum(), 2);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").maximum(), 20);
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QStringLiteral("C:\\K.KS"));

    select(QStringLiteral("Plain Game"));
    EXPECT_TRUE(option<QCheckBox>("CBMouse").isChecked());
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QStringLiteral("C:\\K.KS"));
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 8);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").maximum(), 32);
    EXPECT_EQ(option<QComboBox>("CBSound").currentIndex(), -1);

    // Back again: the spin edit starts from the definition's Default.
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(QStringLiteral("Mouse Game")), false);
    store.DeleteValue(QStringLiteral("Lines Offscreen"));
    select(QStringLiteral("Mouse Game"));
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 6);
}

TEST_F(OptionWindowTest, LineCountThatIsNoNumberKeepsTheDefault) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Lines Offscreen"), QStringLiteral("10")}});
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Lines Offscreen"), QStringLiteral("ten")}});
    startMain();
    select(QStringLiteral("Game"));
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 10);

    // Beyond the definition's range the spin edit holds its maximum.
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Lines Offscreen"), QStringLiteral("99")}});
    select(QStringLiteral("Game"));
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 20);
}

TEST_F(OptionWindowTest, ValuesOfGroupsTheEmulatorLacksAreIgnored) {
    addGame(QStringLiteral("Other"), QStringLiteral("RAGE"), QStringLiteral("other"));
    setSpecific(QStringLiteral("Other"), {{QStringLiteral("Cheat"), true},
                                          {QStringLiteral("Additional"), QStringLiteral("-x")}});
    startMain();
    option<QLineEdit>("EAdditional").setText(QStringLiteral("before"));
    select(QStringLiteral("Other"));
    EXPECT_FALSE(option<QCheckBox>("CBCheat").isChecked());
    EXPECT_EQ(option<QLineEdit>("EAdditional").text(), QStringLiteral("before"));
}
