#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "BatchHarness.h"
#include "support/Text.h"

namespace {

QDateTime modified(const BatchHarness& h, const QString& dos) {
    return QFileInfo(h.host(dos)).lastModified();
}

}  // namespace

TEST(CopyCommand, CopiesIntoFoldersAndOntoFileNames) {
    BatchHarness h;
    h.write(q("C:\\zips\\pacman.zip"), "pacman");
    h.write(q("C:\\zips\\galaga.zip"), "galaga");
    h.inst.mkdir(q("C:\\MAME\\ROMS"));
    h.write(q("D:\\PACMAN.ZIP"), "old");
    QFile old(h.host(q("C:\\ZIPS\\PACMAN.ZIP")));
    ASSERT_TRUE(old.open(QIODevice::Append));
    old.setFileTime(QDateTime(QDate(1999, 5, 1), QTime(12, 0)), QFileDevice::FileModificationTime);
    old.close();
    const auto result = h.run(
        {q("copy C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS"), q("copy C:\\ZIPS\\*.ZIP D:\\"),
         q("copy C:\\ZIPS\\GALAGA.ZIP C:\\MAME\\ROMS\\gal.zip"), q("copy C:\\ZIPS\\NOPE.ZIP D:\\"),
         q("copy C:\\ZIPS\\PACMAN.ZIP C:\\ZIPS\\"), q("copy C:\\ZIPS\\PACMAN.ZIP C:\\NOWHERE\\")});
    EXPECT_EQ(h.read(q("C:\\MAME\\ROMS\\PACMAN.ZIP")), QByteArray("pacman"));
    EXPECT_EQ(QFileInfo(h.host(q("C:\\MAME\\ROMS\\PACMAN.ZIP"))).fileName(), q("pacman.zip"));
    EXPECT_EQ(modified(h, q("C:\\MAME\\ROMS\\PACMAN.ZIP")), modified(h, q("C:\\ZIPS\\PACMAN.ZIP")));
    EXPECT_EQ(h.read(q("C:\\MAME\\ROMS\\GAL.ZIP")), QByteArray("galaga"));
    // An existing name of another case is overwritten, not doubled.
    EXPECT_EQ(QDir(h.host(q("D:\\"))).entryList(QDir::Files),
              (QStringList{q("galaga.zip"), q("PACMAN.ZIP")}));
    EXPECT_EQ(h.read(q("D:\\PACMAN.ZIP")), QByteArray("pacman"));
    EXPECT_TRUE(result.log.contains(q("failed: File not found - C:\\ZIPS\\NOPE.ZIP")));
    EXPECT_TRUE(result.log.contains(q("failed: File cannot be copied onto itself")));
    EXPECT_TRUE(result.log.contains(q("failed: Path not found - C:\\NOWHERE\\")));
    EXPECT_TRUE(result.log.contains(q("done: 3 of 6 lines failed")));
}

TEST(DeltreeCommand, RemovesFoldersFilesAndExtensionMatchesWhateverTheirAttributes) {
    BatchHarness h;
    h.writeFiles({"C:\\MAME\\ROMS\\pacman\\sub\\deep.bin", "C:\\MAME\\ROMS\\pacman\\pacman.6e"});
    h.setReadOnly(q("C:\\MAME\\ROMS\\pacman\\pacman.6e"), true);
    h.setReadOnly(q("C:\\MAME\\ROMS\\pacman\\sub"), true);
    h.writeFiles({"C:\\MAME\\ROMS\\puckman.zip", "C:\\NES\\ROMS\\mario.nes",
                  "C:\\NES\\ROMS\\ZELDA.NES", "C:\\NES\\ROMS\\mario.fds"});
    // A link inside the tree goes, the folder it points to stays.
    h.write(q("D:\\KEEP\\keep.txt"));
    QFile::link(h.host(q("D:\\KEEP")), h.host(q("C:\\MAME\\ROMS\\pacman\\link")));
    const auto result =
        h.run({q("deltree /y C:\\MAME\\ROMS\\pacman"), q("deltree /y C:\\MAME\\ROMS\\PUCKMAN.ZIP"),
               q("deltree /y C:\\NES\\ROMS\\*.NES"), q("deltree /y C:\\MAME\\ROMS\\missing.zip")});
    EXPECT_EQ(result.exitCode, 0) << result.log.toStdString();
    EXPECT_FALSE(QFileInfo::exists(h.host(q("C:\\MAME\\ROMS\\pacman"))));
    EXPECT_FALSE(h.exists(q("C:\\MAME\\ROMS\\puckman.zip")));
    EXPECT_EQ(QDir(h.host(q("C:\\NES\\ROMS"))).entryList(QDir::Files), QStringList{q("mario.fds")});
    EXPECT_TRUE(h.exists(q("D:\\KEEP\\keep.txt")));
}

