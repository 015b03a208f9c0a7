#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/Clock.h"
#include "platform/FileClock.h"
#include "platform/TextCodec.h"
#include "support/TestDoubles.h"

TEST(Clock, CountsDaysSinceTheEndOf1899WithTheTimeAsFraction) {
    EXPECT_DOUBLE_EQ(toDayCount(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(toDayCount(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
    const QDateTime t(QDate(2026, 12, 7), QTime(13, 45, 30));
    EXPECT_EQ(fromDayCount(toDayCount(t)), t);
    SettableClock clock(100.0);
    clock.advance(0.25);
    EXPECT_DOUBLE_EQ(clock.now(), 100.25);
}

TEST(FileClock, TrustsAReadOnlyWellAfterTheLastChange) {
    constexpr qint64 kSecond = 1'000'000'000;
    const struct {
        qint64 modified, readAt;
        bool settled;
    } cases[] = {
        {0, 3 * kSecond + 1, true}, {0, 3 * kSecond, false},       {0, 2 * kSecond, false},
        {10 * kSecond, 0, false},   {-5 * kSecond, kSecond, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileClock::readSettled(c.modified, c.readAt), c.settled)
            << c.modified << " " << c.readAt;
    }
    // A file just written is read on the same clock its time comes from: too soon.
    QTemporaryDir dir;
    QFile file(dir.filePath(u"fresh.txt"_qs));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
    file.close();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file.fileName()).constData(), &st), 0);
    const qint64 now = FileClock::nowNs();
    EXPECT_LE(FileClock::modifiedNs(st), now);
    EXPECT_FALSE(FileClock::readSettled(FileClock::modifiedNs(st), now));
    EXPECT_TRUE(FileClock::readSettled(FileClock::modifiedNs(st), now + 4 * kSecond));
}

TEST(TextCodec, ReadsUtf8OrWindows1252AndSplitsEveryLineEnding) {
    EXPECT_EQ(TextCodec::decode("Caf\xc3\xa9"), u"Café"_qs);
    EXPECT_EQ(TextCodec::decode("Caf\xe9 \x80"), u"Café €"_qs);
    EXPECT_EQ(TextCodec::decode("\xef\xbb\xbfX"), u"X"_qs);
    EXPECT_EQ(TextCodec::splitLines(u"a\r\nb\nc\rd\r\n"_qs),
              (QStringList{u"a"_qs, u"b"_qs, u"c"_qs, u"d"_qs}));
    EXPECT_EQ(TextCodec::splitLines(u"a\r\n\r\nb"_qs), (QStringList{u"a"_qs, QString(), u"b"_qs}));
    EXPECT_EQ(TextCodec::encodeDosLines({u"x"_qs, u"é"_qs}), QByteArray("x\r\n\xc3\xa9\r\n"));
}
