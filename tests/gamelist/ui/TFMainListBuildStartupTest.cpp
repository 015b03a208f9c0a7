// Start-up runs a real list build at the first start and after a migration.
#include <gtest/gtest.h>

#include "settings/KeyPath.h"
#include "support/ui/ListBuildFixture.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

namespace {

const QString kArcade = QStringLiteral("Arcade {Test}");

void writeArcade(ListBuildInstallation& b) {
    b.writeDefinition(QStringLiteral("ARC"), kArcade, QStringLiteral("MULTI"));
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\ARC.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("PACMAN=Pac-Man")});
    b.writeFile(QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    b.writeFile(QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
}

// The search options answered with every emulator chosen.
void chooseEverything(ListBuildInstallation& b) {
    b.inst.dialogs.answerDialog(mrOk, [](QObject& dialog) {
        auto& options = static_cast<TFSearchOptions&>(dialog);
        options.LBYes->clear();
        options.LBYes->addItem(kArcade);
    });
}

}  // namespace

TEST(ListBuildStartup, FirstStartBuildsTheList) {
    ListBuildInstallation b;
    writeArcade(b);
    chooseEverything(b);
    TFMain& main = b.start();  // no store yet: the first-start path

    EXPECT_EQ(b.inst.dialogs.pending(), 0u);
    EXPECT_EQ(b.value(kArcade, QStringLiteral("Location")),
              QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    EXPECT_EQ(b.rootValue(QStringLiteral("Version")), QStringLiteral(".26"));
    ASSERT_TRUE(main.Timer1->isActive());
    b.finishTicks();
    // The drives of the first start were searched: the ROM lies on D:.
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    // No game was current: the page with the games is in front, counted.
    EXPECT_EQ(main.PCConsole->currentWidget(), main.TSArcade);
    EXPECT_EQ(main.currentListBox, main.LBArcade);
    EXPECT_EQ(main.StatusText->text(), QStringLiteral("1 games listed"));
}

TEST(ListBuildStartup, MigrationBuildsTheList) {
    ListBuildInstallation b;
    writeArcade(b);
    {
        SettingsStore store(b.inst.database());  // left by an older version
        store.OpenKey(StorePaths::Root(), true);
        store.WriteString(QStringLiteral("Version"), QStringLiteral(".25"));
        store.WriteString(QStringLiteral("Drives To Search"), QStringLiteral("C:;D:"));
        store.OpenKey(StorePaths::Entry(QStringLiteral("MAME")), true);
    }
    chooseEverything(b);
    TFMain& main = b.start();

    EXPECT_EQ(b.inst.dialogs.pending(), 0u);
    EXPECT_FALSE(b.entryExists(QStringLiteral("MAME")));
    EXPECT_EQ(b.value(kArcade, QStringLiteral("Emulator")), QStringLiteral("ARC"));
    EXPECT_EQ(b.rootValue(QStringLiteral("Version")), QStringLiteral(".26"));
    b.finishTicks();
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Emulator")),
              QStringLiteral("ARC"));
    EXPECT_FALSE(main.Timer1->isActive());
}
