#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include "app/ui/MainStatusBar.h"
#include "app/ui/TFMain.h"
#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "support/ui/WindowDriver.h"
#include "tools/FoundFiles.h"
#include "tools/ui/TFFileLocations.h"

namespace {

QStringList startedCommands(const TempInstallation& inst) {
    QStringList commands;
    for (const RecordingProcessStarter::Start& start : inst.starter.starts()) {
        const qsizetype at = start.arguments.indexOf("--command");
        if (at >= 0 && at + 1 < start.arguments.size()) {
            commands << start.arguments[at + 1];
        }
    }
    return commands;
}

// The dialog made alone, as the window makes it, with its own found-files
// list and status bar.
class FileLocations : public ::testing::Test {
protected:
    QLineEdit& field(const char* name) {
        return control<QLineEdit>(dialog, QString::fromLatin1(name));
    }
    QPushButton& button(const QString& name) { return control<QPushButton>(dialog, name); }

    TempInstallation inst;
    EmulatorTable emulators;
    FoundFiles found;
    MainStatusBar status{nullptr};
    TFFileLocations dialog{inst.context(), emulators, ErrorGuard(inst.dialogs), status, found};
};

// The dialog in the program, opened by "&Locations...".
class FileLocationsInWindow : public ::testing::Test {
protected:
    SettingsStore rootStore() {
        SettingsStore store(inst.database());
        store.OpenKey(StorePaths::Root(), true);
        return store;
    }

    TempInstallation inst;
    TFMain main{inst.context()};
};

}  // namespace

TEST_F(FileLocations, SearchDrivesTakesTheFirstMatchOfEachToolFromTheDrives) {
    inst.writeFile("C:\\UTIL\\PKZIP.EXE", "x");
    inst.writeFile("C:\\UTIL\\ZMCMDLN.EXE", "x");
    inst.writeFile("D:\\OLD\\PKZIP.EXE", "x");
    inst.writeFile("D:\\TOOLS\\MYPKUNZIP.EXE", "x");
    field("EDrives").setText("C:;D:");
    field("EUniVBE").setText("C:\\VBE\\UNIVBE.EXE");

    button("BSearchDrives").click();

    const ToolLocations tools = dialog.Locations();
    EXPECT_EQ(tools.pkzip, "C:\\UTIL\\PKZIP.EXE");
    EXPECT_EQ(tools.pkunzip, "D:\\TOOLS\\MYPKUNZIP.EXE");
    EXPECT_EQ(tools.zipMagic, "C:\\UTIL\\ZMCMDLN.EXE");
    EXPECT_EQ(tools.joyEmu, QString());
    EXPECT_EQ(tools.joyCp, QString());
    EXPECT_EQ(tools.uniVbe, QString());  // not found: emptied
    EXPECT_EQ(startedCommands(inst), QStringList{"C:\\UTIL\\ZMCMDLN.EXE /e-"});
    EXPECT_TRUE(inst.starter.starts().front().arguments.contains("minimised"));
    // The drives in the field were searched into the found-files list.
    EXPECT_EQ(found.paths().size(), 4);
    EXPECT_TRUE(status.Status().startsWith("4 files found on C:;D:; "))
        << status.Status().toStdString();
    EXPECT_FALSE(SettingsStore(inst.database()).KeyExists(StorePaths::Root()));
    EXPECT_TRUE(inst.dialogs.shown().empty());
}

TEST_F(FileLocations, SearchDrivesReusesAFoundFilesListAndRunsNoZipMagicWithoutOne) {
    inst.writeFile("C:\\UTIL\\PKZIP.EXE", "x");
    inst.writeFile("C:\\ZM\\ZMCMDLN.EXE", "x");
    const QStringList earlier{"C:\\OLD\\PKZIP.EXE", "C:\\OLD\\JOYCP.EXE"};
    found.Replace(earlier);
    field("EZipMagic").setText("C:\\ZM\\ZMCMDLN.EXE");

    button("BSearchDrives").click();

    EXPECT_EQ(found.paths(), earlier);  // not searched again
    EXPECT_EQ(field("EPKZip").text(), "C:\\OLD\\PKZIP.EXE");
    EXPECT_EQ(field("EJoyCP").text(), "C:\\OLD\\JOYCP.EXE");
    EXPECT_EQ(field("EZipMagic").text(), QString());
    EXPECT_TRUE(inst.starter.starts().empty());
}

