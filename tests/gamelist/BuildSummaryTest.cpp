#include "gamelist/BuildSummary.h"

#include <gtest/gtest.h>

#include "support/TempInstallation.h"
#include "support/TestEmulator.h"

TEST(BuildSummary, CountsEachGameOnceAndAddsTheNotes) {
    BuildSummary summary;
    EXPECT_EQ(summary.text(), "0 of 0 games found");
    summary.countGame("Pac-Man", true);
    summary.countGame("Pac-Man", false);  // listed by a second emulator: still found
    summary.countGame("Galaga", false);
    for (int i = 0; i < 120; ++i) {
        summary.countGame(QStringLiteral("Missing %1").arg(i), false);
    }
    summary.addMissingList("C:\\BRIVANEL\\NES.lst");
    summary.addNote("nothing found on D:\\ROMS");
    summary.addMissingList("C:\\BRIVANEL\\GB.lst");
    summary.addMissingList("C:\\BRIVANEL\\nes.LST");  // shared by two emulators
    EXPECT_EQ(summary.text(),
              "1 of 122 games found; nothing found on D:\\ROMS; left out for want of a game list: "
              "NES.lst, GB.lst (brivanel-makelist makes one from a folder of ROMs)");
    summary.clear();
    EXPECT_EQ(summary.text(), "0 of 0 games found");
    EXPECT_EQ(MissingListMessage("Mednafen NES {x}", "C:\\BRIVANEL\\NES.lst"),
              "Mednafen NES {x} left out: its game list C:\\BRIVANEL\\NES.lst does not exist "
              "(brivanel-makelist makes one from a folder of ROMs)");
}

TEST(BuildSummary, OnlyAListThatNoEmulatorPrintsAndThatIsMissingIsNoted) {
    TempInstallation inst;
    inst.writeLines("C:\\BRIVANEL\\HAVE.lst", {"[Games]"});
    inst.writeLines("C:\\BRIVANEL\\SNES.lst", {"[Games]"});
    struct Case {
        const char* id;
        const char* type;
        const char* platform;
        const char* namedFile;  // none: no note
    };
    const Case cases[] = {
        {"MAME", "MAME", "", nullptr},  // it prints its list: waited for
        {"SINGLE", "SINGLE", "", nullptr},
        {"HAVE", "MULTI", "", nullptr},
        {"GONE", "MULTI", "", "C:\\BRIVANEL\\GONE.lst"},
        {"MEDNES", "CONSOLE", "NES", "C:\\BRIVANEL\\NES.lst"},
        {"SNES9X", "CONSOLE", "SNES", nullptr},  // the platform's shared list
        {"HAVE", "CONSOLE", "NES", nullptr},     // its own list comes first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EmulatorDefinition emulator = testEmulator(c.id, c.type);
        emulator.platform = c.platform;
        const std::optional<QString> file = MissingListFile(inst.context(), emulator);
        if (c.namedFile == nullptr) {
            EXPECT_EQ(file, std::nullopt);
        } else {
            EXPECT_EQ(file, QString(c.namedFile));
        }
    }
}
