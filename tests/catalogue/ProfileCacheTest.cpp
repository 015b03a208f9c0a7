#include <gtest/gtest.h>

#include "catalogue/ProfileCache.h"
#include "support/TempInstallation.h"

TEST(ProfileCache, AFileRewrittenRightAwayIsReadAgainEvenWithTheSameSize) {
    TempInstallation inst;
    const QString list = u"C:\\BRIVANEL\\MAME.lst"_qs;
    inst.writeFile(list, "[Games]\r\nabc=First\r\n");
    ProfileCache cache;
    const DosFileSystem fs = inst.fs();
    EXPECT_EQ(cache.get(fs, list)->readString(u"Games"_qs, u"abc"_qs, QString()), u"First"_qs);
    inst.writeFile(list, "[Games]\r\nabc=Other\r\n");
    EXPECT_EQ(cache.get(fs, list)->readString(u"Games"_qs, u"abc"_qs, QString()), u"Other"_qs);
    EXPECT_FALSE(cache.get(fs, u"C:\\BRIVANEL\\NONE.lst"_qs)->hasKey(u"Games"_qs, u"abc"_qs));
}

TEST(ProfileCache, AHoldAnswersFromItsFirstLookUpUntilItEnds) {
    TempInstallation inst;
    const QString list = u"C:\\BRIVANEL\\MAME.lst"_qs;
    inst.writeFile(list, "[Games]\r\nabc=First\r\n");
    ProfileCache cache;
    const DosFileSystem fs = inst.fs();
    const auto game = [&] {
        return cache.get(fs, list)->readString(u"Games"_qs, u"abc"_qs, QString());
    };
    {
        const ProfileCache::Hold hold(cache);
        EXPECT_EQ(game(), u"First"_qs);
        inst.writeFile(list, "[Games]\r\nabc=Other\r\n");
        const ProfileCache::Hold nested(cache);
        EXPECT_EQ(game(), u"First"_qs);
    }
    EXPECT_EQ(game(), u"Other"_qs);
}
