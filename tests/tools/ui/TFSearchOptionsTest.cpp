#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>

#include "app/ui/TFMain.h"
#include "catalogue/EmulatorTable.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "support/ui/WindowDriver.h"
#include "tools/ToolsTestSupport.h"
#include "tools/ui/TFSearchOptions.h"

using ToolsTest::Emulator;

namespace {

QStringList itemsOf(const QListWidget& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.item(i)->text();
    }
    return items;
}

// The dialog made alone over four emulators, two of them found earlier.
class SearchOptions : public ::testing::Test {
protected:
    SearchOptions() {
        for (const char* name :
             {"MAME {Quenterby}", "Nesticle {Bloodlust}", "aardvark {Zoo}", "Zsnes {Z}"}) {
            emulators.append(Emulator(name, QString::fromLatin1(name).left(4)));
        }
        SettingsStore store(inst.database());
        // Found in an earlier search; key names are matched ignoring case.
        store.OpenKey(StorePaths::Entry("mame {quenterby}"), true);
        store.OpenKey(StorePaths::Entry("aardvark {Zoo}"), true);
    }
    // Shows the dialog as a list build does, which fills the lists.
    void showDialog() {
        dialog.show();
        dialog.hide();
    }
    QPushButton& button(const char* name) { return control<QPushButton>(dialog, name); }

    TempInstallation inst;
    EmulatorTable emulators;
    TFSearchOptions dialog{inst.context(), emulators, ErrorGuard(inst.dialogs)};
    QListWidget& yes = control<QListWidget>(dialog, "LBYes");
    QListWidget& no = control<QListWidget>(dialog, "LBNo");
};

// The dialog in the program, before "&Update Game List..." goes on.
class SearchOptionsInWindow : public ::testing::Test {
protected:
    // Answers the dialog by typing the paths and pressing OK or Cancel.
    void answer(int result, const QString& drives) {
        inst.dialogs.answerDialog(result, [result, drives](QObject& options) {
            control<QLineEdit>(options, "ESearchDrives").setText(drives);
            control<QPushButton>(options, result == mrOk ? "BOK" : "BCancel").click();
        });
        menuItem(main, "UpdateGameList1").trigger();
    }
    QString storedDrives() {
        SettingsStore root(inst.database());
        return root.OpenKey(StorePaths::Root(), false) && root.ValueExists("Drives To Search")
                   ? root.ReadString("Drives To Search")
                   : "<none>";
    }

    TempInstallation inst;
    TFMain main{inst.context()};
};

}  // namespace

TEST_F(SearchOptions, YesShowsExactlyTheEmulatorsWithAStoreKeyInAlphabeticalOrder) {
    showDialog();
    EXPECT_EQ(itemsOf(yes), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}"}));
    EXPECT_EQ(itemsOf(no), (QStringList{"Nesticle {Bloodlust}", "Zsnes {Z}"}));
    showDialog();  // shown again: filled afresh, not twice
    EXPECT_EQ(yes.count() + no.count(), 4);
    EXPECT_EQ(dialog.Choice().emulators, (QStringList{"aardvark {Zoo}", "MAME {Quenterby}"}));
}

TEST_F(SearchOptions, ButtonsAndDoubleClicksMoveTheSelectedItemInOrder) {
    showDialog();
    button("BAdd").click();  // nothing selected: nothing moves
    EXPECT_EQ(yes.count(), 2);

    no.item(1)->setSelected(true);  // Zsnes
    button("BAdd").click();
    EXPECT_EQ(itemsOf(yes), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}", "Zsnes {Z}"}));
    EXPECT_EQ(itemsOf(no), QStringList{"Nesticle {Bloodlust}"});
    button("BAdd").click();  // the moved item took its selection along
    EXPECT_EQ(no.count(), 1);

    QListWidgetItem* mame = yes.item(1);
    mame->setSelected(true);
    emit yes.itemDoubleClicked(mame);
    EXPECT_EQ(itemsOf(no), (QStringList{"MAME {Quenterby}", "Nesticle {Bloodlust}"}));

    QListWidgetItem* nesticle = no.item(1);
    nesticle->setSelected(true);
    emit no.itemDoubleClicked(nesticle);
    EXPECT_EQ(itemsOf(yes), (QStringList{"aardvark {Zoo}", "Nesticle {Bloodlust}", "Zsnes {Z}"}));

    yes.item(0)->setSelected(true);
    button("BSubtract").click();
    EXPECT_EQ(itemsOf(no), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}"}));
}

