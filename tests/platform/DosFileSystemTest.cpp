#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/DosFileSystem.h"
#include "support/Text.h"

namespace {

class DosFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        drives.set(u'C', dir.path() + u"/c");
        drives.set(u'D', dir.path() + u"/c/games/d");
        QDir().mkpath(dir.path() + u"/c/games/d");
    }
    void touch(const QString& relative, const QByteArray& content = "x") {
        const QString path = dir.path() + u"/c/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QString hostC(const QString& relative) const { return dir.path() + u"/c/" + relative; }

    QTemporaryDir dir;
    DriveMap drives;
};

TEST(DriveMap, ParsesTheEnvironmentFormAndSkipsMalformedElements) {
    const DriveMap map = DriveMap::parse(QStringLiteral("c:=/srv/dos/c;bad;D:=/media/cdrom;;E=/x"));
    EXPECT_EQ(map.hostRoot(u'C'), QStringLiteral("/srv/dos/c"));
    EXPECT_EQ(map.hostRoot(u'd'), QStringLiteral("/media/cdrom"));
    EXPECT_EQ(map.hostRoot(u'E'), QStringLiteral("/x"));
    EXPECT_TRUE(map.hostRoot(u'F').isEmpty());
    EXPECT_EQ(DriveMap::parse(map.toString()).roots(), map.roots());
}

// The form is handed from the program to the interpreter and on to the
// programs it starts; every folder must come back whole.
TEST(DriveMap, EveryFolderSurvivesTheEnvironmentForm) {
    for (const char* root : {"/srv/x;y", "/srv/100%", "/srv/a%3Bb", "/srv/end ", "/srv/;;%25%"}) {
        DriveMap map;
        map.set(u'D', QString::fromUtf8(root));
        map.set(u'C', QStringLiteral("/srv/c"));
        ASSERT_EQ(map.hostRoot(u'D'), QString::fromUtf8(root));
        EXPECT_EQ(DriveMap::parse(map.toString()).roots(), map.roots()) << root;
        EXPECT_TRUE(DriveMap::problemIn(map.toString()).isEmpty()) << root;
    }
}

TEST(DriveMap, ProblemInNamesWhatMakesTheFormUnusable) {
    for (const char* form : {"C:=/srv/c", "c:=/srv/c;D=/media/cdrom;", " C: = /srv/c "}) {
        EXPECT_TRUE(DriveMap::problemIn(QString::fromUtf8(form)).isEmpty()) << form;
    }
    for (const char* form : {"", ";", "C:/srv/c", "C:=", "C:=srv/c", "CD:=/srv", "1:=/srv",
                             "C:=/a;C:=/b", "C:=/a;junk"}) {
        EXPECT_FALSE(DriveMap::problemIn(QString::fromUtf8(form)).isEmpty()) << form;
    }
}

TEST(DriveMap, ReadsWineDosDeviceLinks) {
    QTemporaryDir prefix;
    QDir().mkpath(prefix.path() + u"/drive_c");
    QDir().mkpath(prefix.path() + u"/dosdevices");
    QFile::link(QStringLiteral("../drive_c"), prefix.path() + u"/dosdevices/c:");
    QFile::link(QStringLiteral("/"), prefix.path() + u"/dosdevices/z:");
    QFile::link(QStringLiteral("/dev/null"), prefix.path() + u"/dosdevices/c::");
    const DriveMap map = DriveMap::fromDosDevices(prefix.path() + u"/dosdevices");
    EXPECT_EQ(map.hostRoot(u'C'), QFileInfo(prefix.path() + u"/drive_c").canonicalFilePath());
    EXPECT_EQ(map.hostRoot(u'Z'), QStringLiteral("/"));
    EXPECT_EQ(map.roots().size(), 2u);
}

