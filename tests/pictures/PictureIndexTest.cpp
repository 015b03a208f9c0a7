// The picture index built by walking BITMAPS, and picture.dir.
#include <gtest/gtest.h>

#include "pictures/PictureIndex.h"
#include "support/TempInstallation.h"

namespace {

TEST(PictureIndexTest, WalkCollectsThePictureExtensionsUpperCased) {
    TempInstallation inst;
    for (const char* name :
         {"bitmaps/pacman.bmp", "bitmaps/Sub/galaga.Png", "bitmaps/a.jpeg", "bitmaps/readme.txt",
          "bitmaps/.hidden.gif", "bitmaps/nes/smb.wmf", "mario.gif"}) {
        inst.writeFile(u"C:\\BRIVANEL\\" + QString::fromLatin1(name).replace(u'/', u'\\'), "x");
    }
    // Walk order: host names in byte order, "Sub" before "a.jpeg".
    EXPECT_EQ(
        BuildPictureIndex(inst.fs(), inst.context().ProgramDirectory()),
        QStringList({"C:\\BRIVANEL\\BITMAPS\\SUB\\GALAGA.PNG", "C:\\BRIVANEL\\BITMAPS\\A.JPEG",
                     "C:\\BRIVANEL\\BITMAPS\\NES\\SMB.WMF", "C:\\BRIVANEL\\BITMAPS\\PACMAN.BMP"}));
    EXPECT_EQ(PictureExtensions().size(), 10);
    EXPECT_EQ(PictureExtensions().last(), ".PNG");
}

TEST(PictureIndexTest, MissingBitmapsGivesAnEmptyIndexAndFile) {
    TempInstallation inst;
    const QStringList index = BuildPictureIndex(inst.fs(), inst.context().ProgramDirectory());
    EXPECT_TRUE(index.isEmpty());
    ASSERT_TRUE(SavePictureIndex(inst.fs(), inst.context().ProgramDirectory(), index));
    EXPECT_EQ(inst.readFile("C:\\BRIVANEL\\picture.dir"), QByteArray());
}

TEST(PictureIndexTest, FileIsCrLfLinesAndAReadOnlyOldOneIsReplaced) {
    TempInstallation inst;
    inst.writeFile("C:\\BRIVANEL\\picture.dir", "OLD\r\n");
    inst.fs().setReadOnly("C:\\BRIVANEL\\picture.dir", true);
    ASSERT_TRUE(SavePictureIndex(inst.fs(), "C:\\BRIVANEL\\", {"C:\\A.BMP", "C:\\B.GIF"}));
    EXPECT_EQ(inst.readFile("C:\\BRIVANEL\\picture.dir"), QByteArray("C:\\A.BMP\r\nC:\\B.GIF\r\n"));
}

TEST(PictureIndexTest, ReadBackWithAnyLineEnd) {
    const QStringList expected = {"C:\\A.BMP", "C:\\B.GIF", "C:\\C.PCX"};
    for (const char* content :
         {"C:\\A.BMP\r\nC:\\B.GIF\r\nC:\\C.PCX\r\n", "C:\\A.BMP\nC:\\B.GIF\nC:\\C.PCX",
          "C:\\A.BMP\rC:\\B.GIF\r\nC:\\C.PCX\n"}) {
        EXPECT_EQ(ReadPictureIndex(content), expected) << content;
    }
}

}  // namespace
