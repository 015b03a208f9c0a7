#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "context/BatchRunner.h"
#include "support/StandIn.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

const QString kScript = u"C:\\BRIVANEL\\Execute.bat"_qs;

bool logFinished(const TempInstallation& inst) {
    return inst.readFile(q("C:\\BRIVANEL\\Execute.log")).contains("done:");
}

}  // namespace

TEST(BatchRunner, ReadOnlyScriptIsOverwritten) {
    TempInstallation inst;
    inst.writeFile(kScript, "old line\r\n");
    ASSERT_TRUE(inst.fs().setReadOnly(kScript, true));
    EXPECT_TRUE(BatchRunner(inst.context()).RunScript({q("del X.TXT")}, ShowMode::Minimised).ok());
    EXPECT_EQ(inst.readFile(kScript), QByteArray("del X.TXT\r\n"));
}

TEST(BatchRunner, EachRunLeavesExactlyItsOwnCrLfLines) {
    TempInstallation inst;
    const BatchRunner runner(inst.context());
    const QStringList lines{q("C:"), q("cd C:\\MAME\\"), q("C:\\MAME\\MAME.EXE pacman")};
    ASSERT_TRUE(runner.RunScript(lines, ShowMode::Normal).ok());
    EXPECT_EQ(inst.readFile(kScript),
              QByteArray("C:\r\ncd C:\\MAME\\\r\nC:\\MAME\\MAME.EXE pacman\r\n"));
    ASSERT_TRUE(
        runner.RunScript({q("deltree /y C:\\MAME\\ROMS\\pacman")}, ShowMode::Minimised).ok());
    EXPECT_EQ(inst.readFile(kScript), QByteArray("deltree /y C:\\MAME\\ROMS\\pacman\r\n"));
}

TEST(BatchRunner, HandsScriptOrLineToTheInterpreterWithDrivesAndShowMode) {
    TempInstallation inst;
    const BatchRunner runner(inst.context());
    ASSERT_TRUE(runner.RunScript({q("C:")}, ShowMode::Minimised).ok());
    ASSERT_TRUE(runner.RunCommand(q("C:\\ZM\\ZIPMAGIC.EXE /e+"), ShowMode::Normal).ok());
    const auto& starts = inst.starter.starts();
    ASSERT_EQ(starts.size(), 2u);
    const QString drives = inst.drives().toString();
    EXPECT_EQ(starts[0].program, TempInstallation::batchInterpreter());
    EXPECT_EQ(starts[0].arguments, (QStringList{q("--drives"), drives, q("--show"), q("minimised"),
                                                inst.fs().resolve(kScript)}));
    EXPECT_EQ(starts[1].arguments, (QStringList{q("--drives"), drives, q("--show"), q("normal"),
                                                q("--command"), q("C:\\ZM\\ZIPMAGIC.EXE /e+")}));
    EXPECT_EQ(starts[0].workingFolder, inst.programHostDir());
}

TEST(BatchRunner, ReturnsBeforeASlowScriptEnds) {
    TempInstallation inst;
    inst.starter = RecordingProcessStarter(true);
    const QString go = inst.host(q("C:\\GO"));
    const QString done = inst.host(q("C:\\DONE"));
    // Ends only once the test lets it (or after a minute, so nothing is left behind).
    StandIn::writeProgram(inst, q("C:\\TOOLS\\SLOW.EXE"),
                          u"i=0\nwhile [ ! -e " + StandIn::shellQuoted(go) +
                              u" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i+1)); done\ntouch " +
                              StandIn::shellQuoted(done));
    ASSERT_TRUE(
        BatchRunner(inst.context()).RunScript({q("C:\\TOOLS\\SLOW.EXE")}, ShowMode::Normal).ok());
    EXPECT_FALSE(QFileInfo::exists(done));
    QFile(go).open(QIODevice::WriteOnly);
    EXPECT_TRUE(StandIn::waitUntil([&] { return QFileInfo::exists(done); }));
    EXPECT_TRUE(StandIn::waitUntil([&] { return logFinished(inst); }));
}

TEST(BatchRunner, RestartLineAndSingleCommandStartTheirPrograms) {
    TempInstallation inst;
    inst.starter = RecordingProcessStarter(true);
    StandIn::writeRecorder(inst, q("C:\\BRIVANEL\\BRIVANEL.EXE"), q("C:\\RESTART.TXT"));
    StandIn::writeRecorder(inst, q("C:\\ZM\\ZIPMAGIC.EXE"), q("C:\\ZM.TXT"));
    const BatchRunner runner(inst.context());
    ASSERT_TRUE(runner.RunScript({q("\"C:\\BRIVANEL\\BRIVANEL.EXE\"")}, ShowMode::Normal).ok());
    ASSERT_TRUE(runner.RunCommand(q("C:\\ZM\\ZIPMAGIC.EXE /e-"), ShowMode::Minimised).ok());
    EXPECT_TRUE(StandIn::waitUntil([&] { return inst.fs().exists(q("C:\\RESTART.TXT")); }));
    EXPECT_TRUE(StandIn::waitUntil([&] { return inst.fs().exists(q("C:\\ZM.TXT")); }));
    const auto zipMagic = StandIn::read(inst, q("C:\\ZM.TXT"));
    EXPECT_EQ(zipMagic.arguments, QStringList{q("/e-")});
    EXPECT_EQ(zipMagic.workingFolder, inst.programHostDir());
    EXPECT_TRUE(StandIn::waitUntil([&] { return logFinished(inst); }));
}
