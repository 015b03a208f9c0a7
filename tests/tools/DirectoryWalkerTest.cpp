#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "support/TempInstallation.h"
#include "tools/DirectoryWalker.h"
#include "tools/ToolsTestSupport.h"

using ToolsTest::ModeOf;
using ToolsTest::SetMode;

namespace {

const QStringList kExeZip{".EXE", ".ZIP"};

class Walk : public ::testing::Test {
protected:
    QStringList walk(const QString& dosFolder, const QStringList& suffixes = kExeZip) {
        DirectoryWalker walker(fs, suffixes, [this](const WalkStep& step) {
            steps << step.statusText();
            counts << step.collected();
        });
        walker.WalkDirectory(dosFolder);
        return walker.found();
    }
    void symlink(const QString& target, const QString& dosLink) {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(inst.host(dosLink)).constData()),
                  0);
    }

    TempInstallation inst;
    const DosFileSystem fs = inst.fs();
    QStringList steps;
    QList<qsizetype> counts;
};

}  // namespace

TEST_F(Walk, CollectsByFragmentAnywhereInTheNameInByteOrder) {
    for (const char* name : {"GAME.ZIP.BAK", "SETUP.EXE1", "readme.txt", "Pac.zip", "ZIPPY"}) {
        inst.writeFile(QStringLiteral("C:\\GAMES\\") + name, "x");
    }
    EXPECT_EQ(walk("C:\\GAMES"), (QStringList{"C:\\GAMES\\GAME.ZIP.BAK", "C:\\GAMES\\PAC.ZIP",
                                              "C:\\GAMES\\SETUP.EXE1"}));
    // Each step tells the progress how many files were collected before it.
    EXPECT_EQ(counts, (QList<qsizetype>{0, 1, 2, 3, 3}));
}

TEST_F(Walk, EntersEachFolderAtOnceDepthFirst) {
    inst.writeFile("C:\\A\\Z.ZIP", "x");
    inst.writeFile("C:\\A\\SUB\\X.ZIP", "x");
    inst.writeFile("C:\\B.ZIP", "x");
    inst.writeFile("C:\\a.zip", "x");
    EXPECT_EQ(walk("C:"),
              (QStringList{"C:\\A\\SUB\\X.ZIP", "C:\\A\\Z.ZIP", "C:\\B.ZIP", "C:\\A.ZIP"}));
}

TEST_F(Walk, TheFolderIsUsedAsTypedAndShownForEveryEntry) {
    inst.writeFile("C:\\Games\\Pac.zip", "x");
    inst.writeFile("C:\\Games\\.hidden.zip", "x");
    EXPECT_EQ(walk("c:\\games"), QStringList{"C:\\GAMES\\PAC.ZIP"});
    // Every entry is shown before it is looked at, dotted ones too.
    EXPECT_EQ(steps, (QStringList{"Building List: c:\\games\\.hidden.zip...",
                                  "Building List: c:\\games\\Pac.zip..."}));
    steps.clear();
    EXPECT_EQ(walk("C:\\Games\\"), QStringList{"C:\\GAMES\\PAC.ZIP"});
    EXPECT_EQ(steps.last(), "Building List: C:\\Games\\Pac.zip...");
}

TEST_F(Walk, APunctuationOnlyFragmentCollectsEveryDottedName) {
    inst.writeFile("C:\\MISC\\NOTES.TXT", "x");
    inst.writeFile("C:\\MISC\\README", "x");
    inst.writeFile("C:\\MISC\\a.b.c", "x");
    EXPECT_EQ(walk("C:\\MISC", {".EXE", ".ZIP", "."}),
              (QStringList{"C:\\MISC\\NOTES.TXT", "C:\\MISC\\A.B.C"}));
}

TEST_F(Walk, DottedFoldersAndFilesAreNeitherEnteredNorCollected) {
    inst.writeFile("C:\\.HIDDENSTUFF\\SECRET.ZIP", "x");
    inst.writeFile("C:\\GAMES\\.config\\INNER.ZIP", "x");
    inst.writeFile("C:\\GAMES\\.GAME.ZIP", "x");
    inst.writeFile("C:\\GAMES\\SEEN.ZIP", "x");
    EXPECT_EQ(walk("C:"), QStringList{"C:\\GAMES\\SEEN.ZIP"});
}

TEST_F(Walk, CollectedFilesBecomeWritableExceptTheProgramItself) {
    inst.writeFile("C:\\BRIVANEL\\Brivanel.exe", "x");
    inst.writeFile("C:\\TOOLS\\PKZIP.EXE", "x");
    inst.writeFile("C:\\TOOLS\\README.TXT", "x");
    SetMode(inst.host("C:\\BRIVANEL\\Brivanel.exe"), 0555);
    SetMode(inst.host("C:\\TOOLS\\PKZIP.EXE"), 0555);
    SetMode(inst.host("C:\\TOOLS\\README.TXT"), 0444);

    EXPECT_EQ(walk("C:"), (QStringList{"C:\\BRIVANEL\\BRIVANEL.EXE", "C:\\TOOLS\\PKZIP.EXE"}));
    EXPECT_EQ(ModeOf(inst.host("C:\\BRIVANEL\\Brivanel.exe")), 0555u);
    EXPECT_EQ(ModeOf(inst.host("C:\\TOOLS\\PKZIP.EXE")),
              0755u);  // only the owner's write bit added
    EXPECT_EQ(ModeOf(inst.host("C:\\TOOLS\\README.TXT")), 0444u);  // not collected, not touched
}

