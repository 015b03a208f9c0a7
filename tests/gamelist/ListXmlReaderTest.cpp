#include "gamelist/ListXmlReader.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "support/ProcessRun.h"

namespace {

// MAME 0.251's -listxml for 2,000 of its systems (every 23rd, with Pong,
// Breakout and the 1-Bit DAC), each machine trimmed to what a front-end reads.
QByteArray recordedExcerpt() {
    QProcess gzip;
    gzip.setProgram(QStringLiteral("gzip"));
    gzip.setArguments({QStringLiteral("-dc"),
                       QStringLiteral(BRIVANEL_BENCH_DATA "/mame0251-excerpt-listxml.xml.gz")});
    return runToEnd(gzip).standardOutput.toUtf8();
}

// Fed in pieces of `piece` bytes, each parsed as far as it goes, as the
// output of a running emulator comes.
void readInPieces(ListXmlReader& reader, const QByteArray& xml, qsizetype piece) {
    for (qsizetype at = 0; at < xml.size() && !reader.done(); at += piece) {
        reader.addData(xml.mid(at, piece));
        reader.parseAll();
    }
    reader.endOfData();
    reader.parseAll();
}

QByteArray listOf(const QByteArray& machines, const QByteArray& doctype = {}) {
    return "<?xml version=\"1.0\"?>\n" + doctype + "<mame build=\"0.251\">\n" + machines +
           "</mame>\n";
}

}  // namespace

TEST(ListXmlReader, RecordedExcerptInAnyPieces) {
    const QByteArray xml = recordedExcerpt();
    ASSERT_GT(xml.size(), 1000000);
    for (const qsizetype piece : {qsizetype(7), qsizetype(4096), xml.size()}) {
        ListXmlReader reader;
        readInPieces(reader, xml, piece);
        ASSERT_TRUE(reader.succeeded()) << piece << ": " << reader.error().toStdString();
        const MachineFactsTable& facts = reader.facts();
        EXPECT_EQ(facts.size(), 2000);
        // Counted in the file by its attributes: 258 devices (all of them
        // not runnable), 4 BIOS sets, 694 mechanical machines.
        const auto count = [&facts](bool MachineFacts::*flag) {
            return std::count_if(facts.begin(), facts.end(),
                                 [flag](const MachineFacts& f) { return f.*flag; });
        };
        EXPECT_EQ(count(&MachineFacts::device), 258);
        EXPECT_EQ(count(&MachineFacts::bios), 4);
        EXPECT_EQ(count(&MachineFacts::mechanical), 694);
        EXPECT_EQ(facts.value(QStringLiteral("pong")),
                  (MachineFacts{u"1972"_qs, u"Atari"_qs, u"good"_qs, false, false, false}));
        EXPECT_FALSE(facts.value(QStringLiteral("dac")).listed());
        EXPECT_TRUE(facts.value(QStringLiteral("naomi2")).bios);
        EXPECT_TRUE(facts.value(QStringLiteral("24_140")).mechanical);
    }
}

TEST(ListXmlReader, HostileOrBrokenListsGiveNoFacts) {
    const QByteArray pong =
        "<machine name=\"pong\"><description>Pong</description><year>1972</year></machine>\n";
    QByteArray bomb = "<!DOCTYPE mame [\n<!ENTITY a0 \"aaaaaaaaaa\">\n";
    for (int i = 1; i < 10; ++i) {
        bomb += "<!ENTITY a" + QByteArray::number(i) + " \"" +
                QByteArray("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "\">\n";
    }
    bomb += "]>\n";
    const QByteArray excerpt = recordedExcerpt();
    const struct {
        const char* what;
        QByteArray xml;
    } cases[] = {
        {"nothing at all", {}},
        {"no machine", listOf({})},
        {"cut off inside a machine", excerpt.left(excerpt.size() / 2)},
        {"cut off after the last machine", listOf(pong).chopped(8)},
        {"binary data", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16).repeated(100)},
        {"an entity that would grow to 10^10 characters",
         listOf("<machine name=\"x\"><manufacturer>&a9;</manufacturer></machine>\n" + pong, bomb)},
        {"two roots", listOf(pong) + listOf(pong)},
        {"a machine never closed", listOf("<machine name=\"pong\"><year>1972</year>\n")},
    };
    for (const auto& c : cases) {
        ListXmlReader reader;
        readInPieces(reader, c.xml, 1000);
        EXPECT_TRUE(reader.done()) << c.what;
        EXPECT_FALSE(reader.succeeded()) << c.what;
        EXPECT_TRUE(reader.facts().isEmpty()) << c.what;
    }
}

TEST(ListXmlReader, TextsAreCutAndOutsideFilesNeverRead) {
    const QByteArray huge(20 * 1024 * 1024, 'M');
    const QByteArray xml =
        listOf("<machine name=\"" + huge + "\"><year>" + huge + "</year></machine>\n" +
                   "<machine name=\"pong\"><manufacturer>&ext; &amp; Co</manufacturer>" +
                   "<driver status=\"" + huge + "\"/></machine>\n",
               "<!DOCTYPE mame [\n<!ENTITY ext SYSTEM \"file:///etc/passwd\">\n]>\n");
    ListXmlReader reader;
    readInPieces(reader, xml, 1 << 20);
    ASSERT_TRUE(reader.succeeded()) << reader.error().toStdString();
    const QString longName(ListXmlReader::kMaxText, u'M');
    ASSERT_TRUE(reader.facts().contains(longName));
    EXPECT_EQ(reader.facts().value(longName).year, longName);
    const MachineFacts pong = reader.facts().value(QStringLiteral("pong"));
    EXPECT_EQ(pong.manufacturer, QStringLiteral("& Co"));
    EXPECT_EQ(pong.driverStatus.size(), ListXmlReader::kMaxText);
}
