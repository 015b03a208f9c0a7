#include "gamelist/ChangeEmulators.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"
#include "support/TestEmulator.h"

namespace {

const QString kGame = QStringLiteral("Pong (Rev E) [TTL]");

class ChangeEmulatorsTest : public ::testing::Test {
protected:
    ChangeEmulatorsTest() {
        for (const char16_t* id : {u"MAME", u"CPS", u"RAGE"}) {
            emulators.append(testEmulator(QString::fromUtf16(id)));
        }
        store.OpenKey(StorePaths::Entry(kGame), true);
        for (const auto& [name, value] : {std::pair{u"Emulator", u"MAME"},
                                          {u"Shortname", u"pong"},
                                          {u"Emulator1", u"GONE"},
                                          {u"Shortname1", u"pong_g"},
                                          {u"Emulator2", u"RAGE"},
                                          {u"Shortname2", u"pongr"}}) {
            store.WriteString(QString::fromUtf16(name), QString::fromUtf16(value));
        }
        store.OpenKey(StorePaths::Specific(kGame), true);
        store.WriteString(QStringLiteral("Sound"), QStringLiteral("None"));
    }

    QString value(const char* name) {
        store.OpenKey(StorePaths::Entry(kGame), false);
        return store.ReadString(QString::fromLatin1(name));
    }

    TempInstallation inst;
    SettingsStore store = inst.context().store();
    EmulatorTable emulators;
};

TEST_F(ChangeEmulatorsTest, ChoicesKeepTheirNumbersPastAnEmulatorNotLoaded) {
    const auto choices = ChangeEmulators::Choices(store, kGame, emulators);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].number, 2);
    EXPECT_EQ(choices[0].listName, QStringLiteral("RAGE {x}"));
    EXPECT_TRUE(ChangeEmulators::Choices(store, QStringLiteral("Nowhere"), emulators).empty());
}

TEST_F(ChangeEmulatorsTest, TheChosenEmulatorAndTheFormerOneChangePlaces) {
    ASSERT_TRUE(ChangeEmulators::MakeEmulator(store, kGame, 2));
    EXPECT_EQ(value("Emulator"), QStringLiteral("RAGE"));
    EXPECT_EQ(value("Shortname"), QStringLiteral("pongr"));
    EXPECT_EQ(value("Emulator2"), QStringLiteral("MAME"));
    EXPECT_EQ(value("Shortname2"), QStringLiteral("pong"));
    EXPECT_EQ(value("Emulator1"), QStringLiteral("GONE"));
    EXPECT_FALSE(store.KeyExists(StorePaths::Specific(kGame)));
}

TEST_F(ChangeEmulatorsTest, ANumberWithoutAnEmulatorChangesNothing) {
    EXPECT_FALSE(ChangeEmulators::MakeEmulator(store, kGame, 3));
    EXPECT_FALSE(ChangeEmulators::MakeEmulator(store, kGame, 0));
    EXPECT_FALSE(ChangeEmulators::MakeEmulator(store, QStringLiteral("Nowhere"), 1));
    EXPECT_EQ(value("Emulator"), QStringLiteral("MAME"));
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Emulator3")));
    EXPECT_TRUE(store.KeyExists(StorePaths::Specific(kGame)));
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(QStringLiteral("Nowhere"))));
}

}  // namespace
