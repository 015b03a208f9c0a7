// Hostile names from the list, merge and definition files against every
// script that writes them: each script is written whole or refused with
// the word and the reason, never written with a name split or redirected.
#include <gtest/gtest.h>

#include "catalogue/EmulatorDefinition.h"
#include "gamelist/MameListRequest.h"
#include "gamelist/RemoveFromList.h"
#include "launch/LaunchPlan.h"
#include "maintenance/MaintenanceScripts.h"
#include "platform/ScriptWord.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

struct NameRow {
    const char* shortName;
    const char* romName;     // its [Directories] value; "" for none
    const char* parentName;  // the ROM name's [Merged] value; "" for none
    const char* pattern;     // the [Config] pattern of the state file
    // The refusal of each script; "" where it is written.
    const char* play;
    const char* listRequest;  // the name as an emulator ID
    const char* removeDir;
    const char* stateFile;
    const char* samples;
};

const char* const kHigh = "hi\\%sn%.hi";

const NameRow kRows[] = {
    {"pacman", "", "", kHigh, "", "", "", "", ""},
    {"x ..", "", "", kHigh, "the short name \"x ..\" holds a blank",
     "the emulator ID \"x ..\" holds a blank", "the ROM location \"C:\\EMU\\x ..\" holds a blank",
     "the short name \"x ..\" holds a blank", "the short name \"x ..\" holds a blank"},
    {"pac man", "", "", kHigh, "the short name \"pac man\" holds a blank",
     "the emulator ID \"pac man\" holds a blank",
     "the ROM location \"C:\\EMU\\pac man\" holds a blank",
     "the short name \"pac man\" holds a blank", "the short name \"pac man\" holds a blank"},
    {"evil>C:\\BRIVANEL\\galaxy.ini", "galaxy", "", kHigh,
     "the short name \"evil>C:\\BRIVANEL\\galaxy.ini\" holds the character >",
     "the emulator ID \"evil>C:\\BRIVANEL\\galaxy.ini\" holds the character >", "",
     "the short name \"evil>C:\\BRIVANEL\\galaxy.ini\" holds the character >",
     "the short name \"evil>C:\\BRIVANEL\\galaxy.ini\" holds the character >"},
    {">>", "append", "", kHigh, "the short name \">>\" holds the character >",
     "the emulator ID \">>\" holds the character >", "",
     "the short name \">>\" holds the character >", "the short name \">>\" holds the character >"},
    {"|", "pipe", "", kHigh, "the short name \"|\" holds the character |",
     "the emulator ID \"|\" holds the character |", "",
     "the short name \"|\" holds the character |", "the short name \"|\" holds the character |"},
    {"puckc", "", "puck man", kHigh, "the parent name \"puck man\" holds a blank", "", "", "", ""},
    {"pacman", "", "", "hi\\%sn% y.hi", "", "", "",
     "the state file \"hi\\pacman y.hi\" holds a blank", ""},
    {"nul", "", "", kHigh, "the short name \"nul\" names the DOS device \"nul\", not a file",
     "the emulator ID \"nul\" names the DOS device \"nul\", not a file",
     "the ROM name \"nul\" names the DOS device \"nul\", not a file",
     "the short name \"nul\" names the DOS device \"nul\", not a file",
     "the short name \"nul\" names the DOS device \"nul\", not a file"},
    {"pacman", "", "", "prn\\%sn%.hi", "", "", "",
     "the state file \"prn\\pacman.hi\" names the DOS device \"prn\", not a file", ""},
};

class ScriptNamesTest : public ::testing::Test {
protected:
    ScriptNamesTest() {
        inst.writeFile(kExe, "#!/bin/sh\n");
        inst.writeFile(q("C:\\PK\\PKUNZIP.EXE"), "#!/bin/sh\n");
        inst.writeFile(kZip, "PK");
        QStringList directories{q("[Directories]")};
        QStringList merged{q("[Merged]")};
        for (const NameRow& row : kRows) {
            if (*row.romName != 0) {
                directories << q(row.shortName) + u'=' + q(row.romName);
            }
            if (*row.parentName != 0) {
                merged << q(row.shortName) + u'=' + q(row.parentName);
            }
        }
        inst.writeLines(q("C:\\BRIVANEL\\MAME.lst"), directories);
        inst.writeLines(q("C:\\BRIVANEL\\MAME.MRG"), merged);
        emulator.emulatorId = q("MAME");
        emulator.type = q("MAME");
        emulator.romPath = q("ROMS\\");
    }

    QString play(const QString& shortName, bool zippedFolder) {
        EmulatorDefinition e = emulator;
        e.zippedRomPath = zippedFolder ? q("ROMS\\") : QString();
        LaunchRequest request;
        request.shortName = shortName;
        request.location = kZip;
        request.emulatorLocation = kExe;
        request.tools.pkzip = q("C:\\PK\\PKZIP.EXE");
        request.tools.pkunzip = q("C:\\PK\\PKUNZIP.EXE");
        return refusal([&](ScriptWords& w) { return launchLines(inst.context(), e, request, w); });
    }

    template <typename Compose>
    QString refusal(Compose compose) {
        ScriptWords words(inst.fs());
        const bool written = compose(words).has_value();
        EXPECT_EQ(written, words.ok()) << words.refusal().toStdString();
        return words.refusal();
    }

    const QString kExe = q("C:\\EMU\\MAME.EXE");
    const QString kZip = q("D:\\ZIPS\\PUCKC.ZIP");
    TempInstallation inst;
    EmulatorDefinition emulator;
};

TEST_F(ScriptNamesTest, EveryScriptRefusesANameItsLineCannotHold) {
    const DosFileSystem fs = inst.fs();
    for (const NameRow& row : kRows) {
        const QString s = q(row.shortName);
        SCOPED_TRACE(row.shortName);
        EXPECT_EQ(play(s, false), q(row.play));
        EXPECT_EQ(play(s, true), q(row.play));
        EXPECT_EQ(refusal([&](ScriptWords& w) {
                      return MameListRequest::ScriptLines(kExe, q("C:\\BRIVANEL\\"), s, w);
                  }),
                  q(row.listRequest));
        const RemoveFromList::RomFiles dir{q("Dir"), q("C:\\EMU\\"),
                                           launchRomName(inst.context(), emulator, s), q("MAME"),
                                           QString()};
        EXPECT_EQ(
            refusal([&](ScriptWords& w) { return RemoveFromList::RomDeletionLine(fs, dir, w); }),
            q(row.removeDir));
        const MaintenanceScripts::GameFiles game{s, kZip, kExe};
        EXPECT_EQ(refusal([&](ScriptWords& w) {
                      return MaintenanceScripts::DeleteGameStateFile(fs, q(row.pattern), game,
                                                                     q("C:\\PK\\PKZIP.EXE"), w);
                  }),
                  q(row.stateFile));
        const MaintenanceScripts::SampleSet samples{
            q("C:\\SAMPLES\\S.ZIP"),  q("ROMS\\"), q("SAMPLES"), q("C:\\PK\\PKZIP.EXE"),
            q("C:\\PK\\PKUNZIP.EXE"), true};
        EXPECT_EQ(refusal([&](ScriptWords& w) {
                      return MaintenanceScripts::AddSoundSamples(fs, game, samples, w);
                  }),
                  q(row.samples));
    }
}

}  // namespace
