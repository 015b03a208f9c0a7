#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/DosFileSystem.h"

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void setFolderTime(const QString& folder, const timespec& when) {
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0), 0);
}

}  // namespace

// The kernel stamps folders with a coarse clock: a file made in the same tick
// as the last listing leaves the folder's time unchanged. Setting the time
// back by hand stands in for that tick, so the stale listing must not be used.
TEST(DosFileSystemCache, FileAddedWithoutVisibleTimeChangeIsFound) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u"/games";
    ASSERT_TRUE(QDir().mkpath(folder));
    touch(folder + u"/old.zip");
    // A time in the future: the listing is never long after the last change.
    const timespec future{::time(nullptr) + 3600, 0};
    setFolderTime(folder, future);

    DriveMap drives;
    drives.set(u'C', dir.path());
    const DosFileSystem fs(drives);
    ASSERT_FALSE(fs.resolve(u"C:\\GAMES\\OLD.ZIP"_qs).isEmpty());

    touch(folder + u"/new.zip");
    setFolderTime(folder, future);
    EXPECT_FALSE(fs.resolve(u"C:\\GAMES\\NEW.ZIP"_qs).isEmpty());
}
