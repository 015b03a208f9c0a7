#include <gtest/gtest.h>

#include "catalogue/ProfileCache.h"
#include "support/TempInstallation.h"

namespace {

class ProfileCacheTest : public ::testing::Test {
protected:
    ProfileCacheTest() { inst.writeFile(list, "[Games]\r\nabc=First\r\n"); }
    QString game() { return cache.get(fs, list)->readString(u"Games"_qs, u"abc"_qs, QString()); }

    TempInstallation inst;
    const QString list = u"C:\\BRIVANEL\\MAME.lst"_qs;
    ProfileCache cache;
    const DosFileSystem fs = inst.fs();
};

TEST_F(ProfileCacheTest, AFileRewrittenRightAwayIsReadAgainEvenWithTheSameSize) {
    EXPECT_EQ(game(), u"First"_qs);
    inst.writeFile(list, "[Games]\r\nabc=Other\r\n");
    EXPECT_EQ(game(), u"Other"_qs);
    EXPECT_FALSE(cache.get(fs, u"C:\\BRIVANEL\\NONE.lst"_qs)->hasKey(u"Games"_qs, u"abc"_qs));
}

TEST_F(ProfileCacheTest, AHoldAnswersFromItsFirstLookUpUntilItEnds) {
    {
        const ProfileCache::Hold hold(cache);
        EXPECT_EQ(game(), u"First"_qs);
        inst.writeFile(list, "[Games]\r\nabc=Other\r\n");
        const ProfileCache::Hold nested(cache);
        EXPECT_EQ(game(), u"First"_qs);
    }
    EXPECT_EQ(game(), u"Other"_qs);
}

}  // namespace
