#include <gtest/gtest.h>

#include "catalogue/ProfileFile.h"

namespace {

ProfileFile parse(const char* text) {
    return ProfileFile::parse(QByteArray(text));
}

TEST(ProfileFile, SectionsAndKeysMatchIgnoringCaseWithBlanksTrimmed) {
    const ProfileFile ini = parse(
        "[Emulator]\r\n  LBName  =  MAME {Team}  \r\nType=mame\r\n[vector]\r\nName=Vect&or\r\n");
    EXPECT_EQ(ini.readString(u"EMULATOR"_qs, u"lbname"_qs, QString()), u"MAME {Team}"_qs);
    EXPECT_EQ(ini.readString(u"Vector"_qs, u"NAME"_qs, QString()), u"Vect&or"_qs);
    EXPECT_EQ(ini.readString(u"Vector"_qs, u"Hint"_qs, u"dflt"_qs), u"dflt"_qs);
    EXPECT_EQ(ini.readString(u"Nothing"_qs, u"Hint"_qs, u"d"_qs), u"d"_qs);
    EXPECT_EQ(ini.sectionNames(), (QStringList{u"Emulator"_qs, u"vector"_qs}));
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
        EXPECT_EQ(ini.readString(u"S"_qs, u"k"_qs, u"?"_qs), QString::fromUtf8(row.read));
    }
}

TEST(ProfileFile, ValuesAreCutAt1023Characters) {
    const QByteArray longValue(5000, 'v');
    const ProfileFile ini = ProfileFile::parse("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(ini.readString(u"S"_qs, u"k"_qs, QString()).size(), 1023);
}

TEST(ProfileFile, NameListsKeepFileOrderAndStopAt8192Bytes) {
    QByteArray text = "[Keys]\n";
    for (int i = 0; i < 2000; ++i) {
        text += "Key" + QByteArray::number(1000 + i) + "=v\n";  // 7 characters + NUL each
    }
    const ProfileFile ini = ProfileFile::parse(text);
    const QStringList keys = ini.keyNames(u"keys"_qs);
    ASSERT_EQ(keys.size(), (8192 - 1) / 8);
    EXPECT_EQ(keys.first(), u"Key1000"_qs);
    EXPECT_EQ(keys.last(), u"Key%1"_qs.arg(1000 + keys.size() - 1));
    EXPECT_TRUE(ini.keyNames(u"missing"_qs).isEmpty());
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
        EXPECT_EQ(ini.readInteger(u"N"_qs, u"k"_qs, -1), row.read);
    }
    const ProfileFile ini = parse("[N]\nd=42\nyes=yes\n");
    EXPECT_EQ(ini.readInteger(u"N"_qs, u"absent"_qs, -1), -1);
    EXPECT_TRUE(ini.readBool(u"N"_qs, u"d"_qs, false));
    EXPECT_FALSE(ini.readBool(u"N"_qs, u"yes"_qs, false));
    EXPECT_TRUE(ini.readBool(u"N"_qs, u"absent"_qs, true));
}

TEST(ProfileFile, CommentsStrayLinesAndRepeatedSectionsHaveAFixedTreatment) {
    const ProfileFile ini = parse(
        "orphan=before any section\n; comment=1\n[A]\n;skipped=1\nnoequals\nk=first\nk=second\n"
        "[B]\nx=1\n[a]\nlater=2\n");
    EXPECT_EQ(ini.sectionNames(), (QStringList{u"A"_qs, u"B"_qs}));
    EXPECT_EQ(ini.keyNames(u"A"_qs), (QStringList{u"k"_qs, u"later"_qs}));
    EXPECT_EQ(ini.readString(u"A"_qs, u"k"_qs, QString()), u"first"_qs);
    EXPECT_FALSE(ini.hasKey(u"A"_qs, u";skipped"_qs));
    EXPECT_FALSE(ini.hasKey(u"A"_qs, u"orphan"_qs));
}

TEST(ProfileFile, BinaryAndMalformedContentNeverBreaksReading) {
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) {
        binary.append(char((i * 131) % 256));
    }
    const ProfileFile junk = ProfileFile::parse(binary + "\n[Emulator]\nLBName=X {y}\n");
    EXPECT_EQ(junk.readString(u"Emulator"_qs, u"LBName"_qs, QString()), u"X {y}"_qs);
    const ProfileFile broken = parse("[unterminated\nk=v\n[]\nempty=1\n=novalue\n");
    EXPECT_EQ(broken.readString(u"unterminated"_qs, u"k"_qs, QString()), u"v"_qs);
    EXPECT_EQ(broken.readString(QString(), u"empty"_qs, QString()), u"1"_qs);
    const ProfileFile cp1252 = ProfileFile::parse("[S]\nname=Caf\xe9\n");
    EXPECT_EQ(cp1252.readString(u"S"_qs, u"name"_qs, QString()), u"Café"_qs);
}

}  // namespace