TEST_F(DosFileSystemTest, ResolvesEachComponentIgnoringCase) {
    touch(QStringLiteral("zips/pacman.zip"));
    const DosFileSystem fs(drives);
    EXPECT_EQ(fs.resolve(QStringLiteral("C:\\ZIPS\\PACMAN.ZIP")),
              hostC(QStringLiteral("zips/pacman.zip")));
    EXPECT_EQ(fs.resolve(QStringLiteral("c:/Zips/../zips/Pacman.Zip")),
              hostC(QStringLiteral("zips/pacman.zip")));
    EXPECT_TRUE(fs.resolve(QStringLiteral("C:\\ZIPS\\MISSING.ZIP")).isEmpty());
    EXPECT_TRUE(fs.resolve(QStringLiteral("Q:\\ZIPS")).isEmpty());
    EXPECT_TRUE(fs.resolve(QStringLiteral("ZIPS\\PACMAN.ZIP")).isEmpty());
    // A path that does not exist yet keeps its unresolved tail as written.
    EXPECT_EQ(fs.hostPath(QStringLiteral("C:\\ZIPS\\New Dir\\a.txt")),
              hostC(QStringLiteral("zips/New Dir/a.txt")));
}

TEST_F(DosFileSystemTest, FirstNameInByteOrderWinsAmongCaseTwins) {
    touch(QStringLiteral("roms/game.zip"), "lower");
    touch(QStringLiteral("roms/GAME.ZIP"), "upper");
    const DosFileSystem fs(drives);
    EXPECT_EQ(fs.resolve(QStringLiteral("C:\\roms\\game.zip")),
              hostC(QStringLiteral("roms/GAME.ZIP")));
}

TEST_F(DosFileSystemTest, SeesChangesMadeAfterAFolderWasRead) {
    touch(QStringLiteral("roms/a.zip"));
    const DosFileSystem fs(drives);
    EXPECT_TRUE(fs.fileExists(QStringLiteral("C:\\ROMS\\A.ZIP")));
    EXPECT_FALSE(fs.fileExists(QStringLiteral("C:\\ROMS\\B.ZIP")));
    touch(QStringLiteral("roms/b.zip"));
    EXPECT_TRUE(fs.fileExists(QStringLiteral("C:\\ROMS\\B.ZIP")));
    QFile::remove(hostC(QStringLiteral("roms/a.zip")));
    EXPECT_FALSE(fs.fileExists(QStringLiteral("C:\\ROMS\\A.ZIP")));
}

TEST_F(DosFileSystemTest, HostToDosUsesTheLongestDriveRoot) {
    const DosFileSystem fs(drives);
    EXPECT_EQ(fs.toDos(hostC(QStringLiteral("games/d/x/y.zip"))), QStringLiteral("D:\\x\\y.zip"));
    EXPECT_EQ(fs.toDos(hostC(QStringLiteral("games/other"))), QStringLiteral("C:\\games\\other"));
    EXPECT_EQ(fs.toDos(dir.path() + u"/c"), QStringLiteral("C:\\"));
    EXPECT_TRUE(fs.toDos(QStringLiteral("/nowhere/at/all")).isEmpty());
}