TEST(DeltreeCommand, WithoutYesDeletesNothing) {
    BatchHarness h;
    h.write(q("C:\\MAME\\ROMS\\pacman.zip"));
    const auto result = h.run({q("deltree C:\\MAME\\ROMS")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(h.exists(q("C:\\MAME\\ROMS\\pacman.zip")));
}

TEST(DeletionGuard, DelAndDeltreeRefuseRootsHomeAndFoldersHoldingThem) {
    BatchHarness h;
    h.writeFiles({"C:\\HOME\\user.txt", "D:\\data.txt", "D:\\GAMES\\game.zip"});
    h.environment.insert(q("HOME"), h.host(q("C:\\HOME")));
    QDir().mkpath(h.inst.root() + u"/e/deep/f");
    h.extraDrives = u"E:=" + h.inst.root() + u"/e;F:=" + h.inst.root() + u"/e/deep/f";
    const QStringList lines{q("deltree /y C:\\HOME"), q("del C:\\HOME\\*.*"),  q("del C:\\HOME"),
                            q("deltree /y D:\\"),     q("deltree /y D:\\*.*"), q("del D:\\*.*"),
                            q("deltree /y E:\\DEEP"), q("deltree /y C:\\..")};
    const auto result = h.run(lines);
    EXPECT_EQ(result.log.count(q("failed: Refused: ")), lines.size()) << result.log.toStdString();
    EXPECT_TRUE(result.log.contains(q("is the user's home folder")));
    EXPECT_TRUE(result.log.contains(q("is the root of drive D:")));
    EXPECT_TRUE(result.log.contains(q("holds the root of drive F:")));
    EXPECT_TRUE(h.exists(q("C:\\HOME\\user.txt")));
    EXPECT_TRUE(h.exists(q("D:\\data.txt")));
    EXPECT_TRUE(h.exists(q("D:\\GAMES\\game.zip")));
    EXPECT_TRUE(QFileInfo(h.inst.root() + u"/e/deep/f").isDir());
}

TEST(DelCommand, DeletesRelativePathsWildcardsAndFolderContentButNotReadOnlyFiles) {
    BatchHarness h;
    h.writeFiles({"C:\\MAME\\hi\\pacman.hi", "C:\\MAME\\hi\\galaga.hi", "C:\\MAME\\cfg\\a.cfg",
                  "C:\\MAME\\cfg\\b.CFG", "C:\\MAME\\cfg\\keep.ini", "C:\\MAME\\nvram\\one.nv",
                  "C:\\MAME\\nvram\\sub\\two.nv", "C:\\MAME\\locked.txt"});
    h.setReadOnly(q("C:\\MAME\\locked.txt"), true);
    const auto result =
        h.run({q("C:"), q("cd C:\\MAME\\"), q("del hi\\pacman.hi"), q("del cfg\\*.cfg"),
               q("del nvram"), q("del hi\\nothere.hi"), q("del locked.txt")});
    EXPECT_FALSE(h.exists(q("C:\\MAME\\hi\\pacman.hi")));
    EXPECT_TRUE(h.exists(q("C:\\MAME\\hi\\galaga.hi")));
    EXPECT_EQ(QDir(h.host(q("C:\\MAME\\cfg"))).entryList(QDir::Files), QStringList{q("keep.ini")});
    EXPECT_FALSE(h.exists(q("C:\\MAME\\nvram\\one.nv")));
    EXPECT_TRUE(h.exists(q("C:\\MAME\\nvram\\sub\\two.nv")));
    EXPECT_TRUE(h.exists(q("C:\\MAME\\locked.txt")));
    EXPECT_TRUE(result.log.contains(q("failed: File not found - hi\\nothere.hi")));
    EXPECT_TRUE(result.log.contains(q("failed: Access denied - locked.txt")));
}

TEST(RenCommand, GivesNewNamesAndNeverMovesOrOverwrites) {
    BatchHarness h;
    h.write(q("C:\\ZIPS\\a.zip"), "a");
    h.write(q("C:\\ZIPS\\taken.zip"), "taken");
    h.writeFiles({"C:\\ZIPS\\one.tmp", "C:\\ZIPS\\two.tmp"});
    const auto result =
        h.run({q("ren C:\\ZIPS\\A.ZIP b.zip"), q("ren C:\\ZIPS\\b.zip C:\\X\\c.zip"),
               q("ren C:\\ZIPS\\b.zip TAKEN.ZIP"), q("ren C:\\ZIPS\\gone.zip x.zip"),
               q("ren C:\\ZIPS\\*.tmp *.LST"), q("ren C:\\ZIPS\\b.zip B.ZIP")});
    EXPECT_EQ(QDir(h.host(q("C:\\ZIPS"))).entryList(QDir::Files),
              (QStringList{q("B.ZIP"), q("one.LST"), q("taken.zip"), q("two.LST")}));
    EXPECT_EQ(h.read(q("C:\\ZIPS\\TAKEN.ZIP")), QByteArray("taken"));
    EXPECT_TRUE(result.log.contains(q("failed: Invalid parameter - C:\\X\\c.zip")));
    EXPECT_EQ(result.log.count(q("failed: Duplicate file name or file not found")), 2);
}

TEST(AttribCommand, ClearsAndSetsReadOnlyOnFilesAndOverTheCurrentTree) {
    BatchHarness h;
    for (const char* dos : {"C:\\ZIPS\\PACMAN.ZIP", "C:\\MAME\\a.txt", "C:\\MAME\\ROMS\\x\\b.rom",
                            "C:\\OTHER\\c.txt"}) {
        h.write(q(dos));
        h.setReadOnly(q(dos), true);
    }
    h.write(q("C:\\ZIPS\\GALAGA.ZIP"));
    h.setReadOnly(q("C:\\MAME\\ROMS\\x"), true);
    const auto result =
        h.run({q("attrib C:\\ZIPS\\PACMAN.ZIP -r"), q("attrib +r C:\\ZIPS\\GALAGA.ZIP"),
               q("cd C:\\MAME"), q("attrib -r /s"), q("attrib C:\\ZIPS\\NONE.ZIP -r")});
    EXPECT_FALSE(h.isReadOnly(q("C:\\ZIPS\\PACMAN.ZIP")));
    EXPECT_TRUE(h.isReadOnly(q("C:\\ZIPS\\GALAGA.ZIP")));
    EXPECT_FALSE(h.isReadOnly(q("C:\\MAME\\a.txt")));
    EXPECT_FALSE(h.isReadOnly(q("C:\\MAME\\ROMS\\x\\b.rom")));
    EXPECT_FALSE(h.isReadOnly(q("C:\\MAME\\ROMS\\x")));
    EXPECT_TRUE(h.isReadOnly(q("C:\\OTHER\\c.txt")));
    EXPECT_TRUE(result.log.contains(q("failed: File not found - C:\\ZIPS\\NONE.ZIP")));
    EXPECT_TRUE(result.log.contains(q("done: 1 of 5 lines failed")));
}
