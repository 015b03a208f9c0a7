#include <gtest/gtest.h>

#include "catalogue/DefinitionScan.h"
#include "catalogue/EmulatorDefinition.h"
#include "support/TempInstallation.h"

namespace {

const QString kDir = u"C:\\BRIVANEL\\"_qs;

class EmulatorDefinitionTest : public ::testing::Test {
protected:
    void write(const QString& name, const QByteArray& text) { inst.writeFile(kDir + name, text); }
    EmulatorDefinition read(const QString& id) {
        return ReadEmulatorDefinition(inst.fs(), kDir, id);
    }
    TempInstallation inst;
};

TEST_F(EmulatorDefinitionTest, RecognisesDefinitionsByListNameAndType) {
    write(u"a.ini"_qs, "[Emulator]\nLBName=A {x}\nType=mame\n");
    write(u"b.ini"_qs, "[Emulator]\nLBName=No brace\nType=MAME\n");
    write(u"c.ini"_qs, "[Emulator]\nLBName=C {x}\nType=Arcade\n");
    write(u"d.ini"_qs, "[emulator]\nlbname=D {x}\ntype=Console\n");
    const DosFileSystem fs = inst.fs();
    EXPECT_TRUE(IsEmulatorDefinition(fs, kDir + u"A.INI"));
    EXPECT_FALSE(IsEmulatorDefinition(fs, kDir + u"b.ini"));
    EXPECT_FALSE(IsEmulatorDefinition(fs, kDir + u"c.ini"));
    EXPECT_TRUE(IsEmulatorDefinition(fs, kDir + u"d.ini"));
    EXPECT_FALSE(IsEmulatorDefinition(fs, kDir + u"gone.ini"));
}

TEST_F(EmulatorDefinitionTest, DefaultsAndNormalisedValues) {
    write(u"nes.ini"_qs,
          "[Emulator]\nLBName=NES {someone}\nType=console\nPlatform=NES\nExtensions=nes, "
          "fds\nROMPath=ROMS\n"
          "ZippedROMPath=ZIPS\\\nShowJoyEmu=yes\n[LinesOffscreen]\nMax=0x20\nMin=$2\n"
          "[vector]\nName=Vect&or 2\n[Sound]\n[Rotate]\nNone=\nLeft=-ror\nRight=\"-rol\"\n");
    const EmulatorDefinition d = read(u"NES"_qs);
    EXPECT_EQ(d.emulatorId, u"NES"_qs);
    EXPECT_EQ(d.type, u"CONSOLE"_qs);
    EXPECT_EQ(d.platform, u"NES"_qs);
    EXPECT_EQ(d.extensions, u"NES, FDS"_qs);
    EXPECT_EQ(d.romPath, u"ROMS\\"_qs);
    EXPECT_EQ(d.zippedRomPath, u"ZIPS\\"_qs);
    EXPECT_EQ(d.sortName, u"\"Single  \""_qs);
    EXPECT_FALSE(d.showJoyEmu);  // "yes" is no number
    EXPECT_TRUE(d.showAdditional);
    EXPECT_FALSE(d.romLast);
    EXPECT_TRUE(d.notSingle);
    EXPECT_EQ(d.linesOffscreenMax, 32);
    EXPECT_EQ(d.linesOffscreenMin, 2);
    EXPECT_EQ(d.linesOffscreenDefault, 8);
    EXPECT_TRUE(d.check(CheckGroup::Vector).present);
    EXPECT_EQ(d.check(CheckGroup::Vector).name, u"Vect&or 2"_qs);
    EXPECT_TRUE(d.check(CheckGroup::LinesOffscreen).present);
    EXPECT_FALSE(d.check(CheckGroup::Cheat).present);
    EXPECT_TRUE(d.list(ListGroup::Sound).present);
    EXPECT_TRUE(d.list(ListGroup::Sound).captions.isEmpty());
    EXPECT_EQ(d.list(ListGroup::Rotate).captions,
              (QStringList{u"None"_qs, u"Left"_qs, u"Right"_qs}));
    EXPECT_EQ(d.list(ListGroup::Rotate).fragments,
              (QStringList{QString(), u"-ror"_qs, u"-rol"_qs}));
    EXPECT_EQ(d.tabCaption(), u"NES"_qs);
}

TEST_F(EmulatorDefinitionTest, PlatformIsReadOnlyForConsoleEmulatorsAndQuotesAreRemoved) {
    write(u"mame.ini"_qs,
          "[Emulator]\nLBName=MAME "
          "{team}\nType=MAME\nPlatform=NES\nSortName=\"Arcade\"\nShowAdditional=0\n"
          "ROMPath=\nShowJoyEmu=1\n[Config]\nHigh=hi\\%sn%.hi\n[KeyHelp]\nGSBlankLines=2\n");
    const EmulatorDefinition d = read(u"MAME"_qs);
    EXPECT_TRUE(d.platform.isEmpty());
    EXPECT_EQ(d.sortName, u"Arcade"_qs);
    EXPECT_FALSE(d.showAdditional);
    EXPECT_TRUE(d.showJoyEmu);
    EXPECT_TRUE(d.romPath.isEmpty());
    EXPECT_EQ(d.highScorePattern, u"hi\\%sn%.hi"_qs);
    EXPECT_EQ(d.gsBlankLines, 2);
}

TEST_F(EmulatorDefinitionTest, AVanishedFileGivesARecordOfDefaults) {
    const EmulatorDefinition d = read(u"GONE"_qs);
    EXPECT_EQ(d.emulatorId, u"GONE"_qs);
    EXPECT_TRUE(d.lbName.isEmpty());
    EXPECT_TRUE(d.type.isEmpty());
    EXPECT_TRUE(d.showAdditional);
    EXPECT_EQ(d.linesOffscreenDefault, 8);
}

TEST_F(EmulatorDefinitionTest, ScanTakesEveryDefinitionOnceInListingOrder) {
    const QByteArray def = "[Emulator]\nLBName=X {x}\nType=MULTI\n";
    for (int i = 0; i < 120; ++i) {
        write(u"e%1.ini"_qs.arg(i, 3, 10, QLatin1Char('0')), def);
    }
    write(u"E000.INI"_qs, def);      // same ID as e000.ini, listed first in byte order
    write(u"two.dots.ini"_qs, def);  // cannot be read back as TWO.ini
    write(u"readme.txt"_qs, def);
    write(u"notes.ini"_qs, "[Other]\nx=1\n");
    const DefinitionScan scan = ScanDefinitions(inst.fs(), kDir);
    EXPECT_TRUE(scan.anyIniFile);
    ASSERT_EQ(scan.emulatorIds.size(), 120);
    EXPECT_EQ(scan.emulatorIds.first(), u"E000"_qs);
    EXPECT_FALSE(scan.emulatorIds.contains(u"TWO"_qs));
}

TEST(DefinitionOrder, MostListLinesFirstAndTiesByLaterId) {
    const QHash<QString, int> lines{
        {u"TEN"_qs, 10}, {u"BIG"_qs, 2500}, {u"HUGE"_qs, 45000}, {u"ONE"_qs, 1}};
    const auto count = [&](const QString& id) -> std::optional<int> {
        if (!lines.contains(id)) {
            return std::nullopt;
        }
        return lines.value(id);
    };
    EXPECT_EQ(OrderByListSize({u"TEN"_qs, u"NONE"_qs, u"BIG"_qs}, count),
              (QStringList{u"BIG"_qs, u"TEN"_qs, u"NONE"_qs}));
    // A list of 10000 lines or more still counts as the longest.
    EXPECT_EQ(OrderByListSize({u"BIG"_qs, u"HUGE"_qs}, count).first(), u"HUGE"_qs);
    // A missing list counts as one line; equal counts put the later ID first.
    EXPECT_EQ(OrderByListSize({u"ONE"_qs, u"ABSENT"_qs, u"ZERO"_qs}, count),
              (QStringList{u"ZERO"_qs, u"ONE"_qs, u"ABSENT"_qs}));
}

}  // namespace
