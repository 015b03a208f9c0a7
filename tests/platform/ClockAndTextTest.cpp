#include <gtest/gtest.h>

#include "platform/Clock.h"
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

TEST(TextCodec, ReadsUtf8OrWindows1252AndSplitsEveryLineEnding) {
    EXPECT_EQ(TextCodec::decode("Caf\xc3\xa9"), QStringLiteral("Café"));
    EXPECT_EQ(TextCodec::decode("Caf\xe9 \x80"), QStringLiteral("Café €"));
    EXPECT_EQ(TextCodec::decode("\xef\xbb\xbfX"), QStringLiteral("X"));
    EXPECT_EQ(TextCodec::splitLines(QStringLiteral("a\r\nb\nc\rd\r\n")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("d")}));
    EXPECT_EQ(TextCodec::splitLines(QStringLiteral("a\r\n\r\nb")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(TextCodec::encodeDosLines({QStringLiteral("x"), QStringLiteral("é")}),
              QByteArray("x\r\n\xc3\xa9\r\n"));
}
