#include "batch/DeletionGuard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/DriveMap.h"
#include "support/Text.h"

// The root folder cannot be tried for real; the guard is asked directly.
TEST(DeletionGuard, RefusesHostRootDriveRootsHomeAndTheirHolders) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + u"/c/games");
    QDir().mkpath(dir.path() + u"/home");
    DriveMap drives;
    drives.set(u'C', dir.path() + u"/c");
    const DeletionGuard guard(drives, dir.path() + u"/home");
    EXPECT_FALSE(guard.refusalToRemove(q("/")).isEmpty());
    EXPECT_FALSE(guard.refusalToRemove(dir.path()).isEmpty());
    EXPECT_FALSE(guard.refusalToRemove(dir.path() + u"/c").isEmpty());
    EXPECT_FALSE(guard.refusalToRemove(dir.path() + u"/c/../home").isEmpty());
    EXPECT_TRUE(guard.refusalToRemove(dir.path() + u"/c/games").isEmpty());
    EXPECT_FALSE(guard.refusalToEmpty(q("/")).isEmpty());
    EXPECT_TRUE(guard.refusalToEmpty(dir.path()).isEmpty());
    // A link to home is removed by itself; emptying it would empty home.
    QFile::link(dir.path() + u"/home", dir.path() + u"/c/games/link");
    EXPECT_TRUE(guard.refusalToRemove(dir.path() + u"/c/games/link").isEmpty());
    EXPECT_FALSE(guard.refusalToEmpty(dir.path() + u"/c/games/link").isEmpty());
}