TEST_F(SearchOptions, AllButtonsMoveEverything) {
    showDialog();
    button("BSubtractAll").click();
    EXPECT_EQ(yes.count(), 0);
    EXPECT_EQ(itemsOf(no), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}",
                                        "Nesticle {Bloodlust}", "Zsnes {Z}"}));
    button("BAddAll").click();
    EXPECT_EQ(no.count(), 0);
    EXPECT_EQ(yes.count(), 4);
    EXPECT_EQ(yes.item(3)->text(), "Zsnes {Z}");
}

TEST_F(SearchOptions, TheDialogShowsItsTexts) {
    EXPECT_EQ(dialog.windowTitle(), "Search Options");
    QStringList groups;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        groups << group->title();
    }
    EXPECT_EQ(groups, (QStringList{"This time, search for these emulators and their ROMs:",
                                   "Search methods:"}));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_EQ(labels, (QStringList{"&Yes:", "&No:",
                                   "Search these &paths for Emulators, ROM images, PKZIP, "
                                   "ZipMagic, UniVBE, JoyEmu, etc.",
                                   "(separate multiple paths with ;)"}));
    EXPECT_EQ((QStringList{button("BAdd").text(), button("BSubtract").text(),
                           button("BAddAll").text(), button("BSubtractAll").text()}),
              (QStringList{"<", ">", "<<", ">>"}));
    EXPECT_TRUE(button("BOK").isDefault());
    EXPECT_EQ(dialog.Choice().drives, "C:");
}

TEST_F(SearchOptionsInWindow, OkSetsThePathsToSearchAndStoresThem) {
    SettingsStore(inst.database()).OpenKey(StorePaths::Root(), true);
    answer(mrOk, "C:\\ROMS;D:");
    EXPECT_EQ(control<QDialog>(main, "FSearchOptions").result(), mrOk);
    EXPECT_EQ(shownLocations(inst, main).drives, "C:\\ROMS;D:");
    EXPECT_EQ(storedDrives(), "C:\\ROMS;D:");
}

TEST_F(SearchOptionsInWindow, OkWithoutARootKeyCreatesNone) {
    answer(mrOk, "D:");
    EXPECT_EQ(shownLocations(inst, main).drives, "D:");
    EXPECT_FALSE(SettingsStore(inst.database()).KeyExists(StorePaths::Root()));
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());
}

TEST_F(SearchOptionsInWindow, CancelChangesNothingButTheFieldKeepsWhatWasTyped) {
    SettingsStore(inst.database()).OpenKey(StorePaths::Root(), true);
    answer(mrCancel, "D:");
    EXPECT_EQ(control<QDialog>(main, "FSearchOptions").result(), mrCancel);
    EXPECT_EQ(shownLocations(inst, main).drives, "C:");
    EXPECT_EQ(storedDrives(), "<none>");
    EXPECT_EQ(shownSearchDrives(main), "D:");
}

TEST_F(SearchOptionsInWindow, LinuxPathsAreSearchedAsTheirDosPathsOrRefused) {
    SettingsStore(inst.database()).OpenKey(StorePaths::Root(), true);
    inst.mkdir("D:\\ROMS");  // nothing in it
    inst.writeFile("C:\\GAMES\\PACMAN.ZIP", "x");
    // One on no drive is named, and the dialog asked again: here cancelled.
    inst.dialogs.answerDialog(mrOk, [](QObject& options) {
        control<QLineEdit>(options, "ESearchDrives").setText("C:;/nowhere/roms");
    });
    inst.dialogs.answerDialog(mrCancel, {});
    menuItem(main, "UpdateGameList1").trigger();
    EXPECT_EQ(inst.dialogs.messages(),
              QStringList{"/nowhere/roms lies on no drive of Brivanel: give a path on a drive, "
                          "such as C:\\ROMS."});
    EXPECT_EQ(inst.dialogs.pending(), 0u);
    EXPECT_EQ(storedDrives(), "<none>");

    answer(mrOk, inst.host("D:\\ROMS") + ";C:");
    EXPECT_EQ(storedDrives(), "D:\\ROMS;C:");
    EXPECT_EQ(shownSearchDrives(main), "D:\\ROMS;C:");
    EXPECT_EQ(statusText(main), "0 of 0 games found; nothing found on D:\\ROMS");
}
