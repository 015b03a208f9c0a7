// Loading the option panel: controls, captions, hints, items and the values
// of the two levels.
#include "gamelist/ui/GameListWidget.h"
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
    TFMain& m = main();
    EXPECT_EQ(m.POptions->CBLinesOffscreen->text(), QStringLiteral("U&p lines"));
    EXPECT_TRUE(m.POptions->CBJoystick->isChecked());
    EXPECT_TRUE(m.POptions->CBFMMusic->isChecked());
    EXPECT_FALSE(m.POptions->CBVector->isChecked());
    EXPECT_EQ(m.POptions->CBCheat->statusTip(), m.POptions->CBCheat->toolTip());
    EXPECT_EQ(m.POptions->CBSound->count(), 8);
    EXPECT_EQ(m.POptions->CBController1->count(), 0);
    for (QComboBox* list : m.POptions->ListBoxes()) {
        EXPECT_EQ(list->currentIndex(), -1) << list->objectName().toStdString();
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->maxVisibleItems(), 30);
    }
    // Labels keep their own hints where they differ from their lists'.
    EXPECT_NE(m.POptions->LResolution->toolTip(), m.POptions->CBResolution->toolTip());
    EXPECT_EQ(m.POptions->LController1->toolTip(), QString());
    EXPECT_EQ(m.POptions->LSound->buddy(), m.POptions->CBSound);
    EXPECT_EQ(m.POptions->SELinesOffscreen->value(), 8);
}

TEST_F(OptionWindowTest, CheckGroupsShowTheDefinitionsCaptionOrTheirOwn) {
    addGame(QStringLiteral("Asteroids"), QStringLiteral("MAME"), QStringLiteral("asteroid"));
    addGame(QStringLiteral("Street Fighter"), QStringLiteral("RAGE"), QStringLiteral("sf1"));
    startMain();
    TFMain& m = main();

    select(QStringLiteral("Asteroids"));
    EXPECT_FALSE(m.POptions->CBVector->isHidden());
    EXPECT_EQ(m.POptions->CBVector->text(), QStringLiteral("&Vector games"));
    EXPECT_EQ(m.POptions->CBVector->toolTip(), QStringLiteral("Draws vector games sharply"));
    EXPECT_EQ(m.POptions->CBVector->statusTip(), QStringLiteral("Draws vector games sharply"));
    EXPECT_EQ(m.POptions->CBLinesOffscreen->text(), QStringLiteral("U&p"));
    EXPECT_FALSE(m.POptions->SELinesOffscreen->isHidden());
    EXPECT_TRUE(m.POptions->CBSynchronizeVideo->isHidden());
    EXPECT_TRUE(m.POptions->CBJoystick->isHidden());
    EXPECT_FALSE(m.POptions->EJoyEmu->isHidden());
    EXPECT_FALSE(m.POptions->BJoyCP->isHidden());
    EXPECT_FALSE(m.POptions->EAdditional->isHidden());

    // A section without Name or Hint (and named in lower case) keeps the built-in texts.
    select(QStringLiteral("Street Fighter"));
    EXPECT_FALSE(m.POptions->CBVector->isHidden());
    EXPECT_EQ(m.POptions->CBVector->text(), QStringLiteral("Vect&or"));
    EXPECT_EQ(m.POptions->CBVector->toolTip(), CheckControlTexts()[0].hint);
    EXPECT_TRUE(m.POptions->CBLinesOffscreen->isHidden());
    EXPECT_TRUE(m.POptions->SELinesOffscreen->isHidden());
    EXPECT_TRUE(m.POptions->LLinesOffscreen->isHidden());
    EXPECT_TRUE(m.POptions->EJoyEmu->isHidden());
    EXPECT_TRUE(m.POptions->LJoyemu->isHidden());
    EXPECT_TRUE(m.POptions->EAdditional->isHidden());
    EXPECT_TRUE(m.POptions->LAdditional->isHidden());
    EXPECT_TRUE(m.POptions->CBResolution->isHidden());
    EXPECT_TRUE(m.POptions->LResolution->isHidden());

    // No Vector section at all hides the box.
    select(S(kIkari));
    EXPECT_TRUE(m.POptions->CBVector->isHidden());
    EXPECT_FALSE(m.POptions->CBSynchronizeVideo->isHidden());
}

