#include <gtest/gtest.h>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "settings/StoreError.h"
#include "support/TempInstallation.h"

namespace {

class SubkeyValuesTest : public ::testing::Test {
protected:
    SubkeyValuesTest() {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Entry(u"Zaxxon"_qs), true);
        store.WriteString(u"Emulator"_qs, u"MAME"_qs);
        store.WriteInteger(u"Count"_qs, 3);
        store.WriteString(u"Shortname"_qs, u"zaxxon"_qs);
        store.OpenKey(StorePaths::Specific(u"Zaxxon"_qs), true);
        store.WriteString(u"Emulator"_qs, u"not a game value"_qs);
        store.OpenKey(StorePaths::Entry(u"AC\\DC"_qs), true);
        store.WriteString(u"EMULATOR"_qs, u"RAGE"_qs);
        store.WriteString(u"Count"_qs, u"many"_qs);
        store.OpenKey(StorePaths::Entry(u"Bare"_qs), true);
    }

    std::vector<SubkeyValues> read(const QStringList& names) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        return store.ReadSubkeyValues(names);
    }

    TempInstallation inst;
};

TEST_F(SubkeyValuesTest, ReadsTheNamedValuesOfEverySubkeyInKeyOrder) {
    const std::vector<SubkeyValues> keys = read({u"emulator"_qs, u"Count"_qs});

    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].name(), u"Zaxxon"_qs);
    EXPECT_EQ(keys[1].name(), u"AC\\DC"_qs);
    EXPECT_EQ(keys[2].name(), u"Bare"_qs);
    EXPECT_EQ(keys[0].ReadString(u"Emulator"_qs), u"MAME"_qs);
    EXPECT_EQ(keys[0].ReadInteger(u"COUNT"_qs), 3);
    // Only the values asked for, and none of the subkeys' own subkeys.
    EXPECT_FALSE(keys[0].ValueExists(u"Shortname"_qs));
    EXPECT_EQ(keys[1].ReadString(u"Emulator"_qs), u"RAGE"_qs);
    EXPECT_FALSE(keys[2].ValueExists(u"Emulator"_qs));
    EXPECT_EQ(keys[2].ReadString(u"Emulator"_qs), QString());
}

TEST_F(SubkeyValuesTest, KeepsTheHandlesRulesForAbsentAndMistypedValues) {
    const std::vector<SubkeyValues> keys = read({u"Emulator"_qs, u"Count"_qs});

    EXPECT_THROW(keys[1].ReadInteger(u"Count"_qs), StoreError);
    EXPECT_THROW(keys[0].ReadString(u"Count"_qs), StoreError);
    EXPECT_THROW(keys[2].ReadInteger(u"Count"_qs), StoreError);
}

TEST_F(SubkeyValuesTest, EveryReadSeesWhatAnotherConnectionWrote) {
    SettingsStore other(inst.database());
    EXPECT_EQ(read({u"Location"_qs})[0].ReadString(u"Location"_qs), QString());

    other.OpenKey(StorePaths::Entry(u"Zaxxon"_qs), false);
    other.WriteString(u"Location"_qs, u"#"_qs);
    other.OpenKey(StorePaths::Entry(u"New Game"_qs), true);

    const std::vector<SubkeyValues> keys = read({u"Location"_qs});
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].ReadString(u"Location"_qs), u"#"_qs);
    EXPECT_EQ(keys[3].name(), u"New Game"_qs);
}

}  // namespace
