#include "launch/OptionStore.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"
#include "support/TestEmulator.h"

TEST(OptionStore, EntryNamesWithBackslashesAndEmulatorIdsOfAnotherCase) {
    TempInstallation inst;
    EmulatorTable emulators;
    emulators.append(testEmulator(QStringLiteral("MAME")));
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(QStringLiteral("MAME {x}")), true);
    store.WriteBool(QStringLiteral("Mouse"), true);
    store.OpenKey(StorePaths::Entry(QStringLiteral("AC\\DC")), true);
    store.WriteString(QStringLiteral("Emulator"), QStringLiteral("mame"));

    // "mame" names no loaded emulator (IDs compare exactly): false is the default.
    EXPECT_EQ(
        StoreOption(store, QStringLiteral("AC\\DC"), emulators, QStringLiteral("Mouse"), false),
        StoreOutcome::SameAsEmulator);
    EXPECT_EQ(
        StoreOption(store, QStringLiteral("AC\\DC"), emulators, QStringLiteral("Mouse"), true),
        StoreOutcome::Created);
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(QStringLiteral("AC"))));
    EXPECT_TRUE(ResetToEmulatorDefaults(store, QStringLiteral("AC\\DC")));
    EXPECT_FALSE(store.KeyExists(StorePaths::Specific(QStringLiteral("AC\\DC"))));
    EXPECT_TRUE(store.KeyExists(StorePaths::Entry(QStringLiteral("AC\\DC"))));
    EXPECT_FALSE(ResetToEmulatorDefaults(store, QStringLiteral("AC\\DC")));
}
