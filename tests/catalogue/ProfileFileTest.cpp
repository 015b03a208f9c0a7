#include <gtest/gtest.h>

#include "catalogue/ProfileFile.h"

namespace {

ProfileFile parse(const char* text) {
    return ProfileFile::parse(QByteArray(text));
}

TEST(ProfileFile, SectionsAndKeysMatchIgnoringCaseWithBlanksTrimmed) {
    const ProfileFile ini = parse(
        "[Emulator]\r\n  LBName  =  MAME {Team}  \r\nType=mame\r\n[vector]\r\nName=Vect&or\r\n");
    EXPECT_EQ(ini.readString(QStringLiteral("EMULATOR"), QStringLiteral("lbname"), QString()),
              QStringLiteral("MAME {Team}"));
    EXPECT_EQ(ini.readString(QStringLiteral("Vector"), QStringLiteral("NAME"), QString()),
              QStringLiteral("Vect&or"));
    EXPECT_EQ(
        ini.readString(QStringLiteral("Vector"), QStringLiteral("Hint"), QStringLiteral("dflt")),
        QStringLiteral("dflt"));
    EXPECT_EQ(
        ini.readString(QStringLiteral("Nothing"), QStringLiteral("Hint"), QStringLiteral("d")),
        QStringLiteral("d"));
    EXPECT_EQ(ini.sectionNames(),
              (QStringList{QStringLiteral("Emulator"), QStringLiteral("vector")}));
}

TEST(ProfileFile, MatchingQuotesAreRemovedWithTheBlanksInside) {
    const struct {
        const char* value;
        const char* read;
    } rows[] = {
        {"\"  quoted  \"", "  quoted  "}, {"'single'", "single"}, {"\"unbalanced", "\"unbalanced"},
        {"\"mixed'", "\"mixed'"},         {"\"\"", ""},           {"x\"y\"", "x\"y\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        const ProfileFile ini = ProfileFile::parse(QByteArray("[S]\nk=") + row.value + "\n");
        EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("?")),
                  QString::fromUtf8(row.read));
    }
}

TEST(ProfileFile, ValuesAreCutAt1023Characters) {
    const QByteArray longValue(5000, 'v');
    const ProfileFile ini = ProfileFile::parse("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("k"), QString()).size(), 1023);
}

TEST(ProfileFile, NameListsKeepFileOrderAndStopAt8192Bytes) {
    QByteArray text = "[Keys]\n";
    for (int i = 0; i < 2000; ++i) {
        text += "Key" + QByteArray::number(1000 + i) + "=v\n";  // 7 characters + NUL each
    }
    const ProfileFile ini = ProfileFile::parse(text);
    const QStringList keys = ini.keyNames(QStringLiteral("keys"));
    ASSERT_EQ(keys.size(), (8192 - 1) / 8);
    EXPECT_EQ(keys.first(), QStringLiteral("Key1000"));
    EXPECT_EQ(keys.last(), QStringLiteral("Key%1").arg(1000 + keys.size() - 1));
    EXPECT_TRUE(ini.keyNames(QStringLiteral("missing")).isEmpty());
}

TEST(ProfileFile, IntegersAreDecimalOrHexadecimalAndAnythingElseGivesTheDefault) {
    const struct {
        const char* value;
        int read;  // -1: the default
    } rows[] = {
        {"42", 42}, {"-5", -5},  {"0x20", 32},  {"0X1f", 31},        {"$FF", 255},
        {"0x", -1}, {"yes", -1}, {"12abc", -1}, {"99999999999", -1}, {"$FFFFFFFF", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        const ProfileFile ini = ProfileFile::parse(QByteArray("[N]\nk=") + row.value + "\n");
        EXPECT_EQ(ini.readInteger(QStringLiteral("N"), QStringLiteral("k"), -1), row.read);
    }
    const ProfileFile ini = parse("[N]\nd=42\nyes=yes\n");
    EXPECT_EQ(ini.readInteger(QStringLiteral("N"), QStringLiteral("absent"), -1), -1);
    EXPECT_TRUE(ini.readBool(QStringLiteral("N"), QStringLiteral("d"), false));
    EXPECT_FALSE(ini.readBool(QStringLiteral("N"), QStringLiteral("yes"), false));
    EXPECT_TRUE(ini.readBool(QStringLiteral("N"), QStringLiteral("absent"), true));
}

TEST(ProfileFile, CommentsStrayLinesAndRepeatedSectionsHaveAFixedTreatment) {
    const ProfileFile ini = parse(
        "orphan=before any section\n; comment=1\n[A]\n;skipped=1\nnoequals\nk=first\nk=second\n"
        "[B]\nx=1\n[a]\nlater=2\n");
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(ini.keyNames(QStringLiteral("A")),
              (QStringList{QStringLiteral("k"), QStringLiteral("later")}));
    EXPECT_EQ(ini.readString(QStringLiteral("A"), QStringLiteral("k"), QString()),
              QStringLiteral("first"));
    EXPECT_FALSE(ini.hasKey(QStringLiteral("A"), QStringLiteral(";skipped")));
    EXPECT_FALSE(ini.hasKey(QStringLiteral("A"), QStringLiteral("orphan")));
}

TEST(ProfileFile, BinaryAndMalformedContentNeverBreaksReading) {
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) {
        binary.append(char((i * 131) % 256));
    }
    const ProfileFile junk = ProfileFile::parse(binary + "\n[Emulator]\nLBName=X {y}\n");
    EXPECT_EQ(junk.readString(QStringLiteral("Emulator"), QStringLiteral("LBName"), QString()),
              QStringLiteral("X {y}"));
    const ProfileFile broken = parse("[unterminated\nk=v\n[]\nempty=1\n=novalue\n");
    EXPECT_EQ(broken.readString(QStringLiteral("unterminated"), QStringLiteral("k"), QString()),
              QStringLiteral("v"));
    EXPECT_EQ(broken.readString(QString(), QStringLiteral("empty"), QString()),
              QStringLiteral("1"));
    const ProfileFile cp1252 = ProfileFile::parse("[S]\nname=Caf\xe9\n");
    EXPECT_EQ(cp1252.readString(QStringLiteral("S"), QStringLiteral("name"), QString()),
              QStringLiteral("Café"));
}

}  // namespace
