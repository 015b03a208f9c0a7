// The plain units behind the option panel, for the cases the window tests
// do not reach.
#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "catalogue/EmulatorTable.h"
#include "launch/AlternativeEmulators.h"
#include "launch/JoyEmuPanel.h"
#include "launch/OptionPanelLoad.h"
#include "launch/OptionStore.h"
#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/TempInstallation.h"

namespace {

EmulatorDefinition emulator(const QString& id) {
    EmulatorDefinition d;
    d.emulatorId = id;
    d.lbName = id + QStringLiteral(" {x}");
    return d;
}

}  // namespace

TEST(OptionStore, EntryNamesWithBackslashesAndEmulatorIdsOfAnotherCase) {
    TempInstallation inst;
    EmulatorTable emulators;
    emulators.append(emulator(QStringLiteral("MAME")));
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

TEST(AlternativeEmulators, NumbersCountOnPastNineAndSortAcrossThem) {
    EmulatorTable emulators;
    std::vector<AlternativeEmulator> pairs;
    for (int i = 0; i < 11; ++i) {
        const QString id = QStringLiteral("E%1").arg(10 - i, 2, 10, QLatin1Char('0'));
        emulators.append(emulator(id));
        pairs.push_back({id, id.toLower()});
    }
    // Index 1 is E10, the entry's own emulator.
    const auto tidied = TidiedAlternativeEmulators(pairs, emulators, 1);
    ASSERT_EQ(tidied.size(), 10u);
    EXPECT_EQ(tidied.front().emulatorId, QStringLiteral("E00"));
    EXPECT_EQ(tidied.back().emulatorId, QStringLiteral("E09"));
}

TEST(PanelLayout, EmptyListSectionAndSeparateCaptionAndHintFallbacks) {
    EmulatorDefinition d = emulator(QStringLiteral("MAME"));
    d.checks[size_t(index(CheckGroup::Cheat))] = {
        true, QString(), QStringLiteral("Cheats"), {}, {}};
    d.lists[size_t(index(ListGroup::Sound))] = {true, {}, {}};
    const PanelLayout layout = PanelLayoutFor(&d);
    EXPECT_EQ(layout.checks[size_t(index(CheckGroup::Cheat))].caption, QStringLiteral("Chea&t!"));
    EXPECT_EQ(layout.checks[size_t(index(CheckGroup::Cheat))].hint, QStringLiteral("Cheats"));
    EXPECT_TRUE(layout.lists[size_t(index(ListGroup::Sound))].visible);
    EXPECT_TRUE(layout.lists[size_t(index(ListGroup::Sound))].items.isEmpty());
}

TEST(PanelLayout, LineCountNumbers) {
    EXPECT_EQ(LinesOffscreenNumber(QStringLiteral(" 7 ")), std::optional<int>(7));
    EXPECT_EQ(LinesOffscreenNumber(QStringLiteral("-3")), std::optional<int>(-3));
    EXPECT_FALSE(LinesOffscreenNumber(QString()).has_value());
    EXPECT_FALSE(LinesOffscreenNumber(QStringLiteral("8 lines")).has_value());
}

TEST(JoyEmuPanel, KeyFileDialogStartsInTheJoyCpFolder) {
    TempInstallation inst;
    inst.writeFile(QStringLiteral("C:\\Joy\\JOYCP.EXE"), "x");
    inst.writeFile(QStringLiteral("C:\\Keys\\Pac.ks"), "x");
    const DosFileSystem fs = inst.fs();
    const OpenFileRequest request = JoyEmuKeyfileRequest(fs, QStringLiteral("C:\\KEYS\\PAC.KS"),
                                                         QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    EXPECT_EQ(request.filter, QStringLiteral("JoyEmu Keyfiles (*.KS)|*.KS"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("KS"));
    EXPECT_EQ(request.initialFolder, inst.root() + QStringLiteral("/c/Joy"));
    EXPECT_EQ(request.initialFile, inst.root() + QStringLiteral("/c/Keys/Pac.ks"));

    const OpenFileRequest unset = JoyEmuKeyfileRequest(fs, QStringLiteral("GONE.KS"), QString());
    EXPECT_EQ(unset.initialFolder, QString());
    EXPECT_EQ(unset.initialFile, QStringLiteral("GONE.KS"));
}
