#include <gtest/gtest.h>

#include "platform/DosPath.h"

TEST(DosPath, SplitsDirectoryNameAndExtension) {
    EXPECT_EQ(DosPath::directoryPart(u"C:\\MAME\\MAME.EXE"_qs), u"C:\\MAME\\"_qs);
    EXPECT_EQ(DosPath::fileNamePart(u"C:\\MAME\\MAME.EXE"_qs), u"MAME.EXE"_qs);
    EXPECT_EQ(DosPath::extension(u"C:\\A.B\\GAME.ZIP.BAK"_qs), u".BAK"_qs);
    EXPECT_EQ(DosPath::extension(u"C:\\A.B\\GAME"_qs), QString());
    EXPECT_EQ(DosPath::directoryPart(u"C:X"_qs), u"C:"_qs);
}

TEST(DosPath, ComponentsApplyDotsAndIgnoreEmptyParts) {
    EXPECT_EQ(DosPath::components(u"C:\\A\\.\\B\\..\\C\\\\D"_qs),
              (QStringList{u"A"_qs, u"C"_qs, u"D"_qs}));
    EXPECT_EQ(DosPath::components(u"C:\\..\\.."_qs), QStringList());
    EXPECT_TRUE(DosPath::isDriveRoot(u"d:\\"_qs));
    EXPECT_FALSE(DosPath::isDriveRoot(u"D:\\GAMES"_qs));
    EXPECT_EQ(DosPath::withTrailingBackslash(QString()), QString());
    EXPECT_EQ(DosPath::withTrailingBackslash(u"ROMS"_qs), u"ROMS\\"_qs);
}

// Short names and ROM names of list and merge files end up after a folder in
// the launch's clean-up lines: one that leaves that folder or names more than
// one file would delete other data.
TEST(DosPath, SafeNamesStayOneComponentOfTheirFolder) {
    for (const char* safe : {"pacman", "sf2ce", "Ms Pac", "game.v1", "a-b_c!(1)"}) {
        EXPECT_TRUE(DosPath::isSafeName(QString::fromUtf8(safe))) << safe;
    }
    for (const char* unsafe : {"", ".", "..", "...", "*", "pac*", "pac?", "\\", "a\\..\\..", "a/b",
                               "C:x", "C:", "x\tz", "a\"b", "a>b", "a|b", "x\x7f"}) {
        EXPECT_FALSE(DosPath::isSafeName(QString::fromUtf8(unsafe))) << unsafe;
    }
}
