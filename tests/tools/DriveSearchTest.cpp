#include <gtest/gtest.h>

#include "catalogue/EmulatorTable.h"
#include "support/TempInstallation.h"
#include "tools/DriveSearch.h"
#include "tools/FoundFiles.h"
#include "tools/ToolsTestSupport.h"

using ToolsTest::Emulator;

namespace {

QStringList suffixesFor(const QStringList& extensionValues) {
    EmulatorTable table;
    for (const QString& value : extensionValues) {
        const int n = table.count() + 1;
        table.append(
            Emulator(QStringLiteral("Emu %1 {x}").arg(n), QStringLiteral("E%1").arg(n), value));
    }
    return DriveSearch::BuildWantedSuffixes(table);
}

}  // namespace

TEST(WantedSuffixes, ExecutablesAndArchivesComeFirstThenEachWordInTableOrder) {
    EXPECT_EQ(suffixesFor({}), (QStringList{".EXE", ".ZIP"}));
    // Duplicates stay: NES and "NES SMC" give .NES twice.
    EXPECT_EQ(suffixesFor({"NES", "NES SMC"}),
              (QStringList{".EXE", ".ZIP", ".NES", ".NES", ".SMC"}));
    EXPECT_EQ(suffixesFor({"*.nes;*.fds"}), (QStringList{".EXE", ".ZIP", ".NES", ".FDS"}));
}

TEST(WantedSuffixes, PunctuationSeparatesWordsAndEmptyValuesAddNothing) {
    EXPECT_EQ(suffixesFor({"", "  smc,,;  sfc  ", ""}),
              (QStringList{".EXE", ".ZIP", ".SMC", ".SFC"}));
    // Only punctuation: one empty word, so the fragment "." (every dotted name).
    EXPECT_EQ(suffixesFor({"*.*"}), (QStringList{".EXE", ".ZIP", "."}));
    // Letters outside ASCII separate words like punctuation does.
    EXPECT_EQ(suffixesFor({QStringLiteral("gb\u00e9gbc")}),
              (QStringList{".EXE", ".ZIP", ".GB", ".GBC"}));
}

TEST(SearchPaths, ElementsAreUsedAsTypedAndEmptyOnesSkipped) {
    EXPECT_EQ(DriveSearch::SplitSearchPaths("C:;D:\\GAMES"), (QStringList{"C:", "D:\\GAMES"}));
    EXPECT_EQ(DriveSearch::SplitSearchPaths(";C:;;D:;"), (QStringList{"C:", "D:"}));
    EXPECT_EQ(DriveSearch::SplitSearchPaths(" C: ;d:\\roms "), (QStringList{" C: ", "d:\\roms "}));
    EXPECT_TRUE(DriveSearch::SplitSearchPaths("").isEmpty());
    EXPECT_TRUE(DriveSearch::SplitSearchPaths(";;").isEmpty());
}

TEST(SearchPaths, TheRestAfterEachSeparatorIsCutTo255Characters) {
    const QString longFirst(300, u'A');
    const QStringList first = DriveSearch::SplitSearchPaths(longFirst + ";C:");
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0].size(), 300);  // before any separator nothing is cut

    const QString longRest = "C:\\" + QString(297, u'B');  // 300 characters
    const QStringList rest = DriveSearch::SplitSearchPaths("C:;" + longRest + ";D:");
    ASSERT_EQ(rest.size(), 2);  // ";D:" lay beyond the cut
    EXPECT_EQ(rest[1], longRest.left(255));
}

TEST(SearchDrives, OverlappingPathsListFilesTwiceAndMissingElementsYieldNothing) {
    TempInstallation inst;
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    inst.writeFile("C:\\GAMES\\NES\\MARIO.NES", "x");
    inst.writeFile("C:\\TOP.ZIP", "x");
    const DosFileSystem fs = inst.fs();
    EmulatorTable emulators;
    emulators.append(Emulator("Nesticle {Bloodlust}", "NESTICLE", "NES"));

    const QStringList expected{"C:\\GAMES\\NES\\MARIO.NES", "C:\\GAMES\\PACMAN.ZIP", "C:\\TOP.ZIP",
                               "C:\\GAMES\\NES\\MARIO.NES", "C:\\GAMES\\PACMAN.ZIP"};
    EXPECT_EQ(DriveSearch::SearchDrives(fs, emulators, "C:;C:\\NOWHERE;Q:;C:\\GAMES"), expected);
}

TEST(SearchDrives, AnEmptyPathListFindsNothing) {
    TempInstallation inst;
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    const DosFileSystem fs = inst.fs();
    EXPECT_TRUE(DriveSearch::SearchDrives(fs, EmulatorTable(), "").isEmpty());
}

