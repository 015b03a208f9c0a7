#include <gtest/gtest.h>

#include "platform/DosPath.h"

TEST(DosPath, SplitsDirectoryNameAndExtension) {
    EXPECT_EQ(DosPath::directoryPart(QStringLiteral("C:\\MAME\\MAME.EXE")),
              QStringLiteral("C:\\MAME\\"));
    EXPECT_EQ(DosPath::fileNamePart(QStringLiteral("C:\\MAME\\MAME.EXE")),
              QStringLiteral("MAME.EXE"));
    EXPECT_EQ(DosPath::extension(QStringLiteral("C:\\A.B\\GAME.ZIP.BAK")), QStringLiteral(".BAK"));
    EXPECT_EQ(DosPath::extension(QStringLiteral("C:\\A.B\\GAME")), QString());
    EXPECT_EQ(DosPath::directoryPart(QStringLiteral("C:X")), QStringLiteral("C:"));
}

TEST(DosPath, ComponentsApplyDotsAndIgnoreEmptyParts) {
    EXPECT_EQ(DosPath::components(QStringLiteral("C:\\A\\.\\B\\..\\C\\\\D")),
              (QStringList{QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(DosPath::components(QStringLiteral("C:\\..\\..")), QStringList());
    EXPECT_TRUE(DosPath::isDriveRoot(QStringLiteral("d:\\")));
    EXPECT_FALSE(DosPath::isDriveRoot(QStringLiteral("D:\\GAMES")));
    EXPECT_EQ(DosPath::withTrailingBackslash(QString()), QString());
    EXPECT_EQ(DosPath::withTrailingBackslash(QStringLiteral("ROMS")), QStringLiteral("ROMS\\"));
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
