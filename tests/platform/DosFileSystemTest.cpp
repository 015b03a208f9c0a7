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
    const DriveMap map = DriveMap::parse(u"c:=/srv/dos/c;bad;D:=/media/cdrom;;E=/x"_qs);
    EXPECT_EQ(map.hostRoot(u'C'), u"/srv/dos/c"_qs);
    EXPECT_EQ(map.hostRoot(u'd'), u"/media/cdrom"_qs);
    EXPECT_EQ(map.hostRoot(u'E'), u"/x"_qs);
    EXPECT_TRUE(map.hostRoot(u'F').isEmpty());
    EXPECT_EQ(DriveMap::parse(map.toString()).roots(), map.roots());
}

// The form is handed from the program to the interpreter and on to the
// programs it starts; every folder must come back whole.
TEST(DriveMap, EveryFolderSurvivesTheEnvironmentForm) {
    for (const char* root : {"/srv/x;y", "/srv/100%", "/srv/a%3Bb", "/srv/end ", "/srv/;;%25%"}) {
        DriveMap map;
        map.set(u'D', QString::fromUtf8(root));
        map.set(u'C', u"/srv/c"_qs);
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
    QFile::link(u"../drive_c"_qs, prefix.path() + u"/dosdevices/c:");
    QFile::link(u"/"_qs, prefix.path() + u"/dosdevices/z:");
    QFile::link(u"/dev/null"_qs, prefix.path() + u"/dosdevices/c::");
    const DriveMap map = DriveMap::fromDosDevices(prefix.path() + u"/dosdevices");
    EXPECT_EQ(map.hostRoot(u'C'), QFileInfo(prefix.path() + u"/drive_c").canonicalFilePath());
    EXPECT_EQ(map.hostRoot(u'Z'), u"/"_qs);
    EXPECT_EQ(map.roots().size(), 2u);
}

// Each component matches ignoring case, the first name in byte order among
// case twins; a path that does not exist yet keeps its unresolved tail as
// written; host paths map back through the longest drive root.
TEST_F(DosFileSystemTest, ResolvesDosPathsAndMapsHostPathsBack) {
    touch(u"zips/pacman.zip"_qs);
    touch(u"roms/game.zip"_qs, "lower");
    touch(u"roms/GAME.ZIP"_qs, "upper");
    const DosFileSystem fs(drives);
    EXPECT_EQ(fs.resolve(u"C:\\ZIPS\\PACMAN.ZIP"_qs), hostC(u"zips/pacman.zip"_qs));
    EXPECT_EQ(fs.resolve(u"c:/Zips/../zips/Pacman.Zip"_qs), hostC(u"zips/pacman.zip"_qs));
    EXPECT_EQ(fs.resolve(u"C:\\roms\\game.zip"_qs), hostC(u"roms/GAME.ZIP"_qs));
    for (const char* missing : {"C:\\ZIPS\\MISSING.ZIP", "Q:\\ZIPS", "ZIPS\\PACMAN.ZIP"}) {
        EXPECT_TRUE(fs.resolve(q(missing)).isEmpty()) << missing;
    }
    EXPECT_EQ(fs.hostPath(u"C:\\ZIPS\\New Dir\\a.txt"_qs), hostC(u"zips/New Dir/a.txt"_qs));
    EXPECT_EQ(fs.toDos(hostC(u"games/d/x/y.zip"_qs)), u"D:\\x\\y.zip"_qs);
    EXPECT_EQ(fs.toDos(hostC(u"games/other"_qs)), u"C:\\games\\other"_qs);
    EXPECT_EQ(fs.toDos(dir.path() + u"/c"), u"C:\\"_qs);
    EXPECT_TRUE(fs.toDos(u"/nowhere/at/all"_qs).isEmpty());
}

TEST_F(DosFileSystemTest, SeesChangesMadeAfterAFolderWasRead) {
    touch(u"roms/a.zip"_qs);
    const DosFileSystem fs(drives);
    EXPECT_TRUE(fs.fileExists(u"C:\\ROMS\\A.ZIP"_qs));
    EXPECT_FALSE(fs.fileExists(u"C:\\ROMS\\B.ZIP"_qs));
    touch(u"roms/b.zip"_qs);
    EXPECT_TRUE(fs.fileExists(u"C:\\ROMS\\B.ZIP"_qs));
    QFile::remove(hostC(u"roms/a.zip"_qs));
    EXPECT_FALSE(fs.fileExists(u"C:\\ROMS\\A.ZIP"_qs));
}

// Aliases have no blanks and lead back to their file; valid 8.3 names stay
// as they are on disk; a missing path comes back unchanged.
TEST_F(DosFileSystemTest, ShortPathsGiveAliasesThatResolveBack) {
    for (const char* file : {"Program Files/My Emulator v1.2/Mame Plus.exe", "Program Files2/x.txt",
                             "Progra.m/x.txt", "Jeux Vidéo/Été.zip", "MAME/mame.exe"}) {
        touch(q(file));
    }
    const DosFileSystem fs(drives);
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\PROGRAM FILES\\MY EMULATOR V1.2\\MAME PLUS.EXE",
         "C:\\PROGRA~1\\MYEMUL~1.2\\MAMEPL~1.EXE"},
        {"C:\\Program Files2\\", "C:\\PROGRA~2\\"},
        {"C:\\jeux vidéo\\été.zip", "C:\\JEUXVI~1\\T~1.ZIP"},
        {"C:\\mame\\MAME.EXE", "C:\\MAME\\mame.exe"},
        {"C:\\No Such\\File.txt", "C:\\No Such\\File.txt"},
        {"C:\\", "C:\\"},
    };
    for (const auto& [full, alias] : cases) {
        const QString shortPath = fs.shortPath(q(full));
        EXPECT_EQ(shortPath, q(alias)) << full;
        EXPECT_EQ(fs.resolve(shortPath), fs.resolve(q(full))) << full;
    }
    EXPECT_EQ(fs.resolve(q("C:\\JEUXVI~1\\T~1.ZIP")), hostC(q("Jeux Vidéo/Été.zip")));
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
    for (const char* file : {"l/b.txt", "l/B.txt", "l/.secret", "l/sub/x"}) {
        touch(q(file));
    }
    const DosFileSystem fs(drives);
    const QList<DosEntry> entries = fs.list(u"C:\\L"_qs);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].name, u".secret"_qs);
    EXPECT_TRUE(entries[0].isHidden);
    EXPECT_EQ(entries[1].name, u"B.txt"_qs);
    EXPECT_EQ(entries[2].name, u"b.txt"_qs);
    EXPECT_TRUE(entries[3].isDirectory);
}

