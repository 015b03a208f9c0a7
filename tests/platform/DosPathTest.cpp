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