TEST_F(OptionWindowTest, ListsOfferExactlyTheDefinitionsCaptions) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    addGame(QStringLiteral("Other"), QStringLiteral("RAGE"), QStringLiteral("other"));
    startMain();
    TFMain& m = main();
    select(QStringLiteral("Game"));
    EXPECT_EQ(itemsOf(m.POptions->CBResolution),
              (QStringList{QStringLiteral("320x240"), QStringLiteral("640x480"),
                           QStringLiteral("800x600")}));
    EXPECT_EQ(itemsOf(m.POptions->CBVesaMode),
              (QStringList{QStringLiteral("VESA 1"), QStringLiteral("VESA 2")}));
    EXPECT_EQ(itemsOf(m.POptions->CBSound),
              (QStringList{QStringLiteral("Silence"), QStringLiteral("Sound Blaster")}));
    EXPECT_EQ(m.POptions->CBResolution->currentIndex(), -1);
    EXPECT_FALSE(m.POptions->LResolution->isHidden());

    select(QStringLiteral("Other"));
    EXPECT_EQ(itemsOf(m.POptions->CBSound),
              (QStringList{QStringLiteral("None"), QStringLiteral("Some")}));
    EXPECT_EQ(m.POptions->CBSound->currentIndex(), -1);
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
    TFMain& m = main();
    select(QStringLiteral("Game"));
    EXPECT_EQ(m.POptions->CBResolution->currentText(), QStringLiteral("640x480"));
    EXPECT_EQ(m.POptions->EAdditional->text(), QStringLiteral("-game"));
    // What the entry does not repeat comes from the emulator.
    EXPECT_TRUE(m.POptions->CBVector->isChecked());
    EXPECT_EQ(m.POptions->CBSound->currentText(), QStringLiteral("Silence"));
    // "VESA Mode" as written is the "Vesa Mode" the panel reads.
    EXPECT_EQ(m.POptions->CBVesaMode->currentText(), QStringLiteral("VESA 2"));
}

TEST_F(OptionWindowTest, StoredTextsSelectIgnoringCaseOrNothing) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Resolution"), QStringLiteral("320x240")}});
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Resolution"), QStringLiteral("1024x768")},
                 {QStringLiteral("Pixel Doubling"), QStringLiteral("SCANLINES")}});
    startMain();
    TFMain& m = main();
    select(QStringLiteral("Game"));
    EXPECT_EQ(m.POptions->CBResolution->currentIndex(), -1);
    EXPECT_EQ(m.POptions->CBResolution->currentText(), QString());
    EXPECT_EQ(m.POptions->CBExtraGraphics->currentText(), QStringLiteral("Scanlines"));
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
    TFMain& m = main();
    select(QStringLiteral("Mouse Game"));
    EXPECT_TRUE(m.POptions->CBMouse->isChecked());
    EXPECT_EQ(m.POptions->SELinesOffscreen->value(), 12);
    EXPECT_EQ(m.POptions->SELinesOffscreen->minimum(), 2);
    EXPECT_EQ(m.POptions->SELinesOffscreen->maximum(), 20);
    EXPECT_EQ(m.POptions->EJoyEmu->text(), QStringLiteral("C:\\K.KS"));

    select(QStringLiteral("Plain Game"));
    EXPECT_TRUE(m.POptions->CBMouse->isChecked());
    EXPECT_EQ(m.POptions->EJoyEmu->text(), QStringLiteral("C:\\K.KS"));
    EXPECT_EQ(m.POptions->SELinesOffscreen->value(), 8);
    EXPECT_EQ(m.POptions->SELinesOffscreen->maximum(), 32);
    EXPECT_EQ(m.POptions->CBSound->currentIndex(), -1);

    // Back again: the spin edit starts from the definition's Default.
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(QStringLiteral("Mouse Game")), false);
    store.DeleteValue(QStringLiteral("Lines Offscreen"));
    select(QStringLiteral("Mouse Game"));
    EXPECT_EQ(m.POptions->SELinesOffscreen->value(), 6);
}

TEST_F(OptionWindowTest, LineCountThatIsNoNumberKeepsTheDefault) {
    addGame(QStringLiteral("Game"), QStringLiteral("MAME"), QStringLiteral("game"));
    setSpecific(S(kMame), {{QStringLiteral("Lines Offscreen"), QStringLiteral("10")}});
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Lines Offscreen"), QStringLiteral("ten")}});
    startMain();
    select(QStringLiteral("Game"));
    EXPECT_EQ(main().POptions->SELinesOffscreen->value(), 10);

    // Beyond the definition's range the spin edit holds its maximum.
    setSpecific(QStringLiteral("Game"),
                {{QStringLiteral("Lines Offscreen"), QStringLiteral("99")}});
    select(QStringLiteral("Game"));
    EXPECT_EQ(main().POptions->SELinesOffscreen->value(), 20);
}

TEST_F(OptionWindowTest, ValuesOfGroupsTheEmulatorLacksAreIgnored) {
    addGame(QStringLiteral("Other"), QStringLiteral("RAGE"), QStringLiteral("other"));
    setSpecific(QStringLiteral("Other"), {{QStringLiteral("Cheat"), true},
                                          {QStringLiteral("Additional"), QStringLiteral("-x")}});
    startMain();
    main().POptions->EAdditional->setText(QStringLiteral("before"));
    select(QStringLiteral("Other"));
    EXPECT_FALSE(main().POptions->CBCheat->isChecked());
    EXPECT_EQ(main().POptions->EAdditional->text(), QStringLiteral("before"));
}
