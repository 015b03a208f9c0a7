// Loading the option panel: controls, captions, hints, items and the values
// of the two levels.
#include <QAbstractButton>
#include <QLineEdit>

#include "catalogue/OptionGroups.h"
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
    EXPECT_EQ(option<QCheckBox>("CBLinesOffscreen").text(), u"U&p lines"_qs);
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

// Nothing selected (an empty list, a first start whose search was cancelled,
// a build under way): no option group shows until an entry says which.
TEST_F(OptionWindowTest, WithNothingSelectedNoGroupShows) {
    SettingsStore store = inst.context().store();
    for (const char16_t* emulator : {kMame, kRage, kIkari}) {
        store.DeleteKey(StorePaths::Entry(S(emulator)));
    }
    startMain();
    ASSERT_EQ(currentList(main()).count(), 0);
    for (const QWidget* control : panel().findChildren<QWidget*>()) {
        if (qobject_cast<const QAbstractButton*>(control) ||
            qobject_cast<const QComboBox*>(control) || qobject_cast<const QLineEdit*>(control) ||
            qobject_cast<const QSpinBox*>(control)) {
            EXPECT_FALSE(control->isVisibleTo(&panel())) << control->objectName().toStdString();
        }
    }
}

TEST_F(OptionWindowTest, CheckGroupsShowTheDefinitionsCaptionOrTheirOwn) {
    addGame(u"Asteroids"_qs, u"MAME"_qs, u"asteroid"_qs);
    addGame(u"Street Fighter"_qs, u"RAGE"_qs, u"sf1"_qs);
    startMain();

    select(u"Asteroids"_qs);
    EXPECT_FALSE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_EQ(option<QCheckBox>("CBVector").text(), u"&Vector games"_qs);
    EXPECT_EQ(option<QCheckBox>("CBVector").toolTip(), u"Draws vector games sharply"_qs);
    EXPECT_EQ(option<QCheckBox>("CBVector").statusTip(), u"Draws vector games sharply"_qs);
    EXPECT_EQ(option<QCheckBox>("CBLinesOffscreen").text(), u"U&p"_qs);
    EXPECT_FALSE(option<QSpinBox>("SELinesOffscreen").isHidden());
    EXPECT_TRUE(option<QCheckBox>("CBSynchronizeVideo").isHidden());
    EXPECT_TRUE(option<QCheckBox>("CBJoystick").isHidden());
    EXPECT_FALSE(option<QLineEdit>("EJoyEmu").isHidden());
    EXPECT_FALSE(option<QPushButton>("BJoyCP").isHidden());
    EXPECT_FALSE(option<QLineEdit>("EAdditional").isHidden());

    // A section without Name or Hint (and named in lower case) keeps the built-in texts.
    select(u"Street Fighter"_qs);
    EXPECT_FALSE(option<QCheckBox>("CBVector").isHidden());
    EXPECT_EQ(option<QCheckBox>("CBVector").text(), u"Vect&or"_qs);
    EXPECT_EQ(option<QCheckBox>("CBVector").toolTip(), QString::fromUtf16(kCheckGroups[0].hint));
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
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    addGame(u"Other"_qs, u"RAGE"_qs, u"other"_qs);
    startMain();
    select(u"Game"_qs);
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBResolution")),
              (QStringList{u"320x240"_qs, u"640x480"_qs, u"800x600"_qs}));
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBVesaMode")), (QStringList{u"VESA 1"_qs, u"VESA 2"_qs}));
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBSound")),
              (QStringList{u"Silence"_qs, u"Sound Blaster"_qs}));
    EXPECT_EQ(option<QComboBox>("CBResolution").currentIndex(), -1);
    EXPECT_FALSE(option<QLabel>("LResolution").isHidden());

    select(u"Other"_qs);
    EXPECT_EQ(itemsOf(&option<QComboBox>("CBSound")), (QStringList{u"None"_qs, u"Some"_qs}));
    EXPECT_EQ(option<QComboBox>("CBSound").currentIndex(), -1);
}

