#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "BatchHarness.h"
#include "support/Text.h"

namespace {

const QString kRecord = u"C:\\BRIVANEL\\RECORD.TXT"_qs;

// A file that starts like a DOS program, with a PE header when asked.
QByteArray dosExecutable(bool windows) {
    QByteArray bytes(256, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    if (windows) {
        bytes[0x3C] = char(0x80);
        bytes.replace(0x80, 4, QByteArray("PE\0\0", 4));
    }
    return bytes;
}

}  // namespace

// A MAME-type emulator's lists: each is printed into a ".!!!" file and only
// ren gives it its final name, so the list file never exists half-written.
TEST(ProgramLine, ListMakingSequenceRenamesOnlyCompleteLists) {
    BatchHarness h;
    const QString lst = h.host(q("C:\\BRIVANEL\\MAME.LST"));
    h.writeProgram(q("C:\\MAME\\MAME.EXE"),
                   u"[ -e '" + lst + u"' ] && echo early >> '" + h.host(q("C:\\PROBE.TXT")) +
                       u"'\ncase \"$1\" in -listclones) echo 'name parent';; "
                       u"-listfull) echo 'name description';; esac");
    const auto result = h.run({q("C:\\MAME\\MAME.EXE -listclones > C:\\BRIVANEL\\MAME.!!!"),
                               q("ren C:\\BRIVANEL\\MAME.!!! MAME.MRG"),
                               q("C:\\MAME\\MAME.EXE -listfull > C:\\BRIVANEL\\MAME.!!!"),
                               q("ren C:\\BRIVANEL\\MAME.!!! MAME.LST")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_EQ(h.read(q("C:\\BRIVANEL\\MAME.MRG")), QByteArray("name parent\n"));
    EXPECT_EQ(h.read(q("C:\\BRIVANEL\\MAME.LST")), QByteArray("name description\n"));
    EXPECT_FALSE(h.exists(q("C:\\BRIVANEL\\MAME.!!!")));
    EXPECT_FALSE(h.exists(q("C:\\PROBE.TXT")));
}

TEST(ProgramLine, DosPathArgumentsBecomeHostPathsAndOptionsStayExact) {
    BatchHarness h;
    h.write(q("C:\\zips\\pacman.zip"));
    h.inst.mkdir(q("C:\\MAME\\ROMS"));
    h.writeRecorder(q("C:\\PK\\PKUNZIP.EXE"), kRecord);
    const QString c = h.inst.drives().hostRoot(u'C');
    const auto result = h.run(
        {q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS\\pacman -d -o pacman\\*.* "
           "kC:\\KEYS\\GAME.KS C:\\BRIVANEL\\pacman\\*.* -listfull /e- C:\\MAME\\ROMS\\")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    const auto seen = h.recorded(kRecord);
    EXPECT_EQ(seen.workingFolder, c + u"/BRIVANEL");
    EXPECT_EQ(seen.arguments, (QStringList{c + u"/zips/pacman.zip", c + u"/MAME/ROMS/pacman",
                                           q("-d"), q("-o"), q("pacman\\*.*"),
                                           u"k" + c + u"/KEYS/GAME.KS", c + u"/BRIVANEL/pacman/*.*",
                                           q("-listfull"), q("/e-"), c + u"/MAME/ROMS/"}));
}

TEST(ProgramLine, ShortAliasesOfFoldersWithBlanksReachTheProgram) {
    BatchHarness h;
    h.writeRecorder(q("C:\\Program Files\\My Emulator\\emu.exe"), kRecord);
    const QString shortPath = h.inst.fs().shortPath(q("C:\\Program Files\\My Emulator\\emu.exe"));
    ASSERT_FALSE(shortPath.contains(u' '));
    ASSERT_TRUE(shortPath.contains(u'~'));
    const QString folder = shortPath.left(shortPath.lastIndexOf(u'\\') + 1);
    const auto result = h.run({u"cd " + folder, shortPath + u" pacman -d -o"});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    const auto seen = h.recorded(kRecord);
    EXPECT_EQ(seen.workingFolder, h.host(q("C:\\Program Files\\My Emulator")));
    EXPECT_EQ(seen.arguments, (QStringList{q("pacman"), q("-d"), q("-o")}));
}

TEST(ProgramLine, QuotedRestartLineStartsThatProgram) {
    BatchHarness h;
    h.writeRecorder(q("C:\\BRIVANEL\\BRIVANEL.EXE"), kRecord);
    h.writeRecorder(q("C:\\Program Files\\Brivanel\\brivanel"), q("C:\\SECOND.TXT"));
    const auto result = h.run(
        {q("\"C:\\BRIVANEL\\BRIVANEL.EXE\""), q("\"C:\\Program Files\\Brivanel\\brivanel\"")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_TRUE(h.exists(kRecord));
    EXPECT_TRUE(h.recorded(kRecord).arguments.isEmpty());
    EXPECT_TRUE(h.exists(q("C:\\SECOND.TXT")));
}

TEST(ProgramLine, FailingLinesAreLoggedAndLaterLinesStillRun) {
    BatchHarness h;
    h.writeProgram(q("C:\\TOOLS\\FAIL.EXE"), q("exit 3"));
    h.writeRecorder(q("C:\\TOOLS\\REC.EXE"), kRecord);
    const auto result = h.run({q("C:\\NOPE\\NOTHERE.EXE"), q("Q:\\TOOLS\\X.EXE -d"), q("Q:"),
                               q("C:\\TOOLS\\FAIL.EXE"), q("C:\\TOOLS\\REC.EXE done")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.log.contains(q("failed: Bad command or file name - C:\\NOPE\\NOTHERE.EXE")));
    EXPECT_EQ(result.log.count(q("failed: Invalid drive")), 2);
    EXPECT_TRUE(result.log.contains(q("failed: exit status 3")));
    EXPECT_TRUE(result.log.contains(q("done: 4 of 5 lines failed")));
    EXPECT_EQ(h.recorded(kRecord).arguments, QStringList{q("done")});
}

// A failed program's last line of error output is what it said about the
// failure: the log keeps it under the exit status, and still passes it on.
TEST(ProgramLine, AFailedProgramsLastErrorLineIsLogged) {
    struct Case {
        const char* body;
        const char* logged;  // nullptr: no such line
    };
    const Case cases[] = {
        {"echo 'a.rom NOT FOUND' >&2; printf 'Fatal error: missing\\r\\n\\n  \\n' >&2; exit 2",
         "    last output: Fatal error: missing"},
        {"echo first >&2; printf 'no line end' >&2; exit 1", "    last output: no line end"},
        {"echo 'to standard output'; exit 4", nullptr},
        {"echo 'said but fine' >&2; exit 0", nullptr},
        {"head -c 5000 /dev/zero | tr '\\0' x >&2; exit 5",
         "    last output: xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
    };
    for (const Case& c : cases) {
        BatchHarness h;
        h.writeProgram(q("C:\\TOOLS\\EMU.EXE"), QString::fromUtf8(c.body));
        const auto result = h.run({q("start /w C:\\TOOLS\\EMU.EXE")});
        const QStringList lines = result.log.split(q("\r\n"));
        const QStringList said = lines.filter(q("    last output: "));
        if (c.logged == nullptr) {
            EXPECT_TRUE(said.isEmpty()) << c.body << "\n" << result.log.toStdString();
            continue;
        }
        ASSERT_EQ(said.size(), 1) << c.body << "\n" << result.log.toStdString();
        EXPECT_TRUE(said[0].startsWith(QString::fromUtf8(c.logged))) << said[0].toStdString();
        EXPECT_LE(said[0].size(), 420);
        // Right below the line's failure.
        EXPECT_TRUE(lines[lines.indexOf(said[0]) - 1].startsWith(q("    failed: exit status")));
        EXPECT_TRUE(result.standardError.contains(said[0].mid(17, 20)));
    }
}

// Nothing reaches a shell: names holding shell syntax are plain data for
// programs and builtins alike.
TEST(ProgramLine, NamesWithShellSyntaxAreNeverExecuted) {
    BatchHarness h;
    const QStringList names{q("a;touch PWNED1"), q("$(touch PWNED2).zip"), q("`touch PWNED3`.zip"),
                            q("it's;$HOME.zip")};
    for (const QString& name : names) {
        h.write(u"C:\\GAMES\\" + name);
    }
    h.writeRecorder(q("C:\\TOOLS\\REC.EXE"), kRecord);
    const auto result = h.run(
        {u"C:\\TOOLS\\REC.EXE \"" + names.join(q("\" \"")) + u'"',
         u"copy \"C:\\GAMES\\" + names[0] + u"\" D:\\",
         u"ren \"C:\\GAMES\\" + names[1] + u"\" x.zip", u"del \"C:\\GAMES\\" + names[2] + u'"',
         u"deltree /y \"C:\\GAMES\\" + names[3] + u'"', q("echo $(touch PWNED4) > C:\\OUT.TXT")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_EQ(h.recorded(kRecord).arguments, names);
    EXPECT_TRUE(h.exists(u"D:\\" + names[0]));
    EXPECT_TRUE(h.exists(q("C:\\GAMES\\x.zip")));
    EXPECT_FALSE(h.exists(u"C:\\GAMES\\" + names[2]));
    EXPECT_FALSE(h.exists(u"C:\\GAMES\\" + names[3]));
    EXPECT_EQ(h.read(q("C:\\OUT.TXT")), QByteArray("$(touch PWNED4)\r\n"));
    QDirIterator it(h.inst.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        EXPECT_FALSE(it.next().contains(u"/PWNED")) << it.filePath().toStdString();
    }
}

TEST(ProgramLine, OutputRedirectionTruncatesAppendsAndReportsBadTargets) {
    BatchHarness h;
    h.writeProgram(q("C:\\TOOLS\\SAY.EXE"), q("echo \"$1\""));
    h.inst.mkdir(q("C:\\OUT"));
    h.write(q("C:\\OUT\\X.TXT"), "old content\n");
    const auto result = h.run({q("C:\\TOOLS\\SAY.EXE one > C:\\OUT\\X.TXT"),
                               q("C:\\TOOLS\\SAY.EXE two>>C:\\OUT\\X.TXT"),
                               q("C:\\TOOLS\\SAY.EXE three > Q:\\X.TXT"),
                               q("C:\\TOOLS\\SAY.EXE four > C:\\NODIR\\X.TXT")});
    EXPECT_EQ(h.read(q("C:\\OUT\\X.TXT")), QByteArray("one\ntwo\n"));
    EXPECT_TRUE(result.log.contains(q("failed: Invalid drive")));
    EXPECT_TRUE(result.log.contains(q("failed: File creation error - C:\\NODIR\\X.TXT")));
}

// Clean-up lines after an emulator must find it finished.
TEST(ProgramLine, StartWaitAndPlainLinesRunOneAfterTheOther) {
    BatchHarness h;
    const QString marker = h.host(q("C:\\MARKER.TXT"));
    h.writeProgram(q("C:\\MAME\\MAME.EXE"), u"sleep 1\ntouch '" + marker + u'\'');
    h.writeProgram(q("C:\\TOOLS\\CHECK.EXE"),
                   u"[ -e '" + marker + u"' ] && echo seen >> '" + h.host(kRecord) + u'\'');
    const auto result = h.run({q("start /w C:\\MAME\\MAME.EXE pacman"), q("C:\\TOOLS\\CHECK.EXE"),
                               q("C:\\MAME\\MAME.EXE"), q("C:\\TOOLS\\CHECK.EXE")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_EQ(h.read(kRecord), QByteArray("seen\nseen\n"));
}

TEST(ProgramLine, BareNamesAreFoundInTheCurrentDirectoryInDosOrder) {
    BatchHarness h;
    h.writeRecorder(q("C:\\JOY\\JOYCP.EXE"), kRecord);
    h.writeProgram(q("C:\\JOY\\TOOL.COM"), u"echo com >> '" + h.host(q("C:\\ORDER.TXT")) + u'\'');
    h.writeProgram(q("C:\\JOY\\TOOL.EXE"), u"echo exe >> '" + h.host(q("C:\\ORDER.TXT")) + u'\'');
    h.writeProgram(q("C:\\JOY\\helper"), u"echo host >> '" + h.host(q("C:\\ORDER.TXT")) + u'\'');
    // A batch file shares the session: its cd holds after it returns.
    h.write(q("C:\\JOY\\SUB.BAT"), "cd ..\r\n");
    const auto result = h.run(
        {q("C:"), q("cd C:\\JOY\\"), q("joycp"), q("tool"), q("HELPER"), q("sub"), q("joycp")});
    EXPECT_EQ(h.read(q("C:\\ORDER.TXT")), QByteArray("com\nhost\n"));
    EXPECT_EQ(h.recorded(kRecord).workingFolder, h.host(q("C:\\JOY")));
    EXPECT_TRUE(result.log.contains(q("\r\nC:\\>joycp")));
    EXPECT_TRUE(result.log.contains(q("failed: Bad command or file name - joycp")));
}

TEST(ProgramLine, ScriptWithoutExecuteBitRunsThroughItsInterpreterButBinaryDoesNot) {
    BatchHarness h;
    h.writeProgram(q("C:\\TOOLS\\PLAIN.EXE"), u"echo ran > '" + h.host(kRecord) + u'\'', false);
    QFile::copy(q("/bin/true"), h.host(q("C:\\TOOLS\\TRUE.EXE")));
    QFile::setPermissions(h.host(q("C:\\TOOLS\\TRUE.EXE")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const auto result = h.run({q("C:\\TOOLS\\PLAIN.EXE"), q("C:\\TOOLS\\TRUE.EXE")});
    EXPECT_EQ(h.read(kRecord), QByteArray("ran\n"));
    EXPECT_TRUE(
        result.log.contains(q("C:\\TOOLS\\TRUE.EXE cannot be run: it is not marked executable")));
}

TEST(ProgramLine, WindowsAndDosProgramsNeedWineAndDosbox) {
    BatchHarness h;
    h.write(q("C:\\WIN\\GAME.EXE"), dosExecutable(true));
    h.write(q("C:\\DOS\\GAME.EXE"), dosExecutable(false));
    QTemporaryDir emptyBin;
    h.environment.insert(q("PATH"), emptyBin.path());
    auto result = h.run({q("C:\\WIN\\GAME.EXE"), q("C:\\DOS\\GAME.EXE")});
    EXPECT_TRUE(result.log.contains(
        q("failed: C:\\WIN\\GAME.EXE is a Windows program and wine is not installed")));
    EXPECT_TRUE(result.log.contains(
        q("failed: C:\\DOS\\GAME.EXE is a DOS program and dosbox is not installed")));

    // Stand-ins on PATH show what wine and dosbox would be given.
    h.writeRecorder(q("D:\\BIN\\wine"), q("C:\\WINE.TXT"));
    h.writeRecorder(q("D:\\BIN\\dosbox"), q("C:\\DOSBOX.TXT"));
    h.environment.insert(q("PATH"), h.host(q("D:\\BIN")));
    h.environment.insert(q("WINEPREFIX"), emptyBin.path());
    h.write(q("C:\\ZIPS\\PACMAN.ZIP"));
    result = h.run({q("C:\\WIN\\GAME.EXE C:\\ZIPS\\PACMAN.ZIP -fast"),
                    q("C:\\DOS\\GAME.EXE -x > C:\\BRIVANEL\\OUT.TXT")});
    // The stand-in runs nothing, and the line says so instead of "ok".
    EXPECT_TRUE(result.log.contains(q("failed: DOSBox did not find C:\\DOS\\GAME.EXE")))
        << result.log.toStdString();
    QString zipForWine = u"Z:" + h.host(q("C:\\ZIPS\\PACMAN.ZIP"));
    zipForWine.replace(u'/', u'\\');
    EXPECT_EQ(h.recorded(q("C:\\WINE.TXT")).arguments,
              (QStringList{h.host(q("C:\\WIN\\GAME.EXE")), zipForWine, q("-fast")}));
    const QString c = h.inst.drives().hostRoot(u'C');
    const QString d = h.inst.drives().hostRoot(u'D');
    // The output goes to DOSBox's exchange drive; the interpreter writes OUT.TXT.
    QStringList dosbox = h.recorded(q("C:\\DOSBOX.TXT")).arguments;
    dosbox.removeIf([](const QString& a) { return a.startsWith(q("mount Y ")); });
    EXPECT_EQ(dosbox, (QStringList{q("-noautoexec"), q("-c"), u"mount C \"" + c + u'"', q("-c"),
                                   u"mount D \"" + d + u'"', q("-c"), q("-c"), q("C:"), q("-c"),
                                   q("cd \\BRIVANEL"), q("-c"),
                                   q("IF EXIST C:\\DOS\\GAME.EXE MD Y:\\FOUND"), q("-c"),
                                   q("C:\\DOS\\GAME.EXE -x > Y:\\OUT.TXT"), q("-c"),
                                   q("IF ERRORLEVEL 1 MD Y:\\FAILED"), q("-c"), q("exit")}));
}

TEST(ProgramLine, BadInputIsReportedWithoutCrashOrHang) {
    BatchHarness h;
    h.write(q("C:\\BRIVANEL\\LOOP.BAT"), "C:\\BRIVANEL\\LOOP.BAT\r\n");
    const QByteArray garbage("\xff\xfe MZ\x01\x02 \x00 x\r\n", 13);
    h.write(q("C:\\BRIVANEL\\Execute.bat"),
            garbage + "C:\\X.EXE \"unterminated\r\nC:\\X.EXE >\r\nC:\\X.EXE | more\r\n" +
                QByteArray(100000, 'a') + "\r\nC:\\BRIVANEL\\LOOP.BAT\r\n");
    const auto result = h.runExisting();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.log.count(q("failed: Syntax error")), 2);
    EXPECT_TRUE(result.log.contains(q("failed: Bad command or file name - C:\\X.EXE")));
    EXPECT_TRUE(result.log.contains(q("failed: Pipes are not supported")));
    EXPECT_TRUE(result.log.contains(q("failed: Line too long")));
    EXPECT_TRUE(result.log.contains(q("failed: Batch files nested too deeply")));
}
