// A new user with Debian's mame: the installation into a home of its own,
// the first start, a fast build of MAME's whole list, the tools found by the
// drive search, and a game played in the real MAME through the installed
// launcher with the shipped definition's options, counted when Brivanel
// comes back after more than 30.24 seconds on its clock; then a play that
// MAME fails, shown when the program comes back. The build reads MAME's
// facts: no device or BIOS set is listed, and Pong shows its year and maker.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <csignal>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>

#include "launch/mame/ShippedEmulators.h"
#include "settings/KeyPath.h"
#include "support/StandIn.h"
#include "support/Text.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kMameBinary = q("/usr/games/mame");
const QString kMame = q("MAME {The MAME Team}");
const QString kPong = q("Pong (Rev E) [TTL]");
const QString kBreakout = q("Breakout [TTL]");
// C: is the home, as it is without a drive map; the installer's program folder lies in it.
const QString kProgramFolder = q(".local/share/brivanel");

// The systems a build lists: MAME's own count of its full names, less its
// devices and BIOS sets, read from its output line by line apart from the
// build's reader.
qsizetype listedSystems() {
    QProcess xml;
    xml.start(kMameBinary, {q("-listxml")});
    static const QRegularExpression machine(q(R"re(<machine name="([^"]+)"([^>]*)>)re"));
    QSet<QString> unlisted;
    const auto readLines = [&] {
        while (xml.canReadLine()) {
            const QString line = QString::fromUtf8(xml.readLine());
            const QRegularExpressionMatch m = machine.match(line);
            if (m.hasMatch() && (m.captured(2).contains(q("isdevice=\"yes\"")) ||
                                 m.captured(2).contains(q("isbios=\"yes\"")) ||
                                 m.captured(2).contains(q("runnable=\"no\"")))) {
                unlisted.insert(m.captured(1));
            }
        }
    };
    while (xml.waitForReadyRead(300000)) {
        readLines();
    }
    readLines();
    QProcess full;
    full.start(kMameBinary, {q("-listfull")});
    full.waitForFinished(300000);
    QSet<QString> names;
    for (const QString& row : QString::fromUtf8(full.readAllStandardOutput()).split(u'\n').mid(1)) {
        if (!row.isEmpty() && !unlisted.contains(row.section(u' ', 0, 0))) {
            names.insert(row.section(u'"', 1, -2).toCaseFolded());
        }
    }
    EXPECT_GT(unlisted.size(), 5000);
    return names.size();
}

bool countExists(TempInstallation& inst) {
    SettingsStore store(inst.database());
    return store.OpenKey(StorePaths::Entry(kPong), false) && store.ValueExists(q("Count"));
}

}  // namespace

TEST(FirstStartWithDebianMame, InstallBuildFastAndPlayPong) {
    if (!QFileInfo(kMameBinary).isExecutable()) {
        GTEST_SKIP() << "Debian's mame is not installed";
    }
    ListBuildInstallation b(kProgramFolder);
    TempInstallation& inst = b.inst;
    const QProcessEnvironment env = ShippedEmulatorRun::HomeEnvironment(inst);
    ASSERT_EQ(ShippedEmulatorRun::InstallIntoHome(env), QString());
    const QString programDir = u"C:\\" + QString(kProgramFolder).replace(u'/', u'\\') + u'\\';
    ASSERT_TRUE(inst.fs().exists(programDir + u"mame.ini"));
    ASSERT_TRUE(QFileInfo(inst.host(programDir + u"MAME\\MAME.EXE")).isExecutable());

    for (const QString& set : {q("pong"), q("breakout")}) {
        inst.writeFile(q("C:\\src\\readme.txt"), "needs no ROM data\n");
        inst.mkdir(q("C:\\My ROMs"));
        ASSERT_EQ(QProcess::execute(q("zip"),
                                    {q("-j"), q("-q"), inst.host(u"C:\\My ROMs\\" + set + u".zip"),
                                     inst.host(q("C:\\src\\readme.txt"))}),
                  0);
    }

    // The first start: no store yet. The dialog offers MAME (and the other
    // emulators installed here); the fast pace is chosen.
    QStringList offered;
    inst.dialogs.answerDialog(mrOk, [&offered](QObject& dialog) {
        auto& yes = control<QListWidget>(dialog, q("LBYes"));
        auto& no = control<QListWidget>(dialog, q("LBNo"));
        // Shown as the build shows it, which fills the lists.
        static_cast<QWidget&>(dialog).show();
        static_cast<QWidget&>(dialog).hide();
        for (QListWidget* list : {&yes, &no}) {
            for (int i = 0; i < list->count(); ++i) {
                offered << list->item(i)->text();
            }
        }
        // Every emulator, as a new user does: the consoles have no list yet
        // and are left out at once, MAME is built.
        control<QPushButton>(dialog, q("BAddAll")).click();
        control<QLineEdit>(dialog, q("ESearchDrives")).setText(q("C:"));
        control<QCheckBox>(dialog, q("CBFastListBuild")).setChecked(true);
    });
    TFMain* main = &b.start();
    b.finishTicks();
    EXPECT_TRUE(offered.contains(kMame)) << offered.join(u'|').toStdString();
    EXPECT_GT(b.listBuild().State().ListBuildIndex, 0);
    GameListWidget& arcade = listBox(*main, q("LBArcade"));
    EXPECT_TRUE(arcade.items().contains(kBreakout));
    ASSERT_TRUE(arcade.items().contains(kPong));
    EXPECT_EQ(b.value(kPong, q("Location")), q("C:\\MY ROMS\\PONG.ZIP"));
    EXPECT_EQ(b.value(kBreakout, q("Location")), q("C:\\MY ROMS\\BREAKOUT.ZIP"));
    EXPECT_EQ(b.value(kMame, q("Location")).toUpper(), (programDir + u"MAME\\MAME.EXE").toUpper());
    EXPECT_TRUE(inst.exitCodes.isEmpty());
    // The first start stored the ZIP tools its search found in the program folder.
    EXPECT_EQ(b.rootValue(q("PKUNZIP Path")).toUpper(), (programDir + u"PKUNZIP.EXE").toUpper());
    // Every system of MAME's list that can be played has its entry, most
    // of them missing; its devices and BIOS sets have none.
    EXPECT_EQ(b.value(q("Galaxian (Coleco)"), q("Location")), q("#"));
    EXPECT_FALSE(b.entryExists(q("1-Bit DAC")));
    EXPECT_FALSE(arcade.items().contains(q("[ 1-Bit DAC ]")));
    {
        SettingsStore root(inst.database());
        root.OpenKey(StorePaths::Root(), false);
        // Less the emulators' own entries: every one chosen is registered.
        EXPECT_EQ(root.GetKeyNames().size() - b.emulators().count(), listedSystems());
    }

    // The drive search finds the installed ZIP tools in the hidden program folder.
    inst.dialogs.answerDialog(
        mrOk, [](QObject& dialog) { control<QPushButton>(dialog, q("BSearchDrives")).click(); });
    menuItem(*main, q("Locations1")).trigger();
    EXPECT_EQ(shownLocations(inst, *main).pkunzip.toUpper(),
              (programDir + u"PKUNZIP.EXE").toUpper());

    selectItem(arcade, kPong);
    EXPECT_EQ(labelText(*main, q("LFacts")), q("1972, Atari"));
    // The installed key help names MAME's common keys.
    QString keys;
    inst.dialogs.answerDialog(mrOk, [&keys](QObject& dialog) {
        keys = control<QPlainTextEdit>(dialog, q("MKeys")).toPlainText();
    });
    menuItem(*main, q("Keys1")).trigger();
    for (const char* key : {"Insert a coin             5", "Start                     1",
                            "Pause and go on           P", "Menu                      Tab",
                            "Quit (back to Brivanel)   Escape", "Snapshot                  F12"}) {
        EXPECT_TRUE(keys.contains(q(key))) << key << " in " << keys.toStdString();
    }
    control<QLineEdit>(*main, q("EAdditional"))
        .setText(q("-window -video none -sound none -seconds_to_run 32"));
    const LaunchCount launches(*main);
    control<QPushButton>(*main, q("BPlay")).click();
    ASSERT_EQ(launches.count(), 1);
    const QStringList script =
        QString::fromUtf8(inst.readFile(programDir + u"Execute.bat")).split(q("\r\n"));
    const QString command = script.filter(q(" pong ")).value(0);
    EXPECT_TRUE(command.startsWith(q("start /w "))) << command.toStdString();
    for (const char* option :
         {" -nowindow -resolution auto", " -nowaitvsync", " -joystick ", " -nomouse",
          " -trackball_device keyboard", " -joystick_map auto", " -nocheat", " -video opengl",
          " -sound auto -samplerate 48000", " -rotate -noror -norol ",
          " -noautoframeskip -frameskip 0", " -skip_gameinfo", " -seconds_to_run 32"}) {
        EXPECT_TRUE(command.contains(q(option))) << option << " in " << command.toStdString();
    }
    // Launched now, on the real clock that the restarted program reads.
    SystemClock realClock;
    inst.clock.set(realClock.now());
    b.closeMain();

    // The script the last Play started, run as the starter would, in the test's home.
    const auto startLastScript = [&inst, &env](QProcess& batch) {
        const RecordingProcessStarter::Start& run = inst.starter.starts().back();
        batch.setProcessEnvironment(env);
        batch.setWorkingDirectory(run.workingFolder);
        batch.setStandardInputFile(QProcess::nullDevice());
        batch.start(run.program, run.arguments);
    };
    QProcess batch;
    startLastScript(batch);
    const QString restartedProgram = inst.host(programDir + u"brivanel");
    EXPECT_TRUE(StandIn::waitUntil([&] { return countExists(inst); }, 300000));
    const pid_t restarted = pid_t(StandIn::runningProgram(restartedProgram));
    ASSERT_NE(restarted, 0) << "the restart line did not start the program";
    ::kill(restarted, SIGTERM);
    ASSERT_TRUE(batch.waitForFinished(120000));
    const QString log = QString::fromUtf8(inst.readFile(programDir + u"Execute.log"));
    EXPECT_EQ(batch.exitCode(), 0) << log.toStdString();

    SettingsStore store(inst.database());
    ASSERT_TRUE(store.OpenKey(StorePaths::Entry(kPong), false));
    EXPECT_EQ(store.ReadInteger(q("Count")), 1);
    // MAME ran in its folder and kept its configuration there.
    EXPECT_TRUE(inst.fs().exists(programDir + u"MAME\\cfg\\pong.cfg")) << log.toStdString();
    EXPECT_FALSE(inst.fs().exists(programDir + u"MAME\\ROMS\\pong"));
    SettingsStore root(inst.database());
    root.OpenKey(StorePaths::Root(), false);
    EXPECT_FALSE(root.ValueExists(q("Launched Line")));  // the restarted program looked

    // The user gives the definition a controller of their own whose file MAME
    // does not have, chooses it and plays: MAME fails, and the window that
    // comes back says so. It is this test's window: the script's restart
    // line finds no program to start.
    QStringList definition =
        QString::fromUtf8(inst.readFile(programDir + u"mame.ini")).split(q("\n"));
    const qsizetype controllers = definition.indexOf(q("[Controller1]"));
    ASSERT_GT(controllers, 0);
    definition.insert(controllers + 1, q("My stick=-ctrlr mystick"));
    inst.writeFile(programDir + u"mame.ini", definition.join(u'\n').toUtf8());
    main = &b.start();
    selectItem(listBox(*main, q("LBArcade")), kPong);
    auto& controller = control<QComboBox>(*main, q("CBController1"));
    controller.setCurrentIndex(controller.findText(q("My stick")));
    ASSERT_GE(controller.currentIndex(), 0);
    control<QLineEdit>(*main, q("EAdditional"))
        .setText(q("-window -video none -sound none -seconds_to_run 5"));
    const LaunchCount failingLaunches(*main);
    control<QPushButton>(*main, q("BPlay")).click();
    ASSERT_EQ(failingLaunches.count(), 1);
    b.closeMain();
    QFile program(restartedProgram);
    const QFile::Permissions runnable = program.permissions();
    ASSERT_TRUE(program.setPermissions(
        runnable & ~(QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther | QFile::ExeUser)));
    QProcess failingBatch;
    startLastScript(failingBatch);
    const bool ended = failingBatch.waitForFinished(120000);
    program.setPermissions(runnable);
    ASSERT_TRUE(ended);
    main = &b.start();
    const auto& notice = control<QLabel>(*main, q("StatusNotice"));
    EXPECT_TRUE(notice.isVisibleTo(main));
    EXPECT_EQ(notice.text(),
              u'"' + kPong +
                  u"\": the emulator failed (exit status 3): Fatal error: Could not load "
                  u"controller configuration file mystick.cfg")
        << QString::fromUtf8(inst.readFile(programDir + u"Execute.log")).toStdString();
}
