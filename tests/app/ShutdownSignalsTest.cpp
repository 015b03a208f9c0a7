#include <gtest/gtest.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <csignal>

#include "settings/KeyPath.h"
#include "settings/SettingsStore.h"
#include "support/StandIn.h"
#include "support/TempInstallation.h"

namespace {

// A started program on a current store whose last game, Galaga, was
// launched long ago: start-up counts that play, and shutdown writes
// "Current" and a "Time" of 0, as no game was launched in this run.
TEST(ShutdownSignals, TermAndIntCloseTheWindowSoTheShutdownKeepsTheCurrentGame) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        TempInstallation inst;
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\mame.ini"),
                        {QStringLiteral("[Emulator]"), QStringLiteral("LBName=MAME {team}"),
                         QStringLiteral("Type=MAME")});
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\picture.dir"), {});
        SettingsStore store(inst.database());
        ASSERT_TRUE(store.OpenKey(StorePaths::Root(), true));
        store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        store.WriteString(QStringLiteral("Current"), QStringLiteral("Galaga"));
        store.WriteDateTime(QStringLiteral("Time"), 45000.0);
        for (const QString& game : {QStringLiteral("Frogger"), QStringLiteral("Galaga")}) {
            ASSERT_TRUE(store.OpenKey(StorePaths::Entry(game), true));
            store.WriteString(QStringLiteral("Emulator"), QStringLiteral("MAME"));
            store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\ROMS\\GAME.ZIP"));
        }
        const QString program = inst.programHostDir() + u"/brivanel";
        ASSERT_TRUE(StandIn::placeProgram(QStringLiteral(BRIVANEL_PROGRAM), program));

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("BRIVANEL_STORE"), inst.storeFile());
        env.insert(QStringLiteral("BRIVANEL_DRIVES"),
                   u"C:=" + inst.root() + u"/c;D:=" + inst.root() + u"/d");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(program, {});
        ASSERT_TRUE(process.waitForStarted());

        // The counted play shows that start-up runs; it ends before the
        // event loop reads the signal.
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
        ASSERT_EQ(::kill(pid_t(process.processId()), signal), 0);

        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        ASSERT_TRUE(store.OpenKey(StorePaths::Root(), false));
        EXPECT_EQ(store.ReadString(QStringLiteral("Current")), QStringLiteral("Galaga"));
        EXPECT_DOUBLE_EQ(store.ReadDateTime(QStringLiteral("Time")), 0.0);
    }
}

}  // namespace
