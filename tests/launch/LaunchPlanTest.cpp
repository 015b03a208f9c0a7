#include "launch/LaunchPlan.h"

#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "platform/DosPath.h"
#include "platform/ScriptWord.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

class LaunchPlanTest : public ::testing::Test {
protected:
    LaunchPlanTest() {
        emulator.emulatorId = q("MAME");
        emulator.type = q("MAME");
        emulator.showJoyEmu = true;
        emulator.romPath = q("ROMS\\");
        inst.writeFile(kExe, "#!/bin/sh\n");
        inst.writeFile(kZip, "PK");
        inst.writeFile(q("D:\\Spiele für mich\\pong.zip"), "PK");
        inst.writeFile(q("C:\\PK\\PKUNZIP.EXE"), "#!/bin/sh\n");
        inst.writeLines(q("C:\\BRIVANEL\\MAME.lst"), {q("[Directories]"), q("pongtwo=pong2dir")});
        inst.writeLines(q("C:\\BRIVANEL\\MAME.MRG"), {q("[Merged]"), q("pong2dir=pong")});
        request.shortName = q("pongtwo");
        request.location = kZip;
        request.emulatorLocation = kExe;
        request.tools.pkunzip = q("C:\\PK\\PKUNZIP.EXE");
        request.tools.uniVbe = q("C:\\UNIVBE\\UNIVBE.EXE");  // not there
        request.tools.zipMagic = q("C:\\ZM\\ZMCMDLN.EXE");   // not there
        request.tools.joyEmu = q("C:\\JOYEMU\\JOYEMU.EXE");  // not there
        request.keyFile = q("C:\\KEYS\\PONG.KS");
    }

    const QString kExe = q("C:\\Mame Emus Ä\\MAME.EXE");
    const QString kZip = q("D:\\Spiele für mich\\PONG TWO.ZIP");
    std::optional<QStringList> lines() {
        ScriptWords words(inst.fs());
        std::optional<QStringList> out = launchLines(inst.context(), emulator, request, words);
        EXPECT_TRUE(words.ok()) << words.refusal().toStdString();
        return out;
    }

    TempInstallation inst;
    EmulatorDefinition emulator;
    LaunchRequest request;
};

// Blanks and non-ASCII letters never reach a script line: every path is in
// short form, the names come from the list and merge files.
TEST_F(LaunchPlanTest, PathsInShortFormNamesFromListAndMergeFiles) {
    const DosFileSystem fs = inst.fs();
    const QString x = fs.shortPath(kExe);
    const QString e = DosPath::directoryPart(x);
    const QString z = fs.shortPath(kZip);
    for (const QString& path : {x, z}) {
        EXPECT_FALSE(path.contains(u' ')) << path.toStdString();
        EXPECT_TRUE(fs.fileExists(path)) << path.toStdString();
    }
    const QString pku = q("C:\\PK\\PKUNZIP.EXE");
    EXPECT_EQ(lines(),
              (QStringList{
                  pku + u' ' + DosPath::directoryPart(z) + u"pong " + e + u"ROMS\\pong2dir -d -o",
                  pku + u' ' + z + u' ' + e + u"ROMS\\pong2dir -d -o", q("C:"), u"cd " + e,
                  x + u" pongtwo", u"deltree /y " + e + u"ROMS\\pong2dir",
                  u'"' + inst.context().executablePath() + u'"'}));
}

TEST_F(LaunchPlanTest, ToolsTakePartOnlyWhenTheyExist) {
    inst.writeFile(q("C:\\UNIVBE\\UNIVBE.EXE"), "x");
    inst.writeFile(q("C:\\ZM\\ZMCMDLN.EXE"), "x");
    inst.writeFile(q("C:\\JOYEMU\\JOYEMU.EXE"), "x");
    request.tools.zipMagic = q("c:\\zm\\zmcmdln.exe");
    const auto written = lines();
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->mid(0, 3),
              (QStringList{q("c:\\zm\\zmcmdln.exe /e-"), q("C:\\UNIVBE\\UNIVBE.EXE"),
                           q("C:\\JOYEMU\\JOYEMU.EXE kC:\\KEYS\\PONG.KS")}));
    request.tools.pkunzip = q("C:\\PK\\GONE.EXE");
    EXPECT_FALSE(lines().has_value());
}

TEST_F(LaunchPlanTest, OnlySingleEmulatorsPlayWithoutRomName) {
    EXPECT_TRUE(launchRomName(inst.context(), emulator, QString()).isEmpty());
    EXPECT_FALSE(isLaunchable(emulator, QString()));
    EXPECT_TRUE(isLaunchable(emulator, q("pong")));
    emulator.type = q("SINGLE");
    EXPECT_TRUE(isLaunchable(emulator, QString()));
    EXPECT_EQ(launchRomName(inst.context(), emulator, q("pongtwo")), q("pong2dir"));
}

}  // namespace

// Decided from the real files: the zipped-ROM folder is made when it is not
// there, an equal archive in it is used and kept, a different one refused.
TEST_F(LaunchPlanTest, AnArchiveAlreadyInTheZippedRomFolderIsUsedOnlyWhenItIsTheGames) {
    emulator.type = q("MULTI");
    emulator.zippedRomPath = q("ROMS\\");
    request.shortName = q("pong");
    request.location = q("D:\\ZIPS\\PONG.ZIP");
    inst.writeFile(request.location, "PK");
    const QString e = DosPath::directoryPart(inst.fs().shortPath(kExe));
    const QStringList makeCopyAndDelete{u"md " + e + u"ROMS",
                                        u"copy D:\\ZIPS\\PONG.ZIP " + e + u"ROMS",
                                        u"deltree /y " + e + u"ROMS\\pong.zip"};
    const auto copied = lines();
    ASSERT_TRUE(copied.has_value());
    for (const QString& line : makeCopyAndDelete) {
        EXPECT_TRUE(copied->contains(line)) << copied->join(u'\n').toStdString();
    }

    inst.writeFile(q("C:\\Mame Emus Ä\\ROMS\\pong.zip"), "PK");
    const auto kept = lines();
    ASSERT_TRUE(kept.has_value());
    for (const QString& line : makeCopyAndDelete) {
        EXPECT_FALSE(kept->contains(line)) << line.toStdString();
    }

    inst.writeFile(q("C:\\Mame Emus Ä\\ROMS\\pong.zip"), "the user's own");
    ScriptWords words(inst.fs());
    EXPECT_FALSE(launchLines(inst.context(), emulator, request, words).has_value());
    EXPECT_EQ(words.refusal().toStdString(),
              QString(u"the zipped-ROM folder holds \"" + e +
                      u"ROMS\\PONG.ZIP\", which differs from the game's archive "
                      u"\"D:\\ZIPS\\PONG.ZIP\"")
                  .toStdString());
}