TEST_F(FileLocations, TheDialogEditsTheValueItIsGiven) {
    ToolLocations given;
    given.pkzip = "C:\\A\\PKZIP.EXE";
    given.drives = "D:";
    dialog.SetLocations(given);
    EXPECT_EQ(field("EPKZip").text(), "C:\\A\\PKZIP.EXE");
    field("EJoyCP").setText("C:\\J\\JOYCP.EXE");
    given.joyCp = "C:\\J\\JOYCP.EXE";
    EXPECT_EQ(dialog.Locations(), given);
}

TEST_F(FileLocations, BrowsingPutsTheChosenFilesDosPathIntoTheRowsField) {
    for (const LocationRow& row : kToolRows) {
        const QString dosPath = "C:\\TOOLS\\" + QString::fromUtf16(row.executable);
        const QString edit = QString::fromLatin1(row.editName);
        inst.writeFile(dosPath, "x");
        inst.dialogs.answerText(inst.host(dosPath));
        button(u'B' + edit.mid(1)).click();
        EXPECT_EQ(control<QLineEdit>(dialog, edit).text(), dosPath);
        ASSERT_FALSE(inst.dialogs.shown().empty());
        EXPECT_EQ(inst.dialogs.shown().back().kind, "open");
        EXPECT_EQ(inst.dialogs.shown().back().text, QString::fromUtf16(row.browseTitle));
        EXPECT_EQ(inst.dialogs.shown().back().detail, QString::fromUtf16(row.executable));
    }
}

TEST_F(FileLocations, ACancelledOrUnreachableChoiceLeavesTheFieldAlone) {
    field("EPKZip").setText("C:\\KEEP\\PKZIP.EXE");
    inst.dialogs.answer(mrCancel);
    button("BPKZip").click();
    EXPECT_EQ(field("EPKZip").text(), "C:\\KEEP\\PKZIP.EXE");
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());

    // A file on no drive of the map cannot be named in a script.
    inst.dialogs.answerText("/no-drive-maps-this/PKZIP.EXE");
    button("BPKZip").click();
    EXPECT_EQ(field("EPKZip").text(), "C:\\KEEP\\PKZIP.EXE");
    EXPECT_EQ(inst.dialogs.messages().size(), 1);
}

