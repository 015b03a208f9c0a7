#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "BatchHarness.h"
#include "support/Text.h"

// Lines a careless or hostile script may hold that once lost or overwrote
// data while reporting success.
namespace {

// A file written at a host path exactly as named, where the harness's DOS
// resolution would find a case twin instead.
void writeHost(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readHost(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

TEST(RenCommand, ACaseTwinOfTheNewNameIsNeverReplaced) {
    BatchHarness h;
    h.inst.mkdir(q("C:\\TW"));
    const QString folder = h.host(q("C:\\TW"));
    writeHost(folder + u"/ABC.TXT", "UPPER");
    writeHost(folder + u"/abc.txt", "lower");
    const auto result = h.run({q("ren C:\\TW\\ABC.TXT abc.txt")});
    EXPECT_TRUE(result.log.contains(q("failed: Duplicate file name or file not found")))
        << result.log.toStdString();
    EXPECT_EQ(readHost(folder + u"/ABC.TXT"), QByteArray("UPPER"));
    EXPECT_EQ(readHost(folder + u"/abc.txt"), QByteArray("lower"));
}

TEST(CopyCommand, JoiningFilesNeverDestroysADestinationAmongItsSources) {
    BatchHarness h;
    for (const char* folder : {"C:\\J1\\", "C:\\J2\\"}) {
        h.write(q(folder) + u"a.txt", "AAA");
        h.write(q(folder) + u"b.txt", "BBB");
        h.write(q(folder) + u"c.txt", "CCC");
    }
    const auto result =
        h.run({q("copy C:\\J1\\*.txt C:\\J1\\b.txt"), q("copy C:\\J2\\*.txt C:\\J2\\a.txt")});
    EXPECT_TRUE(result.log.contains(q("failed: Content of destination lost before copy - b.txt")))
        << result.log.toStdString();
    EXPECT_EQ(h.read(q("C:\\J1\\b.txt")), QByteArray("BBB"));
    EXPECT_EQ(h.read(q("C:\\J1\\a.txt")), QByteArray("AAA"));
    // The first source as destination keeps its content, as in DOS.
    EXPECT_EQ(h.read(q("C:\\J2\\a.txt")), QByteArray("AAABBBCCC"));
    EXPECT_TRUE(result.log.contains(q("done: 1 of 2 lines failed")));
}

TEST(Links, DeletingCommandsNeverFollowALinkOutOfTheDrives) {
    BatchHarness h;
    QTemporaryDir outside;
    writeHost(outside.path() + u"/precious.txt", "precious");
    QDir().mkpath(outside.path() + u"/sub");
    writeHost(outside.path() + u"/sub/deep.txt", "deep");
    h.inst.mkdir(q("C:\\G"));
    ASSERT_TRUE(QFile::link(outside.path(), h.host(q("C:\\G")) + u"/LINK"));
    QDir().mkpath(outside.path() + u"/empty");
    const auto result = h.run({q("del C:\\G\\LINK"), q("del C:\\G\\LINK\\*.txt"),
                               q("del C:\\G\\LINK\\precious.txt"), q("deltree /y C:\\G\\LINK\\sub"),
                               q("rd C:\\G\\LINK\\EMPTY"), q("deltree /y C:\\G\\LINK")});
    EXPECT_EQ(result.log.count(q("failed: Access denied - ")), 5) << result.log.toStdString();
    EXPECT_TRUE(QFileInfo(outside.path() + u"/empty").isDir());
    EXPECT_EQ(readHost(outside.path() + u"/precious.txt"), QByteArray("precious"));
    EXPECT_EQ(readHost(outside.path() + u"/sub/deep.txt"), QByteArray("deep"));
    // deltree removes the link itself and nothing behind it.
    EXPECT_FALSE(QFileInfo(h.host(q("C:\\G")) + u"/LINK").isSymLink());
}

TEST(Links, WritesAndAttributeChangesStayOnTheDrives) {
    BatchHarness h;
    QTemporaryDir outside;
    writeHost(outside.path() + u"/target.txt", "outside");
    QFile::setPermissions(outside.path() + u"/target.txt", QFileDevice::ReadOwner);
    h.write(q("C:\\SRC.TXT"), "script data");
    h.write(q("C:\\W\\INSIDE.TXT"), "inside");
    h.writeProgram(q("C:\\TOOLS\\SAY.EXE"), q("echo said"));
    const QString w = h.host(q("C:\\W"));
    ASSERT_TRUE(QFile::link(outside.path() + u"/target.txt", w + u"/LINKFILE.TXT"));
    ASSERT_TRUE(QFile::link(outside.path() + u"/new.txt", w + u"/DANGLE.TXT"));
    ASSERT_TRUE(QFile::link(w + u"/INSIDE.TXT", w + u"/TOINSIDE.TXT"));
    ASSERT_TRUE(QFile::link(outside.path(), w + u"/DIRLINK"));
    QFile::setPermissions(w + u"/INSIDE.TXT", QFileDevice::ReadOwner);
    const auto result =
        h.run({q("copy C:\\SRC.TXT C:\\W\\LINKFILE.TXT"), q("echo more >> C:\\W\\LINKFILE.TXT"),
               q("copy C:\\SRC.TXT C:\\W\\DANGLE.TXT"), q("C:\\TOOLS\\SAY.EXE > C:\\W\\DANGLE.TXT"),
               q("md C:\\W\\DIRLINK\\NEW"), q("cd C:\\W"), q("attrib -r /s")});
    EXPECT_EQ(result.log.count(q("failed: Access denied - ")), 6) << result.log.toStdString();
    // attrib names LINKFILE.TXT, DANGLE.TXT and DIRLINK in one line.
    EXPECT_EQ(result.log.count(q("outside every drive")), 8);
    EXPECT_FALSE(QFileInfo::exists(outside.path() + u"/NEW"));
    EXPECT_EQ(readHost(outside.path() + u"/target.txt"), QByteArray("outside"));
    EXPECT_FALSE(QFileInfo(outside.path() + u"/target.txt").permission(QFileDevice::WriteOwner));
    EXPECT_FALSE(QFileInfo::exists(outside.path() + u"/new.txt"));
    // A link that stays on the drives is written through as before.
    EXPECT_TRUE(QFileInfo(w + u"/INSIDE.TXT").permission(QFileDevice::WriteOwner));
}

TEST(DeletionGuard, ADriveRootLosesWhatANarrowPatternNamesAndNeverEverything) {
    BatchHarness h;
    h.writeFiles({"D:\\a.txt", "D:\\keep.dat", "D:\\rest.bin", "D:\\roms\\x.zip"});
    const auto result = h.run({q("del D:\\*.txt"), q("deltree /y D:\\r*"), q("del D:\\k*"),
                               q("deltree /y D:\\?*"), q("del D:\\*")});
    EXPECT_EQ(result.log.count(q("failed: Refused: ")), 3) << result.log.toStdString();
    EXPECT_TRUE(result.log.contains(q("done: 3 of 5 lines failed")));
    EXPECT_EQ(QDir(h.host(q("D:\\"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{q("keep.dat")});
}
