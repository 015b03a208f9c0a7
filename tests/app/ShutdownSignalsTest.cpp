#include <gtest/gtest.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <csignal>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/StandIn.h"
#include "support/StoreDump.h"
#include "support/TempInstallation.h"

namespace {

// The real program in an installation with one definition, on a current
// store whose last game, Galaga, was launched long ago.
class RunningProgram {
public:
    RunningProgram() {
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\mame.ini"),
                        {QStringLiteral("[Emulator]"), QStringLiteral("LBName=MAME {team}"),
                         QStringLiteral("Type=MAME")});
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\picture.dir"), {});
        SettingsStore store(inst.database());
        EXPECT_TRUE(store.OpenKey(StorePaths::Root(), true));
        store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        store.WriteString(QStringLiteral("Current"), QStringLiteral("Galaga"));
        store.WriteDateTime(QStringLiteral("Time"), 45000.0);
        for (const QString& game : {QStringLiteral("Frogger"), QStringLiteral("Galaga")}) {
            EXPECT_TRUE(store.OpenKey(StorePaths::Entry(game), true));
            store.WriteString(QStringLiteral("Emulator"), QStringLiteral("MAME"));
            store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\ROMS\\GAME.ZIP"));
        }
        EXPECT_TRUE(StandIn::placeProgram(QStringLiteral(BRIVANEL_PROGRAM), program()));
    }

    QString program() const { return inst.programHostDir() + u"/brivanel"; }
    void start(QProcess& process) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BRIVANEL_STORE"), inst.storeFile());
        env.insert(QStringLiteral("BRIVANEL_DRIVES"),
                   u"C:=" + inst.root() + u"/c;D:=" + inst.root() + u"/d");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(program(), {});
        ASSERT_TRUE(process.waitForStarted());
    }
    // Waits until start-up has counted Galaga's play: the window is up, and
    // its event loop runs next.
    void startAndWaitForTheCount(QProcess& process) {
        start(process);
        const auto counted = [&] {
            SettingsStore s(inst.database());
            return s.OpenKey(StorePaths::Entry(QStringLiteral("Galaga")), false) &&
                   s.ValueExists(QStringLiteral("Count"));
        };
        const QDeadlineTimer startBound(60000);
        while (!counted() && process.state() == QProcess::Running && !startBound.hasExpired()) {
            process.waitForFinished(20);
        }
        ASSERT_TRUE(counted());
    }
    // Ends the program as `signal` does and expects the shutdown to have
    // kept Galaga, and a "Time" of 0 as no game was launched.
    void endAndExpectGalagaKept(QProcess& process, int signal) {
        ASSERT_EQ(::kill(pid_t(process.processId()), signal), 0);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        SettingsStore store(inst.database());
        ASSERT_TRUE(store.OpenKey(StorePaths::Root(), false));
        EXPECT_EQ(store.ReadString(QStringLiteral("Current")), QStringLiteral("Galaga"));
        EXPECT_DOUBLE_EQ(store.ReadDateTime(QStringLiteral("Time")), 0.0);
    }

    TempInstallation inst;
};

TEST(ShutdownSignals, TermAndIntCloseTheWindowSoTheShutdownKeepsTheCurrentGame) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        RunningProgram run;
        QProcess process;
        run.startAndWaitForTheCount(process);
        run.endAndExpectGalagaKept(process, signal);
    }
}

// A second start on the same store brings the running window to the front
// and ends before it reads or writes anything, so its end cannot undo the
// running one's selection or play.
TEST(SecondStart, EndsAtOnceAndLeavesTheRunningProgramsStore) {
    RunningProgram run;
    QProcess first;
    run.startAndWaitForTheCount(first);
    const QStringList before = StoreDump::lines(run.inst.storeFile());
    QProcess second;
    run.start(second);
    ASSERT_TRUE(second.waitForFinished(30000)) << "the second start stayed";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(StoreDump::lines(run.inst.storeFile()), before);
    ASSERT_EQ(first.state(), QProcess::Running);
    run.endAndExpectGalagaKept(first, SIGTERM);
}

}  // namespace
