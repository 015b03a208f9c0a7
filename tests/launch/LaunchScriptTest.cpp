#include "launch/LaunchScript.h"

#include <gtest/gtest.h>

#include <functional>

#include "catalogue/EmulatorDefinition.h"
#include "platform/ScriptWord.h"
#include "support/TempInstallation.h"
#include "support/Text.h"

namespace {

const QString kRestart = q("\"C:\\BRIVANEL\\BRIVANEL.EXE\"");

// Drives with the emulator's folders, as an installation has them.
class Drives : public TempInstallation {
public:
    Drives() {
        mkdir(q("C:\\MAME\\ROMS"));
        mkdir(q("C:\\MAME\\ZIPPED"));
    }
};

// The script of names that are all safe, with nothing in their way: no refusal.
std::optional<QStringList> compose(const EmulatorDefinition& emulator, const LaunchScriptInput& in,
                                   const Drives& drives = Drives()) {
    ScriptWords words(drives.fs());
    std::optional<QStringList> lines = launchScript(emulator, in, words);
    EXPECT_TRUE(words.ok()) << words.refusal().toStdString();
    return lines;
}

EmulatorDefinition mameEmulator() {
    EmulatorDefinition e;
    e.emulatorId = q("MAME");
    e.type = q("MAME");
    e.showJoyEmu = true;
    e.romPath = q("ROMS\\");
    return e;
}

// The first worked example: pacman unzipped into ROMS\ with UniVBE.
LaunchScriptInput pacmanInput() {
    LaunchScriptInput in;
    in.commandLine = q("C:\\MAME\\MAME.EXE pacman");
    in.executable = q("C:\\MAME\\MAME.EXE");
    in.emulatorDirectory = q("C:\\MAME\\");
    in.location = q("C:\\ZIPS\\PACMAN.ZIP");
    in.programDirectory = q("C:\\BRIVANEL\\");
    in.restartPath = q("C:\\BRIVANEL\\BRIVANEL.EXE");
    in.shortName = in.romName = in.parentName = q("pacman");
    in.pkunzip = q("C:\\PK\\PKUNZIP.EXE");
    in.uniVbe = q("C:\\UNIVBE\\UNIVBE.EXE");
    return in;
}

TEST(LaunchScript, EightLineExample) {
    EXPECT_EQ(
        compose(mameEmulator(), pacmanInput()),
        (QStringList{q("C:\\UNIVBE\\UNIVBE.EXE"),
                     q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS\\pacman -d -o"),
                     q("C:"), q("cd C:\\MAME\\"), q("C:\\MAME\\MAME.EXE pacman"),
                     q("deltree /y C:\\MAME\\ROMS\\pacman"), q("C:\\UNIVBE\\UNIVBE.EXE -u"),
                     kRestart}));
}

TEST(LaunchScript, EighteenLineExample) {
    EmulatorDefinition emulator = mameEmulator();
    emulator.zippedRomPath = q("ROMS\\");
    LaunchScriptInput in = pacmanInput();
    in.uniVbe.clear();
    in.pkzip = q("C:\\PK\\PKZIP.EXE");
    in.parentName = q("puckman");
    const QStringList prom{
        q("C:\\PK\\PKUNZIP.EXE C:\\MAME\\bigprom.zip pacman\\*.* C:\\BRIVANEL\\pacman -d"),
        q("C:\\PK\\PKUNZIP.EXE C:\\MAME\\allproms.zip pacman\\*.* C:\\BRIVANEL\\pacman -d"),
        q("attrib C:\\ZIPS\\PACMAN.ZIP -r"),
        q("C:\\PK\\PKZIP.EXE C:\\ZIPS\\PACMAN.ZIP C:\\BRIVANEL\\pacman\\*.*"),
        q("deltree /y C:\\BRIVANEL\\pacman")};
    const QStringList expected =
        prom + QStringList{q("copy C:\\ZIPS\\puckman.zip C:\\MAME\\ROMS")} + prom +
        QStringList{q("copy C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS"),
                    q("C:"),
                    q("cd C:\\MAME\\"),
                    q("C:\\MAME\\MAME.EXE pacman"),
                    q("deltree /y C:\\MAME\\ROMS\\puckman.zip"),
                    q("deltree /y C:\\MAME\\ROMS\\pacman.zip"),
                    kRestart};
    ASSERT_EQ(expected.size(), 18);
    EXPECT_EQ(compose(emulator, in), expected);
}

struct ScriptCase {
    const char* name;
    std::function<void(EmulatorDefinition&, LaunchScriptInput&)> change;
    QStringList lines;
};

TEST(LaunchScript, EdgeCases) {
    const QStringList core{q("C:"), q("cd C:\\MAME\\"), q("C:\\MAME\\MAME.EXE pacman")};
    const ScriptCase cases[] = {
        {"ShowJoyEmu false: no JoyEmu lines even with a key file",
         [](EmulatorDefinition& e, LaunchScriptInput& in) {
             e.showJoyEmu = false;
             in.uniVbe.clear();
             in.commandLine = q("start /w C:\\MAME\\MAME.EXE pacman");
             in.joyEmu = q("C:\\JOYEMU\\JOYEMU.EXE");
             in.keyFile = q("C:\\JOYEMU\\PACMAN.KS");
         },
         {q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS\\pacman -d -o"), q("C:"),
          q("cd C:\\MAME\\"), q("start /w C:\\MAME\\MAME.EXE pacman"),
          q("deltree /y C:\\MAME\\ROMS\\pacman"), kRestart}},
        {"JoyEmu shown with a key file: load and unload around everything",
         [](EmulatorDefinition&, LaunchScriptInput& in) {
             in.joyEmu = q("C:\\JOYEMU\\JOYEMU.EXE");
             in.keyFile = q("C:\\JOYEMU\\PACMAN.KS");
             in.zipMagic = q("c:\\zipmagic\\zmcmdln.exe");
             in.location = q("C:\\MAME\\ROMS\\pacman");
         },
         QStringList{q("c:\\zipmagic\\zmcmdln.exe /e-"), q("C:\\UNIVBE\\UNIVBE.EXE"),
                     q("C:\\JOYEMU\\JOYEMU.EXE kC:\\JOYEMU\\PACMAN.KS")} +
             core +
             QStringList{q("C:\\JOYEMU\\JOYEMU.EXE u"), q("C:\\UNIVBE\\UNIVBE.EXE -u"), kRestart}},
        {"JoyEmu shown without a key file: no lines",
         [](EmulatorDefinition&, LaunchScriptInput& in) {
             in.joyEmu = q("C:\\JOYEMU\\JOYEMU.EXE");
             in.uniVbe.clear();
             in.location = q("Dir");
         },
         core + QStringList{kRestart}},
        {"archive already in the zipped-ROM folder, other case",
         [](EmulatorDefinition& e, LaunchScriptInput& in) {
             e.zippedRomPath = q("ROMS\\");
             in.uniVbe.clear();
             in.location = q("c:\\mame\\roms\\PACMAN.ZIP");
             in.parentName = q("puckman");
         },
         core + QStringList{kRestart}},
        {"CONSOLE with two blanks between extensions",
         [](EmulatorDefinition& e, LaunchScriptInput& in) {
             e.type = q("CONSOLE");
             e.emulatorId = q("NESTER");
             e.extensions = q("NES  FDS");
             in.uniVbe.clear();
             in.commandLine = q("C:\\MAME\\MAME.EXE pacman");
         },
         QStringList{q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS\\ -d")} + core +
             QStringList{q("deltree /y C:\\MAME\\ROMS\\pacman.NES"),
                         q("deltree /y C:\\MAME\\ROMS\\pacman.FDS"), kRestart}},
        {"ROM directory game: core and tool lines only",
         [](EmulatorDefinition&, LaunchScriptInput& in) {
             in.location = q("C:\\MAME\\ROMS\\PACMAN");
             in.pkunzip.clear();
         },
         QStringList{q("C:\\UNIVBE\\UNIVBE.EXE")} + core +
             QStringList{q("C:\\UNIVBE\\UNIVBE.EXE -u"), kRestart}},
        {"RAGE unpacks its own pack, and a clone its parent",
         [](EmulatorDefinition& e, LaunchScriptInput& in) {
             e.emulatorId = q("RAGE");
             e.type = q("MULTI");
             in.uniVbe.clear();
             in.romName = q("pacdir");
             in.parentName = q("puckman");
         },
         QStringList{q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\puckman C:\\MAME\\ROMS\\pacdir -d -o"),
                     q("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS\\pacdir -d -o"),
                     q("cd C:\\MAME\\"), q("attrib -r /s"),
                     q("C:\\PK\\PKUNZIP.EXE -d C:\\MAME\\ragepack.zip")} +
             core + QStringList{q("deltree /y C:\\MAME\\ROMS\\pacdir"), kRestart}},
        {"zipped-ROM folder for a non-MAME emulator: copies without PROM lines",
         [](EmulatorDefinition& e, LaunchScriptInput& in) {
             e.type = q("MULTI");
             e.zippedRomPath = q("ZIPPED\\");
             in.uniVbe.clear();
             in.parentName = q("puckman");
         },
         QStringList{q("copy C:\\ZIPS\\puckman.zip C:\\MAME\\ZIPPED"),
                     q("copy C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ZIPPED")} +
             core +
             QStringList{q("deltree /y C:\\MAME\\ZIPPED\\puckman.zip"),
                         q("deltree /y C:\\MAME\\ZIPPED\\pacman.zip"), kRestart}},
    };
    for (const ScriptCase& c : cases) {
        EmulatorDefinition emulator = mameEmulator();
        LaunchScriptInput in = pacmanInput();
        c.change(emulator, in);
        const auto lines = compose(emulator, in);
        ASSERT_TRUE(lines.has_value()) << c.name;
        EXPECT_EQ(*lines, c.lines) << c.name;
        EXPECT_EQ(lines->last(), kRestart) << c.name;
    }
}

TEST(LaunchScript, ZippedGameWithoutUnzipToolGivesNoScript) {
    LaunchScriptInput in = pacmanInput();
    in.pkunzip.clear();
    EXPECT_FALSE(compose(mameEmulator(), in).has_value());
    EmulatorDefinition zippedFolder = mameEmulator();
    zippedFolder.zippedRomPath = q("ROMS\\");
    EXPECT_TRUE(compose(zippedFolder, in).has_value());
}

}  // namespace

// Decided from the files that are there when the script is composed: an
// archive already in the zipped-ROM folder is used only when it is the
// game's, and never deleted.
TEST(LaunchScript, ZippedRomFolderRemovesOnlyWhatItsCopiesPutThere) {
    const QStringList core{q("C:"), q("cd C:\\MAME\\"), q("C:\\MAME\\MAME.EXE pacman")};
    const struct {
        const char* name;
        const char* there;  // a file in the zipped-ROM folder
        const char* content;
        const char* location;
        QStringList lines;  // none: refused
    } cases[] = {
        {"the parent's archive lies in the folder", "C:\\MAME\\ROMS\\PUCKMAN.ZIP", "parent",
         "C:\\ZIPS\\PACMAN.ZIP",
         QStringList{q("copy C:\\ZIPS\\PACMAN.ZIP C:\\MAME\\ROMS")} + core +
             QStringList{q("deltree /y C:\\MAME\\ROMS\\pacman.zip"), kRestart}},
        {"the game's archive lies in the folder", "c:\\mame\\roms\\pacman.zip", "game",
         "C:\\ZIPS\\PACMAN.ZIP",
         QStringList{q("copy C:\\ZIPS\\puckman.zip C:\\MAME\\ROMS")} + core +
             QStringList{q("deltree /y C:\\MAME\\ROMS\\puckman.zip"), kRestart}},
        {"an older archive of the game's name lies in the folder",
         "C:\\MAME\\ROMS\\PACMAN.ZIP",
         "older",
         "C:\\ZIPS\\PACMAN.ZIP",
         {}},
        {"an archive named otherwise is removed under its own name", "C:\\MAME\\ROMS\\pacman.zip",
         "another game", "C:\\ZIPS\\PACMAN1.ZIP",
         QStringList{q("copy C:\\ZIPS\\puckman.zip C:\\MAME\\ROMS"),
                     q("copy C:\\ZIPS\\PACMAN1.ZIP C:\\MAME\\ROMS")} +
             core +
             QStringList{q("deltree /y C:\\MAME\\ROMS\\puckman.zip"),
                         q("deltree /y C:\\MAME\\ROMS\\PACMAN1.ZIP"), kRestart}},
    };
    for (const auto& c : cases) {
        EmulatorDefinition emulator = mameEmulator();
        emulator.type = q("MULTI");
        emulator.zippedRomPath = q("ROMS\\");
        LaunchScriptInput in = pacmanInput();
        in.uniVbe.clear();
        in.parentName = q("puckman");
        in.location = q(c.location);
        const Drives drives;
        drives.writeFile(q("C:\\ZIPS\\PACMAN.ZIP"), "game");
        drives.writeFile(q("C:\\ZIPS\\PUCKMAN.ZIP"), "parent");
        drives.writeFile(q(c.there), c.content);
        ScriptWords words(drives.fs());
        EXPECT_EQ(launchScript(emulator, in, words).value_or(QStringList()), c.lines) << c.name;
        if (c.lines.isEmpty()) {
            EXPECT_EQ(words.refusal(),
                      q("the zipped-ROM folder holds \"C:\\MAME\\ROMS\\PACMAN.ZIP\", which "
                        "differs from the game's archive \"C:\\ZIPS\\PACMAN.ZIP\""));
        }
    }

    // PROMs are gathered in a work folder that the clean-up deletes: one
    // that is there already is not the script's to delete.
    EmulatorDefinition mame = mameEmulator();
    mame.zippedRomPath = q("ROMS\\");
    const Drives drives;
    drives.mkdir(q("C:\\BRIVANEL\\pacman"));
    ScriptWords words(drives.fs());
    EXPECT_FALSE(launchScript(mame, pacmanInput(), words).has_value());
    EXPECT_EQ(words.refusal(), q("the work folder \"C:\\BRIVANEL\\pacman\" is there already, and "
                                 "a script deletes or overwrites only what it made"));
}
