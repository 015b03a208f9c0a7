// Whole list builds with MAME-type stand-in emulators: the emulator prints
// its lists through Execute.bat, run by the real interpreter, and the build
// converts and reads them.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>

#include "context/Accessors.h"
#include "settings/KeyPath.h"
#include "support/StandIn.h"
#include "support/Text.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kMame = QStringLiteral("MAME {Test}");
const QString kMednes = QStringLiteral("Mednafen NES {The Mednafen Team}");

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

// As a fresh installation with Debian's emulators: the console emulator's
// list is not made yet, and with no list file at all its ID puts it first.
TEST(ListBuildMame, AConsoleWithoutItsListIsLeftOutAtOnceAndMameBuiltAtBothPaces) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt());
    for (const bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "fast" : "one game per tick");
        ListBuildInstallation b;
        b.writeDefinition(q("MAME"), kMame, q("MAME"));
        ASSERT_TRUE(QFile::copy(q(BRIVANEL_EMULATORS_DIR "/mednes.ini"),
                                b.inst.host(q("C:\\BRIVANEL\\mednes.ini"))));
        b.writeFile(q("C:\\BRIVANEL\\MEDNES\\MEDNES.EXE"));
        writeMameStandIn(
            b, {q("name      description"), q("pacman    \"Pac-Man\""), q("galaga    \"Galaga\"")},
            {q("Name:    Clone of:")}, q("\\n"));
        b.writeFile(q("D:\\ROMS\\PACMAN.ZIP"));
        b.answerSearchOptions({kMame, kMednes}, fast);
        TFMain& main = b.start();  // the first start: no store yet
        ASSERT_EQ(b.emulators().at(1).lbName, kMednes);

        b.finishTicks();
        EXPECT_FALSE(b.listBuild().IsRunning());
        EXPECT_TRUE(b.inst.exitCodes.isEmpty());
        EXPECT_TRUE(b.inst.dialogs.messages().isEmpty())
            << b.inst.dialogs.messages().join(u'|').toStdString();
        EXPECT_EQ(b.value(q("Pac-Man"), q("Location")), q("D:\\ROMS\\PACMAN.ZIP"));
        EXPECT_EQ(b.value(q("Galaga"), q("Location")), q("#"));
        EXPECT_TRUE(listBox(main, q("LBArcade")).items().contains(q("Pac-Man")));
        // Registered, as its executable was found; the next build tries its list again.
        EXPECT_EQ(b.value(kMednes, q("Emulator")), q("MEDNES"));
        EXPECT_EQ(statusText(main),
                  q("1 of 2 games found; left out for want of a game list: NES.lst "
                    "(brivanel-makelist makes one from a folder of ROMs)"));
    }
}