TEST(SearchDrives, TheProgramFolderIsWalkedLastWhenNoPathReachesIt) {
    struct Case {
        const char* paths;
        bool reached;
    };
    const QString folder = QStringLiteral("C:\\.local\\share\\brivanel");
    for (const Case& c : {Case{"C:", false}, Case{"c:\\.LOCAL", true},
                          Case{"D:;C:\\.local\\", true}, Case{"C:\\.local\\share\\brivanel", true},
                          Case{"C:\\.loc", false}, Case{"D:", false}, Case{"", false}}) {
        SCOPED_TRACE(c.paths);
        EXPECT_EQ(DriveSearch::ReachesFolder(DriveSearch::SplitSearchPaths(c.paths), folder),
                  c.reached);
    }
    EXPECT_TRUE(DriveSearch::ReachesFolder({"C:"}, "C:\\BRIVANEL"));
    EXPECT_FALSE(DriveSearch::ReachesFolder({"C:\\GAMES"}, "C:\\GAMESX\\BRIVANEL"));

    TempInstallation inst;
    inst.writeFile("C:\\.local\\share\\brivanel\\PKZIP.EXE", "x");
    inst.writeFile("C:\\.local\\share\\brivanel\\MAME\\MAME.EXE", "x");
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    const EmulatorTable none;
    EXPECT_EQ(DriveSearch::SearchDrives(inst.fs(), none, "C:", {}, folder),
              (QStringList{"C:\\GAMES\\PACMAN.ZIP", "C:\\.LOCAL\\SHARE\\BRIVANEL\\MAME\\MAME.EXE",
                           "C:\\.LOCAL\\SHARE\\BRIVANEL\\PKZIP.EXE"}));
    // A path that reaches it walks it once, in its place.
    EXPECT_EQ(DriveSearch::SearchDrives(inst.fs(), none, "C:\\.local", {}, folder).size(), 2);
}

TEST(FoundFiles, LookupsAreUpperCaseSubstringTestsInListOrder) {
    const QStringList found{"C:\\UTIL\\PKZIP.EXE", "C:\\OLD\\MYPKZIP.EXE", "D:\\ROMS\\PAC.ZIP",
                            "D:\\MORE\\PAC.ZIP"};
    EXPECT_EQ(FindInFoundFiles(found, "pkzip.exe", true), "C:\\UTIL\\PKZIP.EXE");
    EXPECT_EQ(FindInFoundFiles(found, "MYPKZIP", true), "C:\\OLD\\MYPKZIP.EXE");
    EXPECT_EQ(FindInFoundFiles(found, "\\pac.", false), "D:\\ROMS\\PAC.ZIP\rD:\\MORE\\PAC.ZIP");
    EXPECT_EQ(FindInFoundFiles(found, "GALAGA", false), QString());
    EXPECT_EQ(FindInFoundFiles(found, "GALAGA", true), QString());
}

TEST(FoundFiles, LocateExecutableNeverSearchesByItself) {
    TempInstallation inst;
    inst.writeFile("C:\\MAME\\MAME.EXE", "x");
    EXPECT_EQ(LocateExecutable(QStringList(), "MAME.EXE"), std::nullopt);
    EXPECT_EQ(LocateExecutable(QStringList{"C:\\MAME\\MAME.EXE"}, "mame.exe"),
              std::optional<QString>("C:\\MAME\\MAME.EXE"));
}

TEST(SearchPaths, LinuxPathsBecomeDosPathsOrAreRefused) {
    TempInstallation inst;  // C: and D: are folders of their own
    const QString home = inst.host("C:\\home\\me");
    struct Case {
        QString typed, drives;
        QStringList refused;
    };
    const Case cases[] = {
        {"C:;D:\\ROMS", "C:;D:\\ROMS", {}},
        {inst.host("D:\\") + "/roms", "D:\\roms", {}},
        {" ~/roms ;C:", "C:\\home\\me\\roms;C:", {}},
        {"~", "C:\\home\\me", {}},
        {inst.host("D:\\") + "/a/../b//", "D:\\b", {}},
        // "~user" is no home it knows: left for the search, which finds nothing there.
        {"~other", "~other", {}},
        {"C:;/nowhere/roms;~/x", "C:;/nowhere/roms;C:\\home\\me\\x", {"/nowhere/roms"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const auto paths = DriveSearch::ToDosSearchPaths(inst.fs(), c.typed, home);
        EXPECT_EQ(paths.refused, c.refused);
        if (c.refused.isEmpty()) {
            EXPECT_EQ(paths.drivesText, c.drives);
        }
    }
    EXPECT_EQ(DriveSearch::RefusedPathsMessage({"/nowhere/roms"}),
              "/nowhere/roms lies on no drive of Brivanel: give a path on a drive, such as "
              "C:\\ROMS.");
}

TEST(SearchPaths, ThoseWithoutAFoundFileAreNamedAsTyped) {
    const QStringList found{"C:\\GAMES\\PAC.ZIP", "D:\\ROMSX\\A.ZIP"};
    EXPECT_EQ(DriveSearch::PathsWithoutFiles({"C:", "c:\\games\\", "D:\\ROMS", "E:", " C:\\GAMES "},
                                             found),
              (QStringList{"D:\\ROMS", "E:"}));
    EXPECT_TRUE(DriveSearch::PathsWithoutFiles({"C:"}, found).isEmpty());
}
