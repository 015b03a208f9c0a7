// A file written moments ago: its time cannot tell a rewrite apart, so the
// cache checks its bytes, and keeps the parse while they are the same.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>

#include "catalogue/ProfileCache.h"
#include "support/TempInstallation.h"

namespace {

timespec modificationTime(const QString& host) {
    struct stat st {};
    ::stat(QFile::encodeName(host).constData(), &st);
    return st.st_mtim;
}

void setModificationTime(const QString& host, const timespec& time) {
    const timespec times[2] = {time, time};
    ::utimensat(AT_FDCWD, QFile::encodeName(host).constData(), times, 0);
}

}  // namespace

TEST(ProfileCacheRecentFile, SameBytesKeepTheParseChangedBytesAreReadAgain) {
    TempInstallation inst;
    const QString list = u"C:\\BRIVANEL\\MAME.lst"_qs;
    inst.writeFile(list, "[Games]\r\nabc=First\r\n");
    const QString host = inst.host(list);
    const DosFileSystem fs = inst.fs();
    ProfileCache cache;

    const auto first = cache.get(fs, list);
    EXPECT_EQ(cache.get(fs, list), first);  // unchanged: the same parse

    // Rewritten with the same size and, as a coarse clock gives, the same time.
    const timespec written = modificationTime(host);
    QFile file(host);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.write("[Games]\r\nabc=Other\r\n") > 0);
    file.close();
    setModificationTime(host, written);
    const auto second = cache.get(fs, list);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->readString(u"Games"_qs, u"abc"_qs, QString()), u"Other"_qs);
    EXPECT_EQ(cache.get(fs, list), second);
}