TEST_F(OptionWindowTest, EntryLevelWinsOverEmulatorLevel) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    setSpecific(S(kMame), {{u"Resolution"_qs, u"320x240"_qs},
                           {u"Vector"_qs, true},
                           {u"Sound"_qs, u"Silence"_qs},
                           {u"VESA Mode"_qs, u"VESA 2"_qs},
                           {u"Additional"_qs, u"-emu"_qs}});
    setSpecific(u"Game"_qs, {{u"Resolution"_qs, u"640x480"_qs}, {u"Additional"_qs, u"-game"_qs}});
    startMain();
    select(u"Game"_qs);
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), u"640x480"_qs);
    EXPECT_EQ(option<QLineEdit>("EAdditional").text(), u"-game"_qs);
    // What the entry does not repeat comes from the emulator.
    EXPECT_TRUE(option<QCheckBox>("CBVector").isChecked());
    EXPECT_EQ(option<QComboBox>("CBSound").currentText(), u"Silence"_qs);
    // "VESA Mode" as written is the "Vesa Mode" the panel reads.
    EXPECT_EQ(option<QComboBox>("CBVesaMode").currentText(), u"VESA 2"_qs);
}

TEST_F(OptionWindowTest, StoredTextsSelectIgnoringCaseOrNothing) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    setSpecific(S(kMame), {{u"Resolution"_qs, u"320x240"_qs}});
    setSpecific(u"Game"_qs,
                {{u"Resolution"_qs, u"1024x768"_qs}, {u"Pixel Doubling"_qs, u"SCANLINES"_qs}});
    startMain();
    select(u"Game"_qs);
    EXPECT_EQ(option<QComboBox>("CBResolution").currentIndex(), -1);
    EXPECT_EQ(option<QComboBox>("CBResolution").currentText(), QString());
    EXPECT_EQ(option<QComboBox>("CBExtraGraphics").currentText(), u"Scanlines"_qs);
}

TEST_F(OptionWindowTest, ValuesMissingAtBothLevelsKeepChecksButNotTheLineCount) {
    addGame(u"Mouse Game"_qs, u"MAME"_qs, u"mgame"_qs);
    addGame(u"Plain Game"_qs, u"RAGE"_qs, u"pgame"_qs);
    setSpecific(u"Mouse Game"_qs, {{u"Mouse"_qs, true},
                                   {u"Lines Offscreen"_qs, u"12"_qs},
                                   {u"JoyEmu Keyfile"_qs, u"C:\\K.KS"_qs},
                                   {u"Sound"_qs, u"Silence"_qs}});
    startMain();
    select(u"Mouse Game"_qs);
    EXPECT_TRUE(option<QCheckBox>("CBMouse").isChecked());
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 12);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").minimum(), 2);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").maximum(), 20);
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), u"C:\\K.KS"_qs);

    select(u"Plain Game"_qs);
    EXPECT_TRUE(option<QCheckBox>("CBMouse").isChecked());
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), u"C:\\K.KS"_qs);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 8);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").maximum(), 32);
    EXPECT_EQ(option<QComboBox>("CBSound").currentIndex(), -1);

    // Back again: the spin edit starts from the definition's Default.
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(u"Mouse Game"_qs), false);
    store.DeleteValue(u"Lines Offscreen"_qs);
    select(u"Mouse Game"_qs);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 6);
}

TEST_F(OptionWindowTest, LineCountThatIsNoNumberKeepsTheDefault) {
    addGame(u"Game"_qs, u"MAME"_qs, u"game"_qs);
    setSpecific(S(kMame), {{u"Lines Offscreen"_qs, u"10"_qs}});
    setSpecific(u"Game"_qs, {{u"Lines Offscreen"_qs, u"ten"_qs}});
    startMain();
    select(u"Game"_qs);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 10);

    // Beyond the definition's range the spin edit holds its maximum.
    setSpecific(u"Game"_qs, {{u"Lines Offscreen"_qs, u"99"_qs}});
    select(u"Game"_qs);
    EXPECT_EQ(option<QSpinBox>("SELinesOffscreen").value(), 20);
}

TEST_F(OptionWindowTest, ValuesOfGroupsTheEmulatorLacksAreIgnored) {
    addGame(u"Other"_qs, u"RAGE"_qs, u"other"_qs);
    setSpecific(u"Other"_qs, {{u"Cheat"_qs, true}, {u"Additional"_qs, u"-x"_qs}});
    startMain();
    option<QLineEdit>("EAdditional").setText(u"before"_qs);
    select(u"Other"_qs);
    EXPECT_FALSE(option<QCheckBox>("CBCheat").isChecked());
    EXPECT_EQ(option<QLineEdit>("EAdditional").text(), u"before"_qs);
}
