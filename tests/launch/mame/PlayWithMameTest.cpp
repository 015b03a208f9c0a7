// Playing a game the whole way with Debian's real mame: the first start's
// list build, Play, the script run by the real interpreter with the shipped
// PKUNZIP, and the program started again by the script counting the play.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <csignal>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <memory>

#include <QPushButton>

#include "app/StartupLogic.h"
#include "platform/DosPath.h"
#include "settings/KeyPath.h"
#include "support/StandIn.h"
#include "support/Text.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kMameBinary = QStringLiteral("/usr/games/mame");
const QString kMame = QStringLiteral("MAME {Test}");
const QString kPong = QStringLiteral("Pong (Rev E) [TTL]");
// A blank and a non-ASCII letter in both folders: only short names reach the script.
const QString kEmulatorDir = QStringLiteral("C:\\Mame Emu Ä\\");
const QString kPongZip = QStringLiteral("D:\\Spiele für mich\\pong.zip");

// MAME.EXE: the list commands limited to the two ROM-less systems, and a
// short silent run for play, its output in mame.log beside it.
QString wrapperBody(const QString& home) {
    const QString mame = StandIn::shellQuoted(kMameBinary) + u" -noreadconfig";
    return u"export HOME=" + StandIn::shellQuoted(home) +
           u"\ncase \"$1\" in\n"
           u"-listfull) exec " +
           mame +
           u" -listfull pong breakout ;;\n"
           u"-listclones) exec " +
           mame +
           u" -listclones pong ;;\n"
           u"esac\n"
           u"{ pwd; ls ROMS/pong; } > unpacked.txt\n" +
           mame +
           u" \"$@\" -rompath ROMS -video none -sound none -seconds_to_run 2 "
           u"> mame.log 2>&1\n"
           u"status=$?\necho \"exit $status\" >> mame.log\nexit $status";
}

double readTime(TempInstallation& inst) {
    SettingsStore store(inst.database());
    store.OpenKey(StorePaths::Root(), false);
    return store.ReadDateTime(QStringLiteral("Time"));
}

bool countExists(TempInstallation& inst) {
    SettingsStore store(inst.database());
    return store.OpenKey(StorePaths::Entry(kPong), false) &&
           store.ValueExists(QStringLiteral("Count"));
}

