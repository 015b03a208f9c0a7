// Start-up runs a real list build at the first start and after a migration.
#include <gtest/gtest.h>

#include <QTabWidget>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include "app/InstallerStore.h"
#include "settings/KeyPath.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kArcade = QStringLiteral("Arcade {Test}");

void writeArcade(ListBuildInstallation& b) {
    b.writeDefinition(QStringLiteral("ARC"), kArcade, QStringLiteral("MULTI"));
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\ARC.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("PACMAN=Pac-Man")});
    b.writeFile(QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    b.writeFile(QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
}

}  // namespace

TEST(ListBuildStartup, FirstStartBuildsTheList) {
    ListBuildInstallation b;
    writeArcade(b);
    b.writeFile(QStringLiteral("C:\\BRIVANEL\\PKUNZIP.EXE"));
    b.writeFile(QStringLiteral("D:\\UTIL\\PKZIP.EXE"));
    b.answerSearchOptions({kArcade});
    TFMain& main = b.start();  // no store yet: the first-start path

    EXPECT_EQ(b.inst.dialogs.pending(), 0u);
    EXPECT_EQ(b.value(kArcade, QStringLiteral("Location")),
              QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    EXPECT_EQ(b.rootValue(QStringLiteral("Version")), QStringLiteral(".26"));
    // The tools its search found are stored, as Search Drives and OK would.
    EXPECT_EQ(b.rootValue(QStringLiteral("PKUNZIP Path")),
              QStringLiteral("C:\\BRIVANEL\\PKUNZIP.EXE"));
    EXPECT_EQ(b.rootValue(QStringLiteral("PKZIP Path")), QStringLiteral("D:\\UTIL\\PKZIP.EXE"));
    EXPECT_EQ(b.rootValue(QStringLiteral("JOYEMU Path")), QString());
    ASSERT_TRUE(b.listBuild().IsRunning());
    b.finishTicks();
    // The paths chosen in the search options were searched: the ROM lies on D:.
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    // No game was current: the page with the games is in front, counted.
    EXPECT_EQ(control<QTabWidget>(main, QStringLiteral("PCConsole")).currentWidget(),
              &control<QWidget>(main, QStringLiteral("TSArcade")));
    EXPECT_EQ(&currentList(main), &listBox(main, QStringLiteral("LBArcade")));
    EXPECT_EQ(currentList(main).hint(), QStringLiteral("1 games listed"));
    EXPECT_EQ(statusText(main), QStringLiteral("1 of 1 games found"));
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
    b.answerSearchOptions({kArcade});
    b.start();

    EXPECT_EQ(b.inst.dialogs.pending(), 0u);
    EXPECT_FALSE(b.entryExists(QStringLiteral("MAME")));
    EXPECT_EQ(b.value(kArcade, QStringLiteral("Emulator")), QStringLiteral("ARC"));
    EXPECT_EQ(b.rootValue(QStringLiteral("Version")), QStringLiteral(".26"));
    b.finishTicks();
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Emulator")),
              QStringLiteral("ARC"));
    EXPECT_FALSE(b.listBuild().IsRunning());
}

// The store an installation starts with: the fast pace offered, the games
// without a ROM not listed, and the tools found stored as at a first start.
TEST(ListBuildStartup, AnInstallersStoreStartsFastWithoutMissingGames) {
    ListBuildInstallation b;
    writeArcade(b);
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\ARC.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("PACMAN=Pac-Man"),
                  QStringLiteral("GALAGA=Galaga")});
    b.writeFile(QStringLiteral("C:\\BRIVANEL\\PKUNZIP.EXE"));
    ASSERT_EQ(InstallerStore::PrepareNewStore(b.inst.storeFile()), InstallerStore::Result::Written);
    EXPECT_EQ(InstallerStore::PrepareNewStore(b.inst.storeFile()),
              InstallerStore::Result::AlreadyThere);
    bool fastOffered = false;
    QString pathsOffered;
    b.inst.dialogs.answerDialog(mrOk, [&](QObject& dialog) {
        static_cast<QWidget&>(dialog).show();  // fills it, as the real dialog is
        static_cast<QWidget&>(dialog).hide();
        fastOffered = control<QCheckBox>(dialog, QStringLiteral("CBFastListBuild")).isChecked();
        auto& paths = control<QLineEdit>(dialog, QStringLiteral("ESearchDrives"));
        pathsOffered = paths.text();
        paths.setText(QStringLiteral("C:;D:"));
        control<QListWidget>(dialog, QStringLiteral("LBYes")).addItem(kArcade);
    });
    TFMain& main = b.start();
    b.finishTicks();
    EXPECT_TRUE(fastOffered);
    EXPECT_EQ(pathsOffered, QStringLiteral("C:"));
    EXPECT_EQ(b.value(QStringLiteral("Galaga"), QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(listBox(main, QStringLiteral("LBArcade")).items(),
              (QStringList{kArcade, QStringLiteral("Pac-Man")}));
    EXPECT_EQ(b.rootValue(QStringLiteral("PKUNZIP Path")),
              QStringLiteral("C:\\BRIVANEL\\PKUNZIP.EXE"));
}
