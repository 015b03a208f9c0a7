#include "launch/OptionStore.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"
#include "support/TestEmulator.h"

TEST(OptionStore, AValueIsStoredOnceTheEntryDiffersFromItsEmulator) {
    TempInstallation inst;
    EmulatorTable emulators;
    emulators.append(testEmulator(QStringLiteral("MAME")));
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(QStringLiteral("MAME {x}")), true);
    store.WriteBool(QStringLiteral("Mouse"), true);
    // "mame" names no loaded emulator (IDs compare exactly), nor does "NOEMU".
    for (const auto& [entry, emulator] : {std::pair{"AC\\DC", "mame"}, {"Orphan", "NOEMU"}}) {
        store.OpenKey(StorePaths::Entry(QString::fromLatin1(entry)), true);
        store.WriteString(QStringLiteral("Emulator"), QString::fromLatin1(emulator));
    }
    const struct {
        const char* entry;
        const char* value;
        OptionValue option;
        StoreOutcome outcome;
    } cases[] = {
        // An emulator that is not loaded compares as false and empty.
        {"AC\\DC", "Mouse", false, StoreOutcome::SameAsEmulator},
        {"Orphan", "Additional", QString(), StoreOutcome::SameAsEmulator},
        {"AC\\DC", "Mouse", true, StoreOutcome::Created},
        {"Orphan", "Mouse", true, StoreOutcome::Created},
        // From then on the entry's own key takes every value.
        {"Orphan", "Mouse", false, StoreOutcome::Written},
        // A listed entry whose key is gone gets nothing written anywhere.
        {"Vanished", "Mouse", true, StoreOutcome::NoEntry},
        {"", "Additional", QStringLiteral("-x"), StoreOutcome::NoEntry},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoreOption(store, QString::fromLatin1(c.entry), emulators,
                              QString::fromLatin1(c.value), c.option),
                  c.outcome)
            << c.entry << ' ' << c.value;
    }
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(QStringLiteral("Vanished"))));
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(QStringLiteral("AC"))));
    store.OpenKey(StorePaths::Root(), false);
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Mouse")));
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Additional")));

    EXPECT_TRUE(ResetToEmulatorDefaults(store, QStringLiteral("AC\\DC")));
    EXPECT_FALSE(store.KeyExists(StorePaths::Specific(QStringLiteral("AC\\DC"))));
    EXPECT_TRUE(store.KeyExists(StorePaths::Entry(QStringLiteral("AC\\DC"))));
    EXPECT_FALSE(ResetToEmulatorDefaults(store, QStringLiteral("AC\\DC")));
}
