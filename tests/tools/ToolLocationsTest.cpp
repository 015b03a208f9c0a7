#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "tools/SearchChoice.h"
#include "tools/ToolLocations.h"
#include "tools/ToolsTestSupport.h"

TEST(ToolLocations, TheSevenValuesAreWrittenCreatingTheRootAndReadBack) {
    TempInstallation inst;
    SettingsStore store(inst.database());
    ASSERT_FALSE(store.KeyExists(StorePaths::Root()));
    ToolLocations locations{"C:\\UTIL\\PKZIP.EXE", "C:\\UTIL\\PKUNZIP.EXE", "C:\\ZM\\ZMCMDLN.EXE",
                            "C:\\JOY\\JOYEMU.EXE", "C:\\JOY\\JOYCP.EXE",    "C:\\VBE\\UNIVBE.EXE",
                            "C:;D:\\GAMES"};
    WriteToolLocations(store, locations);

    SettingsStore root(inst.database());
    ASSERT_TRUE(root.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(ReadToolLocations(root), locations);
    // Each value under its name, as the table gives it.
    for (const LocationRow& row : kLocationRows) {
        EXPECT_EQ(root.ReadString(row.storeValue.name()), locations.*row.field) << row.editName;
    }
}

TEST(ToolLocations, ValueNamesDifferingInCaseAreOneValueAndAbsentOnesReadEmpty) {
    TempInstallation inst;
    SettingsStore store(inst.database());
    store.OpenKey(StorePaths::Root(), true);
    store.WriteString("JOYCP Path", "C:\\OLD\\JOYCP.EXE");
    EXPECT_EQ(ReadToolLocations(store).joyCp, "C:\\OLD\\JOYCP.EXE");
    EXPECT_EQ(ReadToolLocations(store).drives, QString());
    ToolLocations locations;
    locations.joyCp = "C:\\NEW\\JOYCP.EXE";
    WriteToolLocations(store, locations);
    EXPECT_EQ(store.ReadString("JOYCP Path"), "C:\\NEW\\JOYCP.EXE");
    EXPECT_EQ(store.ReadString("joycp path"), "C:\\NEW\\JOYCP.EXE");
    EXPECT_EQ(store.ReadString("PKZIP Path"), QString());  // an empty field stores ""
    EXPECT_TRUE(store.ValueExists("PKZIP Path"));
}

TEST(ToolLocations, BrowseDialogsStartOnTheDesktopWithTheRowsExecutable) {
    const OpenFileRequest request = BrowseRequest(Tool::ZipMagic, "/home/u/Desktop");
    EXPECT_EQ(request.title, "Location of ZMCMDLN");
    EXPECT_EQ(request.filter, "Executable file (*.EXE)|*.EXE");
    EXPECT_EQ(request.defaultExtension, "EXE");
    EXPECT_EQ(request.initialFile, "ZMCMDLN.EXE");
    EXPECT_EQ(request.initialFolder, "/home/u/Desktop");
    EXPECT_EQ(BrowseRequest(Tool::UniVBE, "/").title, "Location of UNIVBE");
    EXPECT_EQ(BrowseRequest(Tool::JoyCP, "/").initialFile, "JOYCP.EXE");

    QTemporaryDir home;
    EXPECT_EQ(DesktopFolder(home.path()), home.path());
    ASSERT_TRUE(QDir(home.path()).mkdir("Desktop"));
    EXPECT_EQ(DesktopFolder(home.path()), home.path() + "/Desktop");
}

TEST(SearchChoiceStore, YesHoldsExactlyTheEmulatorsWithAStoreKey) {
    TempInstallation inst;
    SettingsStore store(inst.database());
    store.OpenKey(StorePaths::Entry("mame {quenterby}"), true);  // found earlier, other case
    store.OpenKey(StorePaths::Entry("AC\\DC {Band}"), true);
    EmulatorTable table;
    table.append(ToolsTest::Emulator("MAME {Quenterby}", "MAME"));
    table.append(ToolsTest::Emulator("Nesticle {Bloodlust}", "NESTICLE"));
    table.append(ToolsTest::Emulator("AC\\DC {Band}", "ACDC"));
    table.append(ToolsTest::Emulator("AC {Band}", "AC"));  // "AC\DC" is one key, not AC's child
    const SearchChoice::Emulators split = SearchChoice::SplitByStoreKey(store, table);
    EXPECT_EQ(split.yes, (QStringList{"MAME {Quenterby}", "AC\\DC {Band}"}));
    EXPECT_EQ(split.no, (QStringList{"Nesticle {Bloodlust}", "AC {Band}"}));
}

TEST(SearchChoiceStore, DrivesToSearchNeverCreatesTheRoot) {
    TempInstallation inst;
    SettingsStore store(inst.database());
    EXPECT_FALSE(SearchChoice::WriteDrivesToSearch(store, "C:;D:"));
    EXPECT_FALSE(store.KeyExists(StorePaths::Root()));
    store.OpenKey(StorePaths::Root(), true);
    EXPECT_TRUE(SearchChoice::WriteDrivesToSearch(store, "C:;D:"));
    SettingsStore root(inst.database());
    root.OpenKey(StorePaths::Root(), false);
    EXPECT_EQ(root.ReadString("DRIVES TO SEARCH"), "C:;D:");
}

TEST(ToolLocations, FoundToolsFillOnlyTheEmptyFields) {
    const QStringList found{"C:\\BRIVANEL\\PKUNZIP.EXE", "C:\\BRIVANEL\\PKZIP.EXE",
                            "C:\\TOOLS\\JOYEMU.EXE"};
    ToolLocations set;
    set.pkzip = "C:\\MINE\\PKZIP.EXE";
    set.drives = "C:;D:";
    ToolLocations expected = set;
    expected.pkunzip = "C:\\BRIVANEL\\PKUNZIP.EXE";
    expected.joyEmu = "C:\\TOOLS\\JOYEMU.EXE";
    EXPECT_EQ(WithFoundTools(set, found), expected);
    EXPECT_EQ(WithFoundTools(set, {}), set);
}