TEST_F(DosFileSystemTest, ShortPathsGiveAliasesThatResolveBack) {
    touch(QStringLiteral("Program Files/My Emulator v1.2/Mame Plus.exe"));
    touch(QStringLiteral("Program Files2/x.txt"));
    touch(QStringLiteral("Progra.m/x.txt"));
    touch(QStringLiteral("Jeux Vidéo/Été.zip"));
    touch(QStringLiteral("MAME/mame.exe"));
    const DosFileSystem fs(drives);

    const QString full = QStringLiteral("C:\\PROGRAM FILES\\MY EMULATOR V1.2\\MAME PLUS.EXE");
    const QString shortPath = fs.shortPath(full);
    EXPECT_EQ(shortPath, QStringLiteral("C:\\PROGRA~1\\MYEMUL~1.2\\MAMEPL~1.EXE"));
    EXPECT_FALSE(shortPath.contains(u' '));
    EXPECT_EQ(fs.resolve(shortPath), fs.resolve(full));
    EXPECT_EQ(fs.shortPath(QStringLiteral("C:\\Program Files2\\")),
              QStringLiteral("C:\\PROGRA~2\\"));

    const QString accented = fs.shortPath(QStringLiteral("C:\\jeux vidéo\\été.zip"));
    EXPECT_EQ(accented, QStringLiteral("C:\\JEUXVI~1\\T~1.ZIP"));
    EXPECT_EQ(fs.resolve(accented), hostC(QStringLiteral("Jeux Vidéo/Été.zip")));

    // Valid 8.3 names stay as they are on disk; a missing path comes back unchanged.
    EXPECT_EQ(fs.shortPath(QStringLiteral("C:\\mame\\MAME.EXE")),
              QStringLiteral("C:\\MAME\\mame.exe"));
    EXPECT_EQ(fs.shortPath(QStringLiteral("C:\\No Such\\File.txt")),
              QStringLiteral("C:\\No Such\\File.txt"));
    EXPECT_EQ(fs.shortPath(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
}

// Short paths go into scripts that delete: in a folder where aliases could
// clash (120 names sharing a stem, real names spelt like aliases, case twins,
// long names whose letters fold to a short name), each must lead back to the
// file it was made from, also for the interpreter, which lists afresh.
TEST_F(DosFileSystemTest, EveryShortPathLeadsBackToItsOwnFile) {
    QStringList names{q("LONGGA~1.ZIP"), q("LongGameName.zip"), q("SUPER~10.ZIP"),
                      q("GAME.ZIP"),     q("game.zip"),         q("as.zip"),
                      q("Aſ.zip"),       q("ſuperm~1.zip")};
    for (int n = 1; n <= 60; ++n) {
        names << q("SuperBomberman %1.zip").arg(n) << q("SuperMario %1.zip").arg(n);
    }
    for (const QString& name : names) {
        touch(u"f/" + name, name.toUtf8());
    }
    const DosFileSystem fs(drives);
    const DosFileSystem again(drives);
    for (const QString& name : names) {
        const QString dos = u"C:\\F\\" + name;
        // The later case twin is reached by its alias only.
        const QString file = hostC(name == u"game.zip" ? q("f/GAME.ZIP") : u"f/" + name);
        ASSERT_EQ(fs.resolve(dos), file);
        const QString shortPath = fs.shortPath(dos);
        EXPECT_FALSE(shortPath.contains(u' ')) << qPrintable(shortPath);
        EXPECT_EQ(fs.resolve(shortPath), file) << qPrintable(shortPath);
        EXPECT_EQ(again.shortPath(dos), shortPath);
        EXPECT_EQ(again.resolve(shortPath), file) << qPrintable(shortPath);
    }
    EXPECT_EQ(fs.resolve(q("C:\\F\\GAME~1.ZIP")), hostC(q("f/game.zip")));
}

TEST_F(DosFileSystemTest, ListsInByteOrderAndMarksDottedNamesHidden) {
    touch(QStringLiteral("l/b.txt"));
    touch(QStringLiteral("l/B.txt"));
    touch(QStringLiteral("l/.secret"));
    touch(QStringLiteral("l/sub/x"));
    const DosFileSystem fs(drives);
    const QList<DosEntry> entries = fs.list(QStringLiteral("C:\\L"));
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].name, QStringLiteral(".secret"));
    EXPECT_TRUE(entries[0].isHidden);
    EXPECT_EQ(entries[1].name, QStringLiteral("B.txt"));
    EXPECT_EQ(entries[2].name, QStringLiteral("b.txt"));
    EXPECT_TRUE(entries[3].isDirectory);
}

TEST_F(DosFileSystemTest, AttributesFreeSpaceAndFileContent) {
    touch(QStringLiteral("a/file.txt"));
    const DosFileSystem fs(drives);
    const QString file = QStringLiteral("C:\\A\\FILE.TXT");
    ASSERT_TRUE(fs.setReadOnly(file, true));
    EXPECT_TRUE(fs.isReadOnly(file));
    ASSERT_TRUE(fs.setArchiveOnly(file));
    EXPECT_FALSE(fs.isReadOnly(file));
    EXPECT_FALSE(fs.setArchiveOnly(QStringLiteral("C:\\A\\NONE.TXT")));

    EXPECT_GT(fs.freeSpace(u'C'), 0);
    EXPECT_EQ(fs.freeSpace(u'Q'), 0);

    ASSERT_TRUE(fs.writeFile(QStringLiteral("C:\\A\\new file.txt"), "hello"));
    EXPECT_EQ(fs.readFile(QStringLiteral("C:\\a\\NEW FILE.TXT")).value_or(QByteArray()),
              QByteArray("hello"));
    EXPECT_FALSE(fs.readFile(QStringLiteral("C:\\A\\NONE.TXT")).has_value());
    EXPECT_TRUE(fs.removeFile(QStringLiteral("C:\\A\\NEW FILE.TXT")));
    EXPECT_FALSE(fs.exists(QStringLiteral("C:\\A\\NEW FILE.TXT")));
}

}  // namespace
