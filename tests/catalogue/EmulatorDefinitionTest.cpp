#include <gtest/gtest.h>

#include "catalogue/DefinitionScan.h"
#include "catalogue/EmulatorDefinition.h"
#include "support/TempInstallation.h"

namespace {

const QString kDir = QStringLiteral("C:\\BRIVANEL\\");

class EmulatorDefinitionTest : public ::testing::Test {
protected:
    void write(const QString& name, const QByteArray& text) { inst.writeFile(kDir + name, text); }
    EmulatorDefinition read(const QString& id) {
        return ReadEmulatorDefinition(inst.fs(), kDir, id);
    }
    TempInstallation inst;
};

TEST_F(EmulatorDefinitionTest, RecognisesDefinitionsByListNameAndType) {
    write(QStringLiteral("a.ini"), "[Emulator]\nLBName=A {x}\nType=mame\n");
    write(QStringLiteral("b.ini"), "[Emulator]\nLBName=No brace\nType=MAME\n");
    write(QStringLiteral("c.ini"), "[Emulator]\nLBName=C {x}\nType=Arcade\n");
    write(QStringLiteral("d.ini"), "[emulator]\nlbname=D {x}\ntype=Console\n");
    const DosFileSystem fs = inst.fs();
    EXPECT_TRUE(IsEmulatorDefinition(fs, kDir + u"A.INI"));
    EXPECT_FALSE(IsEmulatorDefinition(fs, kDir + u"b.ini"));
    EXPECT_FALSE(IsEmulatorDefinition(fs, kDir + u"c.ini"));
    EXPECT_TRUE(IsEmulatorDefinition(fs, kDir + u"d.ini"));
    EXPECT_FALSE(IsEmulatorDefinition(fs, kDir + u"gone.ini"));
}

TEST_F(EmulatorDefinitionTest, DefaultsAndNormalisedValues) {
    write(QStringLiteral("nes.ini"),
          "[Emulator]\nLBName=NES {someone}\nType=console\nPlatform=NES\nExtensions=nes, "
          "fds\nROMPath=ROMS\n"
          "ZippedROMPath=ZIPS\\\nShowJoyEmu=yes\n[LinesOffscreen]\nMax=0x20\nMin=$2\n"
          "[vector]\nName=Vect&or 2\n[Sound]\n[Rotate]\nNone=\nLeft=-ror\nRight=\"-rol\"\n");
    const EmulatorDefinition d = read(QStringLiteral("NES"));
    EXPECT_EQ(d.emulatorId, QStringLiteral("NES"));
    EXPECT_EQ(d.type, QStringLiteral("CONSOLE"));
    EXPECT_EQ(d.platform, QStringLiteral("NES"));
    EXPECT_EQ(d.extensions, QStringLiteral("NES, FDS"));
    EXPECT_EQ(d.romPath, QStringLiteral("ROMS\\"));
    EXPECT_EQ(d.zippedRomPath, QStringLiteral("ZIPS\\"));
    EXPECT_EQ(d.sortName, QStringLiteral("\"Single  \""));
    EXPECT_FALSE(d.showJoyEmu);  // "yes" is no number
    EXPECT_TRUE(d.showAdditional);
    EXPECT_FALSE(d.romLast);
    EXPECT_TRUE(d.notSingle);
    EXPECT_EQ(d.linesOffscreenMax, 32);
    EXPECT_EQ(d.linesOffscreenMin, 2);
    EXPECT_EQ(d.linesOffscreenDefault, 8);
    EXPECT_TRUE(d.check(CheckGroup::Vector).present);
    EXPECT_EQ(d.check(CheckGroup::Vector).name, QStringLiteral("Vect&or 2"));
    EXPECT_TRUE(d.check(CheckGroup::LinesOffscreen).present);
    EXPECT_FALSE(d.check(CheckGroup::Cheat).present);
    EXPECT_TRUE(d.list(ListGroup::Sound).present);
    EXPECT_TRUE(d.list(ListGroup::Sound).captions.isEmpty());
    EXPECT_EQ(
        d.list(ListGroup::Rotate).captions,
        (QStringList{QStringLiteral("None"), QStringLiteral("Left"), QStringLiteral("Right")}));
    EXPECT_EQ(d.list(ListGroup::Rotate).fragments,
              (QStringList{QString(), QStringLiteral("-ror"), QStringLiteral("-rol")}));
    EXPECT_EQ(d.tabCaption(), QStringLiteral("NES"));
}

TEST_F(EmulatorDefinitionTest, PlatformIsReadOnlyForConsoleEmulatorsAndQuotesAreRemoved) {
    write(QStringLiteral("mame.ini"),
          "[Emulator]\nLBName=MAME "
          "{team}\nType=MAME\nPlatform=NES\nSortName=\"Arcade\"\nShowAdditional=0\n"
          "ROMPath=\nShowJoyEmu=1\n[Config]\nHigh=hi\\%sn%.hi\n[KeyHelp]\nGSBlankLines=2\n");
    const EmulatorDefinition d = read(QStringLiteral("MAME"));
    EXPECT_TRUE(d.platform.isEmpty());
    EXPECT_EQ(d.sortName, QStringLiteral("Arcade"));
    EXPECT_FALSE(d.showAdditional);
    EXPECT_TRUE(d.showJoyEmu);
    EXPECT_TRUE(d.romPath.isEmpty());
    EXPECT_EQ(d.highScorePattern, QStringLiteral("hi\\%sn%.hi"));
    EXPECT_EQ(d.gsBlankLines, 2);
}

TEST_F(EmulatorDefinitionTest, AVanishedFileGivesARecordOfDefaults) {
    const EmulatorDefinition d = read(QStringLiteral("GONE"));
    EXPECT_EQ(d.emulatorId, QStringLiteral("GONE"));
    EXPECT_TRUE(d.lbName.isEmpty());
    EXPECT_TRUE(d.type.isEmpty());
    EXPECT_TRUE(d.showAdditional);
    EXPECT_EQ(d.linesOffscreenDefault, 8);
}

TEST_F(EmulatorDefinitionTest, ScanTakesEveryDefinitionOnceInListingOrder) {
    const QByteArray def = "[Emulator]\nLBName=X {x}\nType=MULTI\n";
    for (int i = 0; i < 120; ++i) {
        write(QStringLiteral("e%1.ini").arg(i, 3, 10, QLatin1Char('0')), def);
    }
    write(QStringLiteral("E000.INI"), def);      // same ID as e000.ini, listed first in byte order
    write(QStringLiteral("two.dots.ini"), def);  // cannot be read back as TWO.ini
    write(QStringLiteral("readme.txt"), def);
    write(QStringLiteral("notes.ini"), "[Other]\nx=1\n");
    const DefinitionScan scan = ScanDefinitions(inst.fs(), kDir);
    EXPECT_TRUE(scan.anyIniFile);
    ASSERT_EQ(scan.emulatorIds.size(), 120);
    EXPECT_EQ(scan.emulatorIds.first(), QStringLiteral("E000"));
    EXPECT_FALSE(scan.emulatorIds.contains(QStringLiteral("TWO")));
}

TEST(DefinitionOrder, MostListLinesFirstAndTiesByLaterId) {
    const QHash<QString, int> lines{{QStringLiteral("TEN"), 10},
                                    {QStringLiteral("BIG"), 2500},
                                    {QStringLiteral("HUGE"), 45000},
                                    {QStringLiteral("ONE"), 1}};
    const auto count = [&](const QString& id) -> std::optional<int> {
        if (!lines.contains(id)) {
            return std::nullopt;
        }
        return lines.value(id);
    };
    EXPECT_EQ(OrderByListSize(
                  {QStringLiteral("TEN"), QStringLiteral("NONE"), QStringLiteral("BIG")}, count),
              (QStringList{QStringLiteral("BIG"), QStringLiteral("TEN"), QStringLiteral("NONE")}));
    // A list of 10000 lines or more still counts as the longest.
    EXPECT_EQ(OrderByListSize({QStringLiteral("BIG"), QStringLiteral("HUGE")}, count).first(),
              QStringLiteral("HUGE"));
    // A missing list counts as one line; equal counts put the later ID first.
    EXPECT_EQ(
        OrderByListSize({QStringLiteral("ONE"), QStringLiteral("ABSENT"), QStringLiteral("ZERO")},
                        count),
        (QStringList{QStringLiteral("ZERO"), QStringLiteral("ONE"), QStringLiteral("ABSENT")}));
}

}  // namespace
