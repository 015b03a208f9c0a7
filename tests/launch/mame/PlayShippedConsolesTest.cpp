// A game played through the window with each console emulator the installer
// ships definitions for: the installed definition, launcher and
// brivanel-makelist, a cartridge the test makes, Play, the script run by the
// real interpreter with the installed PKUNZIP, the real emulator started on
// the unpacked ROM, and the play counted when Brivanel is back.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <csignal>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>

#include "launch/mame/ShippedEmulators.h"
#include "settings/KeyPath.h"
#include "support/StandIn.h"
#include "support/Text.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

// C: is the home; the installer's program folder lies in it.
const QString kProgramFolder = q(".local/share/brivanel");
const QString kProgramDir = q("C:\\.local\\share\\brivanel\\");

struct Console {
    const char* program;
    const char* definition;
    const char* lbName;
    const char* romFolder;  // below C:
    const char* romFile;
    QByteArray (*rom)();
    const char* additional;  // the game's Additional Options
    const char* list;        // the choice of Controller 1, when not the first
    const char* loaded;      // what the emulator prints once the game runs
    const char* keys;        // a line of its key help
    QStringList options;     // words its command line must hold
};

// The process of `program` started for this installation, with its arguments.
QStringList commandLineOf(const QString& program, const QString& installation, qint64* pid) {
    for (const QString& entry : QDir(q("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 found = entry.toLongLong(&isPid);
        if (!isPid || QFile::symLinkTarget(u"/proc/" + entry + u"/exe") != program) {
            continue;
        }
        QFile cmdline(u"/proc/" + entry + u"/cmdline");
        if (!cmdline.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QStringList words = QString::fromLocal8Bit(cmdline.readAll()).split(u'\0');
        if (words.join(u' ').contains(installation)) {
            *pid = found;
            return words.mid(0, words.size() - 1);
        }
    }
    return {};
}

bool countExists(TempInstallation& inst, const QString& game) {
    SettingsStore store(inst.database());
    return store.OpenKey(StorePaths::Entry(game), false) && store.ValueExists(q("Count"));
}

void playOnce(const Console& c) {
    const QString program = q(c.program);
    if (!QFileInfo(program).isExecutable()) {
        GTEST_SKIP() << c.program << " is not installed";
    }
    ListBuildInstallation b(kProgramFolder);
    TempInstallation& inst = b.inst;
    const QProcessEnvironment env = ShippedEmulatorRun::HomeEnvironment(inst);
    ASSERT_EQ(ShippedEmulatorRun::InstallIntoHome(env), QString());

    // The ROM as users name theirs, and its list made by the installed command.
    const QString romDir = u"C:\\" + q(c.romFolder);
    inst.writeFile(romDir + u'\\' + q(c.romFile), c.rom());
    QProcess makelist;
    makelist.setProcessEnvironment(env);
    makelist.setProcessChannelMode(QProcess::MergedChannels);
    makelist.start(inst.host(kProgramDir + u"brivanel-makelist"),
                   {q("--emulator"), q(c.definition), inst.host(romDir)});
    ASSERT_TRUE(makelist.waitForFinished(60000));
    ASSERT_EQ(makelist.exitCode(), 0) << makelist.readAll().toStdString();
    const QString game = QFileInfo(q(c.romFile)).completeBaseName();

    b.writeExistingStore();
    TFMain* main = &b.start();
    b.updateGameList({q(c.lbName)}, true);
    b.finishTicks();
    GameListWidget& consoles = listBox(*main, q("LBConsole"));
    ASSERT_TRUE(consoles.items().contains(game)) << consoles.items().join(u'|').toStdString();
    enterLocation(inst, *main, q("EPKUnzip"), kProgramDir + u"PKUNZIP.EXE");
    selectItem(consoles, game);
    // The installed key help, as Game > Keys... shows it.
    QString keys;
    inst.dialogs.answerDialog(mrOk, [&keys](QObject& dialog) {
        keys = control<QPlainTextEdit>(dialog, q("MKeys")).toPlainText();
    });
    menuItem(*main, q("Keys1")).trigger();
    EXPECT_TRUE(keys.contains(q(c.keys))) << keys.toStdString();
    if (c.list != nullptr) {
        control<QComboBox>(*main, q("CBController1")).setCurrentText(q(c.list));
    }
    control<QLineEdit>(*main, q("EAdditional")).setText(q(c.additional));
    const LaunchCount launches(*main);
    control<QPushButton>(*main, q("BPlay")).click();
    ASSERT_EQ(launches.count(), 1);
    // Launched a while ago on the real clock that the restarted program reads.
    SystemClock realClock;
    inst.clock.set(realClock.now() - 0.001);
    b.closeMain();

    const RecordingProcessStarter::Start& run = inst.starter.starts().back();
    QProcess batch;
    batch.setProcessEnvironment(env);
    batch.setWorkingDirectory(run.workingFolder);
    batch.setStandardInputFile(QProcess::nullDevice());
    batch.setProcessChannelMode(QProcess::MergedChannels);
    batch.start(q("xvfb-run"), QStringList{q("-a"), run.program} + run.arguments);
    QString output;
    qint64 emulator = 0;
    QStringList received;
    EXPECT_TRUE(StandIn::waitUntil([&] {
        batch.waitForReadyRead(100);
        output += QString::fromLocal8Bit(batch.readAll());
        if (received.isEmpty()) {
            received = commandLineOf(program, inst.root(), &emulator);
        }
        return output.contains(q(c.loaded)) || batch.state() == QProcess::NotRunning;
    }));
    ASSERT_FALSE(received.isEmpty()) << "the emulator did not start: " << output.toStdString();
    ::kill(pid_t(emulator), SIGTERM);
    EXPECT_TRUE(output.contains(q(c.loaded))) << output.toStdString();

    const QString restarted = inst.host(kProgramDir + u"brivanel");
    EXPECT_TRUE(StandIn::waitUntil([&] { return countExists(inst, game); }));
    const pid_t brivanel = pid_t(StandIn::runningProgram(restarted));
    ASSERT_NE(brivanel, 0) << "the restart line did not start the program";
    ::kill(brivanel, SIGTERM);
    ASSERT_TRUE(batch.waitForFinished(120000));

    // What the emulator received: the definition's choices, then the ROM the
    // script unpacked for it, found by its short name.
    const QString shortName = b.value(game, q("Shortname"));
    const QString unpacked =
        QFileInfo(inst.host(kProgramDir + q(c.definition).toUpper() + u"\\ROMS\\" + shortName +
                            u'.' + QFileInfo(q(c.romFile)).suffix()))
            .absoluteFilePath();
    EXPECT_EQ(received.value(0), program);
    EXPECT_EQ(received.last(), unpacked) << received.join(u' ').toStdString();
    const QString words = received.join(u' ');
    for (const QString& option : c.options) {
        EXPECT_TRUE(words.contains(option))
            << option.toStdString() << " in " << words.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(unpacked));
    SettingsStore store(inst.database());
    ASSERT_TRUE(store.OpenKey(StorePaths::Entry(game), false));
    EXPECT_EQ(store.ReadInteger(q("Count")), 1);
}

TEST(PlayShippedConsoles, GameBoyColorInMednafen) {
    playOnce({"/usr/games/mednafen",
              "medgb",
              "Mednafen Game Boy {The Mednafen Team}",
              "Roms\\Game Boy",
              "Tiny Test (World).gbc",
              &ShippedEmulatorRun::TinyGameBoyColorRom,
              "-video.driver softfb",
              nullptr,
              "Using module: gb",
              "Quit (back to Brivanel)   Escape or F12",
              // The first choice of each list, Mednafen's defaults.
              {q("-video.fs 0 -gb.xscale 6 -gb.yscale 6"), q("-video.frameskip 1"),
               q("-gb.special none -gb.shader none -gb.videoip 0"), q("-sound 1 -sound.rate 48000"),
               q("-force_module gb -video.driver softfb /")}});
}

TEST(PlayShippedConsoles, Atari2600InStella) {
    playOnce({"/usr/bin/stella",
              "stella",
              "Stella Atari 2600 {The Stella Team}",
              "Roms\\Atari 2600",
              "Tiny Test.a26",
              &ShippedEmulatorRun::TinyAtari2600Rom,
              "-loglevel 2 -logtoconsole 1",
              "Paddles",
              "Controller 0:    Paddles",
              "Game Reset (starts)       F2",
              {q("-fullscreen 0 -tia.zoom 3"), q("-tv.filter 0 -tv.scanlines 0 -tia.inter 0"),
               q("-audio.enabled 1 -audio.sample_rate 44100 -lc Paddles -loglevel 2")}});
}

}  // namespace
