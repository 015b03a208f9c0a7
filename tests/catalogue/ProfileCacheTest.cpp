#include <gtest/gtest.h>

#include "catalogue/ProfileCache.h"
#include "support/TempInstallation.h"

TEST(ProfileCache, AFileRewrittenRightAwayIsReadAgainEvenWithTheSameSize) {
    TempInstallation inst;
    const QString list = QStringLiteral("C:\\BRIVANEL\\MAME.lst");
    inst.writeFile(list, "[Games]\r\nabc=First\r\n");
    ProfileCache cache;
    const DosFileSystem fs = inst.fs();
    EXPECT_EQ(
        cache.get(fs, list)->readString(QStringLiteral("Games"), QStringLiteral("abc"), QString()),
        QStringLiteral("First"));
    inst.writeFile(list, "[Games]\r\nabc=Other\r\n");
    EXPECT_EQ(
        cache.get(fs, list)->readString(QStringLiteral("Games"), QStringLiteral("abc"), QString()),
        QStringLiteral("Other"));
    EXPECT_FALSE(cache.get(fs, QStringLiteral("C:\\BRIVANEL\\NONE.lst"))
                     ->hasKey(QStringLiteral("Games"), QStringLiteral("abc")));
}