TEST_F(FileLocations, TheDialogShowsTheRowsOfTheTable) {
    EXPECT_EQ(dialog.windowTitle(), "File Locations");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
    EXPECT_EQ(labels, (QStringList{"PK&Zip:", "PK&Unzip:", "Zip&Magic:", "Joy&Emu:", "Joy&CP:",
                                   "&SciTech UniVBE:", "&Paths to search:"}));
    EXPECT_EQ(button("BSearchDrives").text(), "Searc&h Drives");
    EXPECT_TRUE(button("BOK").isDefault());
    EXPECT_EQ(button("BCancel").text(), "Cancel");
    EXPECT_EQ(field("EDrives").text(), "C:");
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(FileLocationsInWindow, CancelKeepsTheTypedTextsForTheRunButStoresNothing) {
    rootStore().WriteString("PKZIP Path", "C:\\STORED\\PKZIP.EXE");
    inst.writeFile("C:\\UTIL\\PKZIP.EXE", "x");
    inst.dialogs.answerDialog(mrCancel, [](QObject& locations) {
        control<QPushButton>(locations, "BSearchDrives").click();
        control<QLineEdit>(locations, "EDrives").setText("C:;D:");
        control<QPushButton>(locations, "BCancel").click();
    });

    menuItem(main, "Locations1").trigger();

    EXPECT_EQ(control<QDialog>(main, "FFileLocations").result(), mrCancel);
    const ToolLocations shown = shownLocations(inst, main);
    EXPECT_EQ(shown.pkzip, "C:\\UTIL\\PKZIP.EXE");
    EXPECT_EQ(shown.drives, "C:;D:");
    SettingsStore root = rootStore();
    EXPECT_EQ(root.ReadString("PKZIP Path"), "C:\\STORED\\PKZIP.EXE");
    EXPECT_FALSE(root.ValueExists("Drives To Search"));
}

TEST_F(FileLocationsInWindow, OkStoresTheSevenFields) {
    inst.dialogs.answerDialog(mrOk, [](QObject& locations) {
        control<QLineEdit>(locations, "EPKZip").setText("C:\\A\\PKZIP.EXE");
        control<QLineEdit>(locations, "EJoyCP").setText("C:\\J\\JOYCP.EXE");
        control<QLineEdit>(locations, "EDrives").setText("D:\\GAMES");
        control<QPushButton>(locations, "BOK").click();
    });

    menuItem(main, "Locations1").trigger();

    EXPECT_EQ(control<QDialog>(main, "FFileLocations").result(), mrOk);
    SettingsStore root(inst.database());
    ASSERT_TRUE(root.OpenKey(StorePaths::Root(), false));
    EXPECT_EQ(root.ReadString("PKZIP Path"), "C:\\A\\PKZIP.EXE");
    EXPECT_EQ(root.ReadString("JOYCP Path"), "C:\\J\\JOYCP.EXE");
    EXPECT_EQ(root.ReadString("Drives To Search"), "D:\\GAMES");
    for (const char* name : {"PKUNZIP Path", "ZipMagic Path", "JOYEMU Path", "UniVBE Path"}) {
        EXPECT_TRUE(root.ValueExists(name)) << name;
        EXPECT_EQ(root.ReadString(name), QString()) << name;
    }
}

TEST_F(FileLocationsInWindow, LocationsIsTheFirstFileCommandAndCanBeLocked) {
    QAction& locations = menuItem(main, "Locations1");
    EXPECT_EQ(control<QMenu>(main, "File1").actions().value(0), &locations);
    EXPECT_EQ(locations.text(), "&Locations...");
    EXPECT_EQ(locations.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_FALSE(locations.statusTip().isEmpty());

    locations.trigger();
    ASSERT_EQ(inst.dialogs.shown().size(), 1u);
    EXPECT_EQ(inst.dialogs.shown()[0].text, "FFileLocations");

    // Without a store nothing is kept: the lock goes on, and an empty entry takes it off.
    for (const bool locked : {true, false}) {
        inst.dialogs.answerText(QString());
        menuItem(main, "Lock1").trigger();
        EXPECT_EQ(locations.isEnabled(), !locked);
    }
}

TEST_F(FileLocationsInWindow, TheWindowsSearchSaysWhatItFoundInTheStatusBar) {
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    inst.writeFile("C:\\GAMES\\GALAGA.ZIP", "x");
    inst.dialogs.answerDialog(mrCancel, [](QObject& locations) {
        control<QLineEdit>(locations, "EDrives").setText("C:\\GAMES");
        control<QPushButton>(locations, "BSearchDrives").click();
    });
    menuItem(main, "Locations1").trigger();
    EXPECT_TRUE(statusText(main).startsWith("2 files found on C:\\GAMES; "))
        << statusText(main).toStdString();
}

TEST_F(FileLocationsInWindow, OpensInTheMiddleOfTheScreenWhereverTheMainWindowIs) {
    main.setGeometry(0, 0, 300, 200);
    main.show();
    auto& dialog = control<QDialog>(main, "FFileLocations");
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().center(),
              QGuiApplication::primaryScreen()->availableGeometry().center());
}
