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
    emulators.append(testEmulator(u"MAME"_qs));
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Specific(u"MAME {x}"_qs), true);
    store.WriteBool(u"Mouse"_qs, true);
    // "mame" names no loaded emulator (IDs compare exactly), nor does "NOEMU".
    for (const auto& [entry, emulator] : {std::pair{"AC\\DC", "mame"}, {"Orphan", "NOEMU"}}) {
        store.OpenKey(StorePaths::Entry(QString::fromLatin1(entry)), true);
        store.WriteString(u"Emulator"_qs, QString::fromLatin1(emulator));
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
        {"", "Additional", u"-x"_qs, StoreOutcome::NoEntry},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoreOption(store, QString::fromLatin1(c.entry), emulators,
                              QString::fromLatin1(c.value), c.option),
                  c.outcome)
            << c.entry << ' ' << c.value;
    }
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(u"Vanished"_qs)));
    EXPECT_FALSE(store.KeyExists(StorePaths::Entry(u"AC"_qs)));
    store.OpenKey(StorePaths::Root(), false);
    EXPECT_FALSE(store.ValueExists(u"Mouse"_qs));
    EXPECT_FALSE(store.ValueExists(u"Additional"_qs));

    EXPECT_TRUE(ResetToEmulatorDefaults(store, u"AC\\DC"_qs));
    EXPECT_FALSE(store.KeyExists(StorePaths::Specific(u"AC\\DC"_qs)));
    EXPECT_TRUE(store.KeyExists(StorePaths::Entry(u"AC\\DC"_qs)));
    EXPECT_FALSE(ResetToEmulatorDefaults(store, u"AC\\DC"_qs));
}