TEST(ListBuildMame, AConsoleWithoutItsListNeitherWaitsNorCloses) {
    ListBuildInstallation b;
    ASSERT_TRUE(QFile::copy(q(BRIVANEL_EMULATORS_DIR "/mednes.ini"),
                            b.inst.host(q("C:\\BRIVANEL\\mednes.ini"))));
    b.writeFile(q("C:\\BRIVANEL\\MEDNES\\MEDNES.EXE"));
    b.answerSearchOptions({kMednes});
    TFMain& main = b.start();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_FALSE(menuItem(main, q("StopListBuild1")).isEnabled());
    b.inst.clock.advance(0.001);
    b.listBuild().Timer1Timer();  // a tick that came late changes nothing
    EXPECT_TRUE(b.inst.exitCodes.isEmpty());
    EXPECT_TRUE(b.inst.dialogs.messages().isEmpty());
    // D:, searched too, holds nothing.
    EXPECT_EQ(statusText(main),
              q("0 of 0 games found; nothing found on D:; left out for want of a game list: "
                "NES.lst (brivanel-makelist makes one from a folder of ROMs)"));
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

// The recorded lists of 2,000 of MAME 0.251's systems: 258 of them are
// devices and 4 BIOS sets, which get no entry; the rest are listed, the
// mechanical ones until they are hidden, and a game shows MAME's facts.
TEST(ListBuildMame, MachineFactsDecideWhatIsListedAndWhatAGameShows) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt())
        << qPrintable(TempInstallation::batchInterpreter());
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("MAME"), kMame, QStringLiteral("MAME"));
    const QString data = QStringLiteral(BRIVANEL_BENCH_DATA "/mame0251-excerpt-");
    QString body = QStringLiteral("case \"$1\" in\n");
    for (const char* list : {"listfull.txt", "listclones.txt", "listxml.xml"}) {
        body += u"-" + QString::fromLatin1(list).section(u'.', 0, 0) + u") exec gzip -dc " +
                StandIn::shellQuoted(data + QString::fromLatin1(list) + u".gz") + u" ;;\n";
    }
    b.writeStandIn(QStringLiteral("C:\\EMU\\MAME\\MAME.EXE"), body + u"esac\nexit 1");
    b.writeFile(QStringLiteral("D:\\ROMS\\pong.zip"));
    b.writeExistingStore();
    b.start();
    b.updateGameList({kMame}, true);
    b.finishTicks();
    ASSERT_FALSE(b.listBuild().IsRunning());

    const QString pong = QStringLiteral("Pong (Rev E) [TTL]");
    const QString pinball = QStringLiteral("[ 24 v1.40 ]");
    {
        SettingsStore root(b.inst.database());
        root.OpenKey(StorePaths::Root(), false);
        EXPECT_EQ(root.GetKeyNames().size(), 2000 - 258 - 4 + 1);  // and the emulator's own
    }
    EXPECT_FALSE(b.entryExists(QStringLiteral("1-Bit DAC")));
    EXPECT_FALSE(b.entryExists(QStringLiteral("NAOMI 2 BIOS")));
    EXPECT_EQ(b.value(pong, QStringLiteral("Year")), QStringLiteral("1972"));
    EXPECT_TRUE(listBox(b.main(), QStringLiteral("LBArcade")).items().contains(pinball));

    for (int run = 0; run < 2; ++run) {
        TFMain& main = run == 0 ? b.main() : b.start();
        selectItem(listBox(main, QStringLiteral("LBArcade")), pong);
        EXPECT_EQ(labelText(main, QStringLiteral("LFacts")), QStringLiteral("1972, Atari"));
        EXPECT_TRUE(control<QLabel>(main, QStringLiteral("LFacts")).isVisibleTo(&main));
        if (run == 0) {
            menuItem(main, QStringLiteral("HideMechanical1")).trigger();
        }
        // Hidden, and still hidden after a restart.
        EXPECT_FALSE(listBox(main, QStringLiteral("LBArcade")).items().contains(pinball)) << run;
        EXPECT_TRUE(menuItem(main, QStringLiteral("HideMechanical1")).isChecked());
        b.closeMain();
    }
}

// An emulator whose -listxml never ends: the games wait for it while the
// list is there, past the list file's own time-out, then go on without.
TEST(ListBuildMame, FactsThatNeverComeHoldTheGamesOnlySoLong) {
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt())
        << qPrintable(TempInstallation::batchInterpreter());
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("MAME"), kMame, QStringLiteral("MAME"));
    b.writeStandIn(QStringLiteral("C:\\EMU\\MAME\\MAME.EXE"),
                   QStringLiteral("case \"$1\" in\n-listxml) exec sleep 30 ;;\n"
                                  "-listfull) printf 'name description\\npong \"Pong\"\\n' ;;\n"
                                  "-listclones) echo 'name clone of' ;;\nesac"));
    b.writeExistingStore();
    b.start();
    b.updateGameList({kMame});
    b.runRecordedScripts();
    ListBuildController& build = b.listBuild();
    ASSERT_TRUE(build.IsReadingFacts());
    // Past the list file's 0.0004 days and near the facts' 0.002: still waiting.
    for (const double days : {0.0005, 0.0014}) {
        b.inst.clock.advance(days);
        build.Timer1Timer();
        EXPECT_EQ(build.State().Timer1Tag, 0) << days;
        EXPECT_TRUE(build.IsRunning()) << days;
    }
    b.inst.clock.advance(0.0002);
    b.finishTicks();
    EXPECT_FALSE(build.IsReadingFacts());
    EXPECT_EQ(b.value(QStringLiteral("Pong"), QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(b.value(QStringLiteral("Pong"), QStringLiteral("Year")), QStringLiteral("<none>"));
    EXPECT_TRUE(b.inst.dialogs.messages().isEmpty())
        << b.inst.dialogs.messages().join(u'|').toStdString();
}
