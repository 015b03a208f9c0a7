#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include "app/ui/TFMain.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "tools/ui/TFFileLocations.h"

namespace {

class FileLocations : public ::testing::Test {
protected:
    SettingsStore rootStore() {
        SettingsStore store(inst.database());
        store.OpenKey(StorePaths::Root(), true);
        return store;
    }
    QStringList startedCommands() const {
        QStringList commands;
        for (const RecordingProcessStarter::Start& start : inst.starter.starts()) {
            const qsizetype at = start.arguments.indexOf("--command");
            if (at >= 0 && at + 1 < start.arguments.size()) {
                commands << start.arguments[at + 1];
            }
        }
        return commands;
    }

    TempInstallation inst;
    TFMain main{inst.context()};
    TFFileLocations& dialog = *main.FFileLocations;
};

}  // namespace

TEST_F(FileLocations, SearchDrivesTakesTheFirstMatchOfEachToolFromTheDrives) {
    inst.writeFile("C:\\UTIL\\PKZIP.EXE", "x");
    inst.writeFile("C:\\UTIL\\ZMCMDLN.EXE", "x");
    inst.writeFile("D:\\OLD\\PKZIP.EXE", "x");
    inst.writeFile("D:\\TOOLS\\MYPKUNZIP.EXE", "x");
    dialog.EDrives->setText("C:;D:");
    dialog.EUniVBE->setText("C:\\VBE\\UNIVBE.EXE");

    dialog.BSearchDrives->click();

    EXPECT_EQ(dialog.EPKZip->text(), "C:\\UTIL\\PKZIP.EXE");
    EXPECT_EQ(dialog.EPKUnzip->text(), "D:\\TOOLS\\MYPKUNZIP.EXE");
    EXPECT_EQ(dialog.EZipMagic->text(), "C:\\UTIL\\ZMCMDLN.EXE");
    EXPECT_EQ(dialog.EJoyEmu->text(), QString());
    EXPECT_EQ(dialog.EJoyCP->text(), QString());
    EXPECT_EQ(dialog.EUniVBE->text(), QString());  // not found: emptied
    EXPECT_EQ(startedCommands(), QStringList{"C:\\UTIL\\ZMCMDLN.EXE /e-"});
    EXPECT_TRUE(inst.starter.starts().front().arguments.contains("minimised"));
    EXPECT_EQ(main.state.foundFiles.size(), 4);
    EXPECT_TRUE(main.StatusText->text().startsWith("Building List: C:\\"));
    EXPECT_FALSE(SettingsStore(inst.database()).KeyExists(StorePaths::Root()));
    EXPECT_TRUE(inst.dialogs.shown().empty());
}

TEST_F(FileLocations, SearchDrivesReusesAFoundFilesListAndRunsNoZipMagicWithoutOne) {
    inst.writeFile("C:\\UTIL\\PKZIP.EXE", "x");
    inst.writeFile("C:\\ZM\\ZMCMDLN.EXE", "x");
    main.state.foundFiles = {"C:\\OLD\\PKZIP.EXE", "C:\\OLD\\JOYCP.EXE"};
    dialog.EZipMagic->setText("C:\\ZM\\ZMCMDLN.EXE");

    dialog.BSearchDrives->click();

    EXPECT_EQ(dialog.EPKZip->text(), "C:\\OLD\\PKZIP.EXE");
    EXPECT_EQ(dialog.EJoyCP->text(), "C:\\OLD\\JOYCP.EXE");
    EXPECT_EQ(dialog.EZipMagic->text(), QString());
    EXPECT_EQ(main.state.foundFiles.size(), 2);
    EXPECT_TRUE(inst.starter.starts().empty());
}

TEST_F(FileLocations, CancelKeepsTheTypedTextsForTheRunButStoresNothing) {
    rootStore().WriteString("PKZIP Path", "C:\\STORED\\PKZIP.EXE");
    inst.writeFile("C:\\UTIL\\PKZIP.EXE", "x");
    inst.dialogs.answerDialog(mrCancel, [](QObject& window) {
        auto& locations = static_cast<TFFileLocations&>(window);
        locations.BSearchDrives->click();
        locations.EDrives->setText("C:;D:");
        locations.BCancel->click();
    });

    main.Locations1->trigger();

    EXPECT_EQ(dialog.result(), mrCancel);
    EXPECT_EQ(dialog.EPKZip->text(), "C:\\UTIL\\PKZIP.EXE");
    EXPECT_EQ(dialog.EDrives->text(), "C:;D:");
    SettingsStore root = rootStore();
    EXPECT_EQ(root.ReadString("PKZIP Path"), "C:\\STORED\\PKZIP.EXE");
    EXPECT_FALSE(root.ValueExists("Drives To Search"));
}