TEST(PlayWithMame, PongFromListBuildToCountedPlay) {
    ASSERT_TRUE(QFileInfo(kMameBinary).isExecutable()) << "Debian's mame is not installed";
    ASSERT_TRUE(ListBuildInstallation::interpreterBuilt());
    ListBuildInstallation b;
    TempInstallation& inst = b.inst;
    b.writeDefinition(q("MAME"), kMame, q("MAME"), {q("ROMPath=ROMS\\"), q("ShowJoyEmu=0")});
    inst.mkdir(q("C:\\mamehome"));
    b.writeStandIn(kEmulatorDir + u"MAME.EXE", wrapperBody(inst.host(q("C:\\mamehome"))));
    inst.writeFile(q("C:\\pong-src\\readme.txt"), "pong needs no ROM files\n");
    inst.mkdir(DosPath::directoryPart(kPongZip));
    ASSERT_EQ(QProcess::execute(q("zip"), {q("-j"), q("-q"), inst.host(kPongZip),
                                           inst.host(q("C:\\pong-src\\readme.txt"))}),
              0);
    ASSERT_TRUE(QFile::copy(q(BRIVANEL_PKUNZIP), inst.host(q("C:\\BRIVANEL\\PKUNZIP.EXE"))));
    // The restart line starts the real program again, from the installation.
    const QString program = inst.host(q("C:\\BRIVANEL\\brivanel"));
    ASSERT_TRUE(StandIn::placeProgram(q(BRIVANEL_PROGRAM), program));

    b.answerSearchOptions({kMame});
    TFMain* first = &b.start();  // no store yet: the first start builds the list
    b.finishTicks();
    GameListWidget& arcade = listBox(*first, q("LBArcade"));
    ASSERT_TRUE(arcade.items().contains(kPong)) << arcade.items().join(u'|').toStdString();
    EXPECT_EQ(b.value(kPong, q("Location")).toUpper(), kPongZip.toUpper());

    enterLocation(inst, *first, q("EPKUnzip"), q("C:\\BRIVANEL\\PKUNZIP.EXE"));
    selectItem(arcade, kPong);
    const size_t startsBefore = inst.starter.starts().size();
    const LaunchCount launches(*first);
    control<QPushButton>(*first, q("BPlay")).click();
    ASSERT_EQ(launches.count(), 1);
    EXPECT_FALSE(first->isVisible());
    b.closeMain();
    const double launched = inst.clock.now();
    EXPECT_EQ(readTime(inst), launched);

    const QStringList script =
        QString::fromUtf8(inst.readFile(q("C:\\BRIVANEL\\Execute.bat"))).split(q("\r\n"));
    ASSERT_GE(script.size(), 3);
    EXPECT_TRUE(script[0].startsWith(q("C:\\BRIVANEL\\PKUNZIP.EXE "))) << script[0].toStdString();
    EXPECT_EQ(script[script.size() - 2], u'"' + inst.context().executablePath() + u'"');
    for (const QString& line : script.mid(0, script.size() - 2)) {
        EXPECT_FALSE(line.contains(u'Ä') || line.contains(u'ü')) << line.toStdString();
    }
    // A start within 30.24 seconds of the launch would count nothing.
    {
        SettingsStore root(inst.database());
        root.OpenKey(StorePaths::Root(), false);
        EXPECT_FALSE(StartupLogic::CountPlay(root, launched + 0.0003));
        EXPECT_FALSE(countExists(inst));
    }

    ASSERT_EQ(inst.starter.starts().size(), startsBefore + 1);
    const RecordingProcessStarter::Start& run = inst.starter.starts().back();
    QProcess batch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(q("QT_QPA_PLATFORM"), q("offscreen"));
    env.insert(q("BRIVANEL_STORE"), inst.storeFile());
    batch.setProcessEnvironment(env);
    batch.setWorkingDirectory(run.workingFolder);
    batch.setStandardInputFile(QProcess::nullDevice());
    batch.start(run.program, run.arguments);
    // The restarted program runs on the real clock, long after the launch:
    // its start-up counts the play. Then it is ended as a user would.
    EXPECT_TRUE(StandIn::waitUntil([&] { return countExists(inst); }));
    const pid_t restarted = pid_t(StandIn::runningProgram(program));
    ASSERT_NE(restarted, 0) << "the restart line did not start the program";
    ::kill(restarted, SIGTERM);
    ASSERT_TRUE(batch.waitForFinished(600000));
    const QString log = QString::fromUtf8(inst.readFile(q("C:\\BRIVANEL\\Execute.log")));
    EXPECT_EQ(batch.exitCode(), 0) << log.toStdString();

    // The archive was unpacked where MAME looks, in the folder with the blank and the Ä.
    const QStringList unpacked =
        QString::fromUtf8(inst.readFile(kEmulatorDir + u"unpacked.txt")).split(u'\n');
    EXPECT_EQ(unpacked.value(0),
              QFileInfo(inst.fs().resolve(kEmulatorDir.chopped(1))).canonicalFilePath());
    EXPECT_EQ(unpacked.value(1), q("readme.txt"));
    const QString mameLog = QString::fromUtf8(inst.readFile(kEmulatorDir + u"mame.log"));
    EXPECT_TRUE(mameLog.contains(q("Average speed"))) << mameLog.toStdString();
    EXPECT_TRUE(mameLog.endsWith(q("exit 0\n"))) << mameLog.toStdString();
    EXPECT_FALSE(inst.fs().exists(kEmulatorDir + u"ROMS\\pong"));

    SettingsStore store(inst.database());
    ASSERT_TRUE(store.OpenKey(StorePaths::Entry(kPong), false));
    EXPECT_EQ(store.ReadInteger(q("Count")), 1);
    // The restarted program ended in order: its shutdown recorded that it
    // launched nothing, so the next start counts no further play.
    EXPECT_EQ(readTime(inst), 0.0);
}

}  // namespace
