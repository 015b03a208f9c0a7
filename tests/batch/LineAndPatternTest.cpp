#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BatchHarness.h"
#include "batch/BatchOptions.h"
#include "batch/CommandLine.h"
#include "batch/DeletionGuard.h"
#include "batch/DosWildcard.h"

namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

TEST(CommandLine, QuotesGroupBlanksAndAreDropped) {
    const CommandLine cmd =
        CommandLine::parse(q("\"C:\\Program Files\\B.EXE\"  a\t\"b c\" d\"e f\"g \"\""));
    EXPECT_EQ(cmd.words, (QStringList{q("C:\\Program Files\\B.EXE"), q("a"), q("b c"), q("de fg"),
                                      QString()}));
    EXPECT_EQ(cmd.quoted, (QList<bool>{true, false, true, true, true}));
    EXPECT_TRUE(cmd.error.isEmpty());
}

TEST(CommandLine, RedirectionsAreCutOutWhereverTheyStand) {
    CommandLine cmd = CommandLine::parse(q("E -listfull > C:\\BRIVANEL\\MAME.!!!"));
    EXPECT_EQ(cmd.words, (QStringList{q("E"), q("-listfull")}));
    EXPECT_EQ(cmd.output.target, q("C:\\BRIVANEL\\MAME.!!!"));
    EXPECT_FALSE(cmd.output.append);

    cmd = CommandLine::parse(q("E x>>\"C:\\A B\\O.TXT\" y <IN.TXT"));
    EXPECT_EQ(cmd.words, (QStringList{q("E"), q("x"), q("y")}));
    EXPECT_EQ(cmd.output.target, q("C:\\A B\\O.TXT"));
    EXPECT_TRUE(cmd.output.append);
    EXPECT_EQ(cmd.input, q("IN.TXT"));

    cmd = CommandLine::parse(q("echo a \">\" b"));
    EXPECT_TRUE(cmd.output.target.isEmpty());
    EXPECT_EQ(cmd.words, (QStringList{q("echo"), q("a"), q(">"), q("b")}));

    EXPECT_EQ(CommandLine::parse(q("E >")).error, q("Syntax error"));
    EXPECT_TRUE(CommandLine::parse(q("E | more")).error.startsWith(q("Pipes")));
}

TEST(CommandLine, GluedDosFormsAreSplit) {
    EXPECT_EQ(CommandLine::parse(q("cd..")).words, (QStringList{q("cd"), q("..")}));
    EXPECT_EQ(CommandLine::parse(q("CD\\MAME x")).words,
              (QStringList{q("CD"), q("\\MAME"), q("x")}));
    EXPECT_EQ(CommandLine::parse(q("cdrom.exe")).words, QStringList{q("cdrom.exe")});
    const CommandLine echo = CommandLine::parse(q("echo.hello  world > OUT.TXT"));
    EXPECT_EQ(echo.words.first(), q("echo"));
    EXPECT_EQ(echo.tail.trimmed(), q("hello  world"));
}

TEST(DosWildcard, MatchesIgnoringCaseWithDosRules) {
    EXPECT_TRUE(DosWildcard::matches(q("*.*"), q("README")));
    EXPECT_TRUE(DosWildcard::matches(q("*.NES"), q("mario.nes")));
    EXPECT_FALSE(DosWildcard::matches(q("*.NES"), q("mario.fds")));
    EXPECT_TRUE(DosWildcard::matches(q("FILE????.TXT"), q("file.txt")));
    EXPECT_TRUE(DosWildcard::matches(q("FILE????.TXT"), q("FILE12.TXT")));
    EXPECT_FALSE(DosWildcard::matches(q("FILE????.TXT"), q("FILE12345.TXT")));
    EXPECT_FALSE(DosWildcard::matches(q("A?C"), q("AC")));
    EXPECT_TRUE(DosWildcard::matches(q("*."), q("README")));
    EXPECT_FALSE(DosWildcard::matches(q("*."), q("A.TXT")));
    EXPECT_TRUE(DosWildcard::matches(q("PAC*.*"), q("pacman")));
    // A pattern built to blow up a naive matcher is still answered.
    EXPECT_FALSE(DosWildcard::matches(QString(4000, u'*') + u'b', QString(200, u'a')));
}

TEST(DosWildcard, RenamePatternsKeepTheFilesParts) {
    EXPECT_EQ(DosWildcard::applyRenamePattern(q("*.LST"), q("MAME.!!!")), q("MAME.LST"));
    EXPECT_EQ(DosWildcard::applyRenamePattern(q("*.*"), q("a.b")), q("a.b"));
    EXPECT_EQ(DosWildcard::applyRenamePattern(q("?X*.TXT"), q("abcd.doc")), q("aXcd.TXT"));
    EXPECT_EQ(DosWildcard::applyRenamePattern(q("*"), q("a.b")), q("a.b"));
    EXPECT_EQ(DosWildcard::applyRenamePattern(q("*.BAK"), q("noext")), q("noext.BAK"));
}

// The root folder cannot be tried for real; the guard is asked directly.
TEST(DeletionGuard, RefusesHostRootDriveRootsHomeAndTheirHolders) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + u"/c/games");
    QDir().mkpath(dir.path() + u"/home");
    DriveMap drives;
    drives.set(u'C', dir.path() + u"/c");
    const DeletionGuard guard(drives, dir.path() + u"/home");
    EXPECT_FALSE(guard.refusalToRemove(q("/")).isEmpty());
    EXPECT_FALSE(guard.refusalToRemove(dir.path()).isEmpty());
    EXPECT_FALSE(guard.refusalToRemove(dir.path() + u"/c").isEmpty());
    EXPECT_FALSE(guard.refusalToRemove(dir.path() + u"/c/../home").isEmpty());
    EXPECT_TRUE(guard.refusalToRemove(dir.path() + u"/c/games").isEmpty());
    EXPECT_FALSE(guard.refusalToEmpty(q("/")).isEmpty());
    EXPECT_TRUE(guard.refusalToEmpty(dir.path()).isEmpty());
    // A link to home is removed by itself; emptying it would empty home.
    QFile::link(dir.path() + u"/home", dir.path() + u"/c/games/link");
    EXPECT_TRUE(guard.refusalToRemove(dir.path() + u"/c/games/link").isEmpty());
    EXPECT_FALSE(guard.refusalToEmpty(dir.path() + u"/c/games/link").isEmpty());
}

TEST(BatchOptions, AcceptsOneScriptOrOneCommandLine) {
    const BatchOptions script = BatchOptions::parse(
        {q("--drives"), q("C:=/srv/c"), q("--show=2"), q("/srv/c/BRIVANEL/Execute.bat")});
    EXPECT_TRUE(script.error.isEmpty());
    EXPECT_EQ(script.drives, q("C:=/srv/c"));
    EXPECT_EQ(script.show, q("minimised"));
    EXPECT_EQ(script.script, q("/srv/c/BRIVANEL/Execute.bat"));
    const BatchOptions command = BatchOptions::parse({q("--command"), q("C:\\ZM\\ZM.EXE /e-")});
    EXPECT_EQ(command.command, q("C:\\ZM\\ZM.EXE /e-"));
    for (const QStringList& bad :
         {QStringList{}, QStringList{q("--command")}, QStringList{q("A.BAT"), q("B.BAT")},
          QStringList{q("--show"), q("maximised"), q("A.BAT")},
          QStringList{q("--command=cd"), q("A.BAT")}, QStringList{q("--quiet"), q("A.BAT")}}) {
        EXPECT_FALSE(BatchOptions::parse(bad).error.isEmpty()) << bad.join(u' ').toStdString();
    }
}