TEST_F(FileLocations, OkStoresTheSevenFields) {
    inst.dialogs.answerDialog(mrOk, [](QObject& window) {
        auto& locations = static_cast<TFFileLocations&>(window);
        locations.EPKZip->setText("C:\\A\\PKZIP.EXE");
        locations.EJoyCP->setText("C:\\J\\JOYCP.EXE");
        locations.EDrives->setText("D:\\GAMES");
        locations.BOK->click();
    });

    main.Locations1->trigger();

    EXPECT_EQ(dialog.result(), mrOk);
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

TEST_F(FileLocations, BrowsingPutsTheChosenFilesDosPathIntoTheRowsField) {
    for (const ToolRow& row : kToolRows) {
        const QString dosPath = "C:\\TOOLS\\" + QString::fromUtf16(row.executable);
        inst.writeFile(dosPath, "x");
        inst.dialogs.answerText(inst.host(dosPath));
        dialog.BrowseButton(row.tool)->click();
        EXPECT_EQ(dialog.Field(row.tool)->text(), dosPath);
        ASSERT_FALSE(inst.dialogs.shown().empty());
        EXPECT_EQ(inst.dialogs.shown().back().kind, "open");
        EXPECT_EQ(inst.dialogs.shown().back().text, QString::fromUtf16(row.browseTitle));
        EXPECT_EQ(inst.dialogs.shown().back().detail, QString::fromUtf16(row.executable));
    }
}

TEST_F(FileLocations, ACancelledOrUnreachableChoiceLeavesTheFieldAlone) {
    dialog.EPKZip->setText("C:\\KEEP\\PKZIP.EXE");
    inst.dialogs.answer(mrCancel);
    dialog.BPKZipClick();
    EXPECT_EQ(dialog.EPKZip->text(), "C:\\KEEP\\PKZIP.EXE");
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());

    // A file on no drive of the map cannot be named in a script.
    inst.dialogs.answerText("/no-drive-maps-this/PKZIP.EXE");
    dialog.BPKZipClick();
    EXPECT_EQ(dialog.EPKZip->text(), "C:\\KEEP\\PKZIP.EXE");
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
    EXPECT_EQ(dialog.BSearchDrives->text(), "Searc&h Drives");
    EXPECT_TRUE(dialog.BOK->isDefault());
    EXPECT_EQ(dialog.BCancel->text(), "Cancel");
    EXPECT_EQ(dialog.EDrives->text(), "C:");
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(FileLocations, LocationsIsTheFirstFileCommandAndCanBeLocked) {
    ASSERT_NE(main.Locations1, nullptr);
    EXPECT_EQ(main.File1->actions().value(0), main.Locations1);
    EXPECT_EQ(main.Locations1->text(), "&Locations...");
    EXPECT_EQ(main.Locations1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_FALSE(main.Locations1->statusTip().isEmpty());

    main.Locations1->trigger();
    ASSERT_EQ(inst.dialogs.shown().size(), 1u);
    EXPECT_EQ(inst.dialogs.shown()[0].text, "FFileLocations");

    main.ApplyLock(true);
    EXPECT_FALSE(main.Locations1->isEnabled());
    main.ApplyLock(false);
    EXPECT_TRUE(main.Locations1->isEnabled());
}

TEST_F(FileLocations, TheMainWindowsSearchShowsProgressAndRefillsTheList) {
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    inst.writeFile("C:\\GAMES\\GALAGA.ZIP", "x");
    main.state.foundFiles = {"C:\\STALE.ZIP"};
    dialog.EDrives->setText("C:\\GAMES");
    main.SearchDrives();
    EXPECT_EQ(main.state.foundFiles,
              (QStringList{"C:\\GAMES\\GALAGA.ZIP", "C:\\GAMES\\PACMAN.ZIP"}));
    // The first entry is always shown; later ones as time allows.
    EXPECT_TRUE(main.StatusText->text().startsWith("Building List: C:\\GAMES\\"));
    EXPECT_TRUE(main.StatusText->text().endsWith(".ZIP..."));
}

TEST_F(FileLocations, OpensInTheMiddleOfTheScreenWhereverTheMainWindowIs) {
    main.setGeometry(0, 0, 300, 200);
    main.show();
    dialog.show();
    EXPECT_EQ(dialog.frameGeometry().center(),
              QGuiApplication::primaryScreen()->availableGeometry().center());
}
