// The list build's two paces on one installation: one game per tick of
// Timer1, and as many as about 40 ms of work allow. The store they leave is
// the same value by value; the status bar counts the games at both.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QProgressBar>

#include "settings/KeyPath.h"
#include "support/StoreDump.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kArcade = QStringLiteral("Arcade {Pace}");
const QString kShared = QStringLiteral("Second {Pace}");
const QStringList kArcadeGames{
    QStringLiteral("PACMAN=Pac-Man"),    QStringLiteral("PUCKMAN=Puck Man"),
    QStringLiteral("DIGDUG=Dig Dug"),    QStringLiteral("FROGGER=Frogger"),
    QStringLiteral("DELTA=Delta Force"), QStringLiteral("GALAGA=Galaga"),
    QStringLiteral("XEVIOUS=Xevious"),   QStringLiteral("BOSCO=Bosconian"),
    QStringLiteral("MAPPY=Mappy"),       QStringLiteral("=Nameless"),
    QStringLiteral("DKONG=Donkey Kong"),
};
constexpr int kDeltaLine = 5;  // the game whose ROM TFStatus asks about

// ARC lists every kind of game: found, a clone taking its parent's ROM, a
// ROM directory, missing, two candidates, a line naming nothing; SHR lists
// one of them again and one of its own.
void writePaceInstallation(ListBuildInstallation& b) {
    b.writeDefinition(QStringLiteral("ARC"), kArcade, QStringLiteral("MULTI"),
                      {QStringLiteral("Extensions=rom"), QStringLiteral("[Resolutions]"),
                       QStringLiteral("640x480=-res 640"), QStringLiteral("[Joystick]")});
    b.writeDefinition(QStringLiteral("SHR"), kShared, QStringLiteral("MULTI"));
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\ARC.lst"),
                 QStringList{QStringLiteral("[Games]")} + kArcadeGames);
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\ARC.MRG"),
                 {QStringLiteral("[Merged]"), QStringLiteral("PUCKMAN=PACMAN")});
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\SHR.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("pacman=Pac-Man"),
                  QStringLiteral("RALLYX=Rally-X")});
    b.writeFile(QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    b.writeFile(QStringLiteral("C:\\EMU\\SHR\\SHR.EXE"));
    for (const char* rom : {"PACMAN.ZIP", "GALAGA.ROM", "XEVIOUS.ZIP", "BOSCO.ZIP", "MAPPY.ZIP",
                            "DKONG.ZIP", "OLD\\DELTA.ZIP", "NEW\\DELTA.ZIP", "RALLYX.ZIP"}) {
        b.writeFile(u"D:\\ROMS\\" + QString::fromLatin1(rom));
    }
    for (int i = 0; i < 4; ++i) {
        b.writeFile(QStringLiteral("C:\\EMU\\ARC\\DIGDUG\\PART%1.BIN").arg(i));
    }
    b.writeExistingStore();
}

void answerDeltaWithSecondFile(ListBuildInstallation& b) {
    b.inst.dialogs.answerDialog(mrOk, [](QObject& status) {
        control<QListWidget>(status, QStringLiteral("LBROMList")).setCurrentRow(1);
    });
}

// The store less the pace itself, which is what differs on purpose.
QStringList storeWithoutPace(ListBuildInstallation& b) {
    QStringList dump = StoreDump::lines(b.inst.storeFile());
    dump.removeIf([](const QString& line) { return line.contains(u"| Fast List Build |"); });
    return dump;
}

}  // namespace

TEST(ListBuildPace, FastPaceLeavesTheStoreOfOneGamePerTick) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt());
    QStringList stores[2];
    int ticks[2] = {0, 0};
    for (const bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "fast" : "one game per tick");
        ListBuildInstallation b;
        writePaceInstallation(b);
        TFMain& main = b.start();
        auto& progress = control<QProgressBar>(main, QStringLiteral("StatusProgressBar"));
        b.updateGameList({kArcade, kShared}, fast);
        answerDeltaWithSecondFile(b);

        // The first tick reads the list file and handles the first game, or,
        // at the fast pace, every game up to the one TFStatus asks about.
        b.listBuild().Timer1Timer();
        const int handled = b.listBuild().State().Timer1Tag;
        EXPECT_EQ(handled, fast ? kDeltaLine : 1);
        const QString game = kArcadeGames[handled - 1];
        EXPECT_EQ(labelText(main, QStringLiteral("LSn")), game.section(u'=', 0, 0));
        EXPECT_EQ(labelText(main, QStringLiteral("StatusText")), game.section(u'=', 1));
        EXPECT_FALSE(progress.isHidden());
        // The reader passes over the nameless line: it is no game.
        EXPECT_EQ(
            progress.text(),
            kArcade + QStringLiteral(": game %1 of %2").arg(handled).arg(kArcadeGames.size() - 1));
        EXPECT_EQ(b.inst.dialogs.pending(), fast ? 0u : 1u);

        ticks[fast] = 1 + b.finishTicks();
        EXPECT_FALSE(b.listBuild().IsRunning());
        EXPECT_TRUE(progress.isHidden());
        EXPECT_EQ(b.value(QStringLiteral("Delta Force"), QStringLiteral("Location")),
                  QStringLiteral("D:\\ROMS\\OLD\\DELTA.ZIP"));
        EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Emulator1")),
                  QStringLiteral("SHR"));
        SettingsStore root(b.inst.database());
        ASSERT_TRUE(root.OpenKey(StorePaths::Root(), false));
        EXPECT_EQ(root.ReadInteger(QStringLiteral("Fast List Build")), fast ? 1 : 0);
        stores[fast] = storeWithoutPace(b);
    }
    EXPECT_EQ(stores[true], stores[false]);
    // One tick per game and one more per emulator, against a few.
    EXPECT_GE(ticks[false], int(kArcadeGames.size()) + 2);
    EXPECT_LE(ticks[true], 5);
}

TEST(ListBuildPace, StopListBuildKeepsTheGamesHandledSoFar) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt());
    ListBuildInstallation b;
    writePaceInstallation(b);
    TFMain& main = b.start();
    QAction& stop = menuItem(main, QStringLiteral("StopListBuild1"));
    EXPECT_FALSE(stop.isEnabled());
    b.updateGameList({kArcade, kShared});
    b.listBuild().Timer1Timer();
    b.listBuild().Timer1Timer();
    EXPECT_TRUE(stop.isEnabled());

    stop.trigger();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_FALSE(stop.isEnabled());
    EXPECT_EQ(b.value(QStringLiteral("Puck Man"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("Dig Dug"), QStringLiteral("Location")),
              QStringLiteral("<no entry>"));
    EXPECT_FALSE(b.entryExists(kShared));
    // The lists show what the store holds.
    EXPECT_EQ(listBox(main, QStringLiteral("LBArcade")).items(),
              (QStringList{kArcade, QStringLiteral("Pac-Man"), QStringLiteral("Puck Man")}));
    EXPECT_EQ(statusText(main), QStringLiteral("2 of 2 games found; list build stopped"));
}