TEST_F(Walk, PathsThatDoNotLeadToAFolderYieldNothing) {
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    for (const char* folder :
         {"", "C:\\NOWHERE", "Q:", "GAMES", "C:\\GAMES\\PACMAN.ZIP", "C:\\GAMES "}) {
        EXPECT_TRUE(walk(folder).isEmpty()) << folder;
    }
    EXPECT_TRUE(steps.isEmpty());
}

TEST_F(Walk, SymbolicLinkLoopsEndAndLinkedFilesCount) {
    inst.writeFile("C:\\LOOP\\GAME.ZIP", "x");
    symlink("..", "C:\\LOOP\\UP");
    symlink(".", "C:\\LOOP\\SELF");
    symlink("KNOT", "C:\\LOOP\\KNOT");            // a link to itself
    symlink("GONE.ZIP", "C:\\LOOP\\DANGLE.ZIP");  // a link to nothing
    symlink("GAME.ZIP", "C:\\LOOP\\LINK.ZIP");
    EXPECT_EQ(walk("C:"), (QStringList{"C:\\LOOP\\GAME.ZIP", "C:\\LOOP\\LINK.ZIP"}));
}

TEST_F(Walk, AFolderThatCannotBeReadIsPassedOver) {
    inst.writeFile("C:\\A\\LOCKED\\INSIDE.ZIP", "x");
    inst.writeFile("C:\\B\\AFTER.ZIP", "x");
    const QString locked = inst.host("C:\\A\\LOCKED");
    SetMode(locked, 0);
    const QStringList collected = walk("C:");
    SetMode(locked, 0755);
    EXPECT_TRUE(collected.contains("C:\\B\\AFTER.ZIP"));
    if (::geteuid() != 0) {  // the superuser reads it anyway
        EXPECT_FALSE(collected.contains("C:\\A\\LOCKED\\INSIDE.ZIP"));
    }
}

TEST_F(Walk, OddNamesAreCollectedUpperCased) {
    const QString jeux = QStringLiteral("C:\\Jeux Vid\u00e9o\\");
    inst.writeFile(jeux + "Street Fighter II.zip", "x");
    inst.writeFile(jeux + "Bob's \"Best\".zip", "x");
    inst.writeFile(jeux + QStringLiteral("Caf\u00e9 Ol\u00e9.zip"), "x");
    EXPECT_EQ(walk("C:"),
              (QStringList{QStringLiteral("C:\\JEUX VID\u00c9O\\BOB'S \"BEST\".ZIP"),
                           QStringLiteral("C:\\JEUX VID\u00c9O\\CAF\u00c9 OL\u00c9.ZIP"),
                           QStringLiteral("C:\\JEUX VID\u00c9O\\STREET FIGHTER II.ZIP")}));
}

TEST_F(Walk, NamesThatAreNoTextAndSpecialFilesDoNotStopTheWalk) {
    inst.mkdir("C:\\ODD");
    const QByteArray odd = QFile::encodeName(inst.host("C:\\ODD"));
    // Latin-1 bytes, not UTF-8: still a file name the walk must get past.
    const QByteArray badName = odd + "/\xe9t\xe9.zip";
    const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    // A pipe named like an archive: collecting or opening it would hang later readers.
    ASSERT_EQ(::mkfifo(QByteArray(odd + "/PIPE.ZIP").constData(), 0644), 0);
    inst.writeFile("C:\\ODD\\Z.ZIP", "x");

    const QStringList collected = walk("C:\\ODD");
    ASSERT_EQ(collected.size(), 2);
    EXPECT_EQ(collected[0], "C:\\ODD\\Z.ZIP");
    EXPECT_TRUE(collected[1].startsWith("C:\\ODD\\"));
    EXPECT_TRUE(collected[1].endsWith(QStringLiteral("T\uFFFD.ZIP")));
}

TEST_F(Walk, NestingDeeperThanAnyDosPathIsNotFollowed) {
    QString folder = "C:";
    for (int level = 1; level <= 200; ++level) {
        folder += "\\D";
        if (level == 5 || level == 200) {
            inst.writeFile(folder + QStringLiteral("\\LEVEL%1.ZIP").arg(level), "x");
        }
    }
    const QStringList collected = walk("C:");
    ASSERT_EQ(collected.size(), 1);
    EXPECT_TRUE(collected[0].endsWith("\\LEVEL5.ZIP"));
}

TEST_F(Walk, AWalkerCanBeFedOtherFragments) {
    inst.writeFile("C:\\BRIVANEL\\BITMAPS\\NES\\Mario.gif", "x");
    inst.writeFile("C:\\BRIVANEL\\BITMAPS\\pacman.bmp", "x");
    inst.writeFile("C:\\BRIVANEL\\BITMAPS\\notes.txt", "x");
    EXPECT_EQ(walk("C:\\BRIVANEL\\bitmaps", {".BMP", ".GIF"}),
              (QStringList{"C:\\BRIVANEL\\BITMAPS\\NES\\MARIO.GIF",
                           "C:\\BRIVANEL\\BITMAPS\\PACMAN.BMP"}));
}