TEST_F(DosFileSystemTest, AttributesFreeSpaceAndFileContent) {
    touch(u"a/file.txt"_qs);
    const DosFileSystem fs(drives);
    const QString file = u"C:\\A\\FILE.TXT"_qs;
    ASSERT_TRUE(fs.setReadOnly(file, true));
    EXPECT_TRUE(fs.isReadOnly(file));
    ASSERT_TRUE(fs.setArchiveOnly(file));
    EXPECT_FALSE(fs.isReadOnly(file));
    EXPECT_FALSE(fs.setArchiveOnly(u"C:\\A\\NONE.TXT"_qs));

    EXPECT_GT(fs.freeSpace(u'C'), 0);
    EXPECT_EQ(fs.freeSpace(u'Q'), 0);

    ASSERT_TRUE(fs.writeFile(u"C:\\A\\new file.txt"_qs, "hello"));
    EXPECT_EQ(fs.readFile(u"C:\\a\\NEW FILE.TXT"_qs).value_or(QByteArray()), QByteArray("hello"));
    EXPECT_FALSE(fs.readFile(u"C:\\A\\NONE.TXT"_qs).has_value());
    EXPECT_TRUE(fs.removeFile(u"C:\\A\\NEW FILE.TXT"_qs));
    EXPECT_FALSE(fs.exists(u"C:\\A\\NEW FILE.TXT"_qs));
}

}  // namespace
