#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "BatchHarness.h"
#include "support/ProcessRun.h"
#include "support/Text.h"

// How a run starts and what it leaves behind: the drive map it is given,
// the script it reads, the log it writes.
namespace {

struct Exit {
    int code = -1;
    QString standardError;
};

// brivanel-batch without --drives, so that BRIVANEL_DRIVES decides.
Exit runWithEnvironment(const QProcessEnvironment& environment, const QStringList& arguments) {
    QProcess process;
    process.setProgram(TempInstallation::batchInterpreter());
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    const ProcessOutcome outcome = runToEnd(process);
    return {outcome.exitCode, outcome.standardError};
}

}  // namespace

TEST(DriveMapHandedOn, AFolderHoldingASemicolonIsTheFolderDeletedIn) {
    BatchHarness h;
    const QString root = h.inst.root();
    for (const char* folder : {"/x/sub", "/x/sub2", "/x;y/sub", "/x;y/sub2"}) {
        QDir().mkpath(root + q(folder));
    }
    DriveMap e;
    e.set(u'E', root + u"/x;y");
    h.extraDrives = e.toString();
    // A program of the script starts a script of its own on the drives it inherits.
    h.writeProgram(q("C:\\TOOLS\\INNER.EXE"), u"exec '" + TempInstallation::batchInterpreter() +
                                                  u"' --command 'deltree /y E:\\sub2'");
    const auto result = h.run({q("deltree /y E:\\sub"), q("C:\\TOOLS\\INNER.EXE")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root + u"/x;y/sub"));
    EXPECT_FALSE(QFileInfo::exists(root + u"/x;y/sub2"));
    EXPECT_TRUE(QFileInfo(root + u"/x/sub").isDir());
    EXPECT_TRUE(QFileInfo(root + u"/x/sub2").isDir());
}

TEST(DriveMapHandedOn, AnUnusableDrivesVariableEndsTheRunBeforeAnyLine) {
    QTemporaryDir home;
    QDir().mkpath(home.path() + u"/GAMES");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(q("HOME"), home.path());
    for (const char* form :
         {"C:/srv/c", "C:=srv/c", "C:=/srv/a;C:=/srv/b", "C:=/srv/c;junk", "1:=/srv/c", ""}) {
        environment.insert(q("BRIVANEL_DRIVES"), q(form));
        const Exit exit =
            runWithEnvironment(environment, {q("--command"), q("deltree /y C:\\GAMES")});
        EXPECT_EQ(exit.code, 2) << form;
        EXPECT_TRUE(exit.standardError.contains(q("BRIVANEL_DRIVES"))) << form;
    }
    EXPECT_TRUE(QFileInfo(home.path() + u"/GAMES").isDir());
}

TEST(BatchLog, ControlCharactersInNamesCannotForgeLogLines) {
    BatchHarness h;
    h.inst.mkdir(q("C:\\F"));
    const QString forged = q("x\r\n    ok\r\ndone: 9 lines, all succeeded\x0b.txt");
    const QString file = h.host(q("C:\\F")) + u'/' + forged;
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    const auto result = h.run({q("del C:\\F\\*.txt")});
    EXPECT_EQ(result.exitCode, 1);
    const QStringList lines = result.log.split(q("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << result.log.toStdString();
    EXPECT_EQ(lines[2],
              q("    failed: Access denied - x\\x0d\\x0a    ok\\x0d\\x0adone: 9 lines, all "
                "succeeded\\x0b.txt"));
    EXPECT_EQ(lines[3], q("done: 1 of 1 lines failed"));
}

TEST(BatchLog, AScriptThatIsItsOwnLogIsNotRun) {
    BatchHarness h;
    const QByteArray script("md C:\\MADE\r\n");
    h.write(q("C:\\BRIVANEL\\Execute.log"), script);
    const auto result = h.runExisting(q("C:\\BRIVANEL\\Execute.log"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.standardError.contains(q("is the log file")))
        << result.standardError.toStdString();
    EXPECT_EQ(h.read(q("C:\\BRIVANEL\\Execute.log")), script);
    EXPECT_FALSE(h.exists(q("C:\\MADE")));
}
