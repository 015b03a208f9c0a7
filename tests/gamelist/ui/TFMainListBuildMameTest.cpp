// Whole list builds with MAME-type stand-in emulators: the emulator prints
// its lists through Execute.bat, run by the real interpreter, and the build
// converts and reads them.
#include <gtest/gtest.h>

#include "context/Accessors.h"
#include "support/StandIn.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kMame = QStringLiteral("MAME {Test}");

QString printLines(const QStringList& lines, const QString& ending) {
    QString command = u"printf '%s" + ending + u"'";
    for (const QString& line : lines) {
        command += u' ' + StandIn::shellQuoted(line);
    }
    return command;
}

// A stand-in that prints `full` for -listfull and `clones` for -listclones.
void writeMameStandIn(ListBuildInstallation& b, const QStringList& full, const QStringList& clones,
                      const QString& ending) {
    b.writeStandIn(QStringLiteral("C:\\EMU\\MAME\\MAME.EXE"),
                   u"case \"$1\" in\n-listfull) " + printLines(full, ending) +
                       u" ;;\n-listclones) " + printLines(clones, ending) + u" ;;\nesac");
}

QString padded(const QString& name, int width) {
    return name.leftJustified(width, u' ');
}

}  // namespace

TEST(ListBuildMame, OldFormatOutput) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt())
        << qPrintable(TempInstallation::batchInterpreter());
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("MAME"), kMame, QStringLiteral("MAME"));
    // Old emulators print DOS line ends.
    writeMameStandIn(
        b,
        {QStringLiteral("name      description"), QStringLiteral("pacman    \"Pac-Man (Midway)\""),
         QStringLiteral("puckman   \"PuckMan (Japan)\""), QStringLiteral("galaxian  \"Galaxian\"")},
        {QStringLiteral("Name:    Clone of:"), QStringLiteral("puckman  pacman")},
        QStringLiteral("\\r\\n"));
    b.writeFile(QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    for (int i = 0; i < 4; ++i) {
        b.writeFile(QStringLiteral("C:\\EMU\\MAME\\GALAXIAN\\GX%1.BIN").arg(i));
    }
    // Lists of an earlier build, read-only: they must not pass for the new ones.
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.LST"),
                 {QStringLiteral("[Games]"), QStringLiteral("stale=Stale")});
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.MRG"), {QStringLiteral("[Merged]")});
    b.inst.fs().setReadOnly(QStringLiteral("C:\\BRIVANEL\\MAME.LST"), true);
    b.writeExistingStore();
    TFMain& main = b.start();

    b.updateGameList({kMame});
    EXPECT_FALSE(b.inst.fs().exists(QStringLiteral("C:\\BRIVANEL\\MAME.LST")));
    EXPECT_FALSE(b.inst.fs().exists(QStringLiteral("C:\\BRIVANEL\\MAME.MRG")));
    EXPECT_EQ(b.inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.bat")),
              QByteArray("C:\\EMU\\MAME\\MAME.EXE -listclones > C:\\BRIVANEL\\MAME.!!!\r\n"
                         "ren C:\\BRIVANEL\\MAME.!!! MAME.MRG\r\n"
                         "C:\\EMU\\MAME\\MAME.EXE -listfull > C:\\BRIVANEL\\MAME.!!!\r\n"
                         "ren C:\\BRIVANEL\\MAME.!!! MAME.LST\r\n"));
    ASSERT_EQ(b.inst.starter.starts().size(), 1u);
    EXPECT_TRUE(b.inst.starter.starts()[0].arguments.contains(QStringLiteral("minimised")));
    EXPECT_TRUE(b.listBuild().IsRunning());

    b.ticksToLastGame();
    // The games went into the list box of the emulator's page as they were handled.
    EXPECT_EQ(&currentList(main), &listBox(main, QStringLiteral("LBArcade")));
    EXPECT_EQ(b.listItems(),
              (QStringList{QStringLiteral("Galaxian"), kMame, QStringLiteral("Pac-Man (Midway)"),
                           QStringLiteral("PuckMan (Japan)")}));
    EXPECT_EQ(selectedItem(currentList(main)), QStringLiteral("Galaxian"));
    b.finishTicks();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_TRUE(b.inst.exitCodes.isEmpty());
    EXPECT_EQ(
        b.inst.readFile(QStringLiteral("C:\\BRIVANEL\\MAME.LST")),
        QByteArray("[Games]\r\npacman   =\"Pac-Man (Midway)\"\r\npuckman  =\"PuckMan (Japan)\"\r\n"
                   "galaxian =\"Galaxian\"\r\n"));
    EXPECT_EQ(b.inst.readFile(QStringLiteral("C:\\BRIVANEL\\MAME.MRG")),
              QByteArray("[Merged]\r\npuckman =pacman\r\n"));
    EXPECT_EQ(ParentName(b.inst.context(), b.emulators().at(1), QStringLiteral("PUCKMAN")),
              QStringLiteral("pacman"));

    EXPECT_EQ(b.value(QStringLiteral("Pac-Man (Midway)"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man (Midway)"), QStringLiteral("Shortname")),
              QStringLiteral("pacman"));
    // The clone has no ROM of its own and takes its parent's.
    EXPECT_EQ(b.value(QStringLiteral("PuckMan (Japan)"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("PuckMan (Japan)"), QStringLiteral("Shortname")),
              QStringLiteral("puckman"));
    EXPECT_EQ(b.value(QStringLiteral("Galaxian"), QStringLiteral("Location")),
              QStringLiteral("Dir"));
    EXPECT_FALSE(b.entryExists(QStringLiteral("Stale")));
    // At the end the lists were rebuilt from the store.
    EXPECT_TRUE(listBox(main, QStringLiteral("LBArcade"))
                    .items()
                    .contains(QStringLiteral("PuckMan (Japan)")));
}

TEST(ListBuildMame, CurrentFormatWithLongNames) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt())
        << qPrintable(TempInstallation::batchInterpreter());
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("MAME"), kMame, QStringLiteral("MAME"));
    const QString longClone = QStringLiteral("pacmanbootlegversion2");
    const QString longest = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345");
    writeMameStandIn(
        b,
        {padded(QStringLiteral("Name:"), 18) + QStringLiteral("Description:"),
         padded(QStringLiteral("pacman"), 18) + QStringLiteral("\"Pac-Man (Midway)\""),
         padded(longClone, 22) + QStringLiteral("\"Puck \"Man\" (bootleg, Français)\""),
         padded(QStringLiteral("mspacman"), 18) + QStringLiteral("\"Ms. Pac-Man\""),
         longest + QStringLiteral(" \"Thirty-two Ⅱ\"")},
        {padded(QStringLiteral("Name:"), 17) + QStringLiteral("Clone of:"),
         padded(longClone, 22) + QStringLiteral("pacman"),
         padded(QStringLiteral("mspacman"), 17) + QStringLiteral("pacman"),
         longest + QStringLiteral(" mspacman")},
        QStringLiteral("\\n"));
    b.writeFile(QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    b.writeFile(QStringLiteral("D:\\ROMS\\MSPACMAN.ZIP"));
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({kMame});
    b.finishTicks();
    EXPECT_FALSE(b.listBuild().IsRunning());

    EXPECT_EQ(
        b.value(QStringLiteral("Puck \"Man\" (bootleg, Français)"), QStringLiteral("Shortname")),
        longClone);
    EXPECT_EQ(
        b.value(QStringLiteral("Puck \"Man\" (bootleg, Français)"), QStringLiteral("Location")),
        QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("Ms. Pac-Man"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\MSPACMAN.ZIP"));
    // The longest name falls back to its parent mspacman, not to a cut name.
    EXPECT_EQ(b.value(QStringLiteral("Thirty-two Ⅱ"), QStringLiteral("Shortname")), longest);
    EXPECT_EQ(b.value(QStringLiteral("Thirty-two Ⅱ"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\MSPACMAN.ZIP"));
    EXPECT_EQ(listBox(main, QStringLiteral("LBArcade")).count(), 5);
}

TEST(ListBuildMame, EmulatorPrintingNothingGivesNoGames) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt())
        << qPrintable(TempInstallation::batchInterpreter());
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("MAME"), kMame, QStringLiteral("MAME"));
    b.writeStandIn(QStringLiteral("C:\\EMU\\MAME\\MAME.EXE"), QStringLiteral("exit 0"));
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({kMame});
    b.finishTicks();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_EQ(b.inst.readFile(QStringLiteral("C:\\BRIVANEL\\MAME.LST")), QByteArray("[Games]\r\n"));
    EXPECT_EQ(b.inst.readFile(QStringLiteral("C:\\BRIVANEL\\MAME.MRG")),
              QByteArray("[Merged]\r\n"));
    EXPECT_EQ(listBox(main, QStringLiteral("LBArcade")).items(), QStringList{kMame});
}

// No list can come from a script that did not start: the build says why at
// once and goes on, instead of waiting half a minute and ending the program.
TEST(ListBuildMame, AListRequestThatCannotStartEndsAtOnceWithItsMessage) {
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("MAME"), kMame, QStringLiteral("MAME"));
    b.writeStandIn(QStringLiteral("C:\\EMU\\MAME\\MAME.EXE"), QStringLiteral("exit 0"));
    b.writeExistingStore();
    TFMain& main = b.start();
    b.inst.starter.refuse(TempInstallation::batchInterpreter());
    b.updateGameList({kMame});
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_EQ(b.inst.dialogs.messages(),
              QStringList{u"The game list of \"" + kMame +
                          u"\" cannot be requested: C:\\BRIVANEL\\Execute.bat could not be "
                          u"started: the script interpreter " +
                          TempInstallation::batchInterpreter() + u" did not start."});
    EXPECT_TRUE(b.inst.exitCodes.isEmpty());
    EXPECT_EQ(listBox(main, QStringLiteral("LBArcade")).items(), QStringList{kMame});
}
