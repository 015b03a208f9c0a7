#include "context/SelectedEntry.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "support/TestEmulator.h"

namespace {

// What the accessors read about the entry behind a list item.
TEST(SelectedEntry, TheItemsEntryAsTheAccessorsReadIt) {
    TempInstallation inst;
    EmulatorTable emulators;
    emulators.append(testEmulator(QStringLiteral("RAGE")));
    emulators.append(testEmulator(QStringLiteral("MAME")));
    SettingsStore store = inst.context().store();
    store.OpenKey(StorePaths::Entry(QStringLiteral("MAME {x}")), true);
    store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\MAME\\MAME.EXE"));
    const struct {
        const char* name;
        const char* emulator;
    } entries[] = {{"Pac-Man", "MAME"}, {"Orphan", "GONE"}};
    for (const auto& e : entries) {
        store.OpenKey(StorePaths::Entry(QString::fromLatin1(e.name)), true);
        store.WriteString(QStringLiteral("Emulator"), QString::fromLatin1(e.emulator));
        store.WriteString(QStringLiteral("Shortname"), QStringLiteral("short"));
        store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\R\\X.ZIP"));
    }

    const struct {
        const char* itemText;
        bool showCount;
        const char* name;
        bool missing;
        const char* shortName;
        int emulatorIndex;
        const char* emulatorLocation;
    } cases[] = {
        {"Pac-Man", false, "Pac-Man", false, "short", 2, "C:\\MAME\\MAME.EXE"},
        {"0007 [ Pac-Man ]", true, "Pac-Man", true, "short", 2, "C:\\MAME\\MAME.EXE"},
        // An emulator that is not loaded: index 0 and no emulator location.
        {"Orphan", false, "Orphan", false, "short", 0, ""},
        // No key at all: empty texts.
        {"[ Vanished ]", false, "Vanished", true, "", 0, ""},
    };
    for (const auto& c : cases) {
        const SelectedEntry entry = ReadSelectedEntry(inst.context(), emulators,
                                                      QString::fromLatin1(c.itemText), c.showCount);
        EXPECT_EQ(entry.itemText, QString::fromLatin1(c.itemText));
        EXPECT_EQ(entry.name, QString::fromLatin1(c.name)) << c.itemText;
        EXPECT_EQ(entry.missing, c.missing) << c.itemText;
        EXPECT_EQ(entry.shortName, QString::fromLatin1(c.shortName)) << c.itemText;
        EXPECT_EQ(entry.location.isEmpty(), *c.shortName == '\0') << c.itemText;
        EXPECT_EQ(entry.emulatorIndex, c.emulatorIndex) << c.itemText;
        EXPECT_EQ(entry.emulatorLocation, QString::fromLatin1(c.emulatorLocation)) << c.itemText;
    }
}

}  // namespace
