#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>

#include "app/ui/TFMain.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "tools/ToolsTestSupport.h"
#include "tools/ui/TFFileLocations.h"
#include "tools/ui/TFSearchOptions.h"

using ToolsTest::Emulator;

namespace {

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

class SearchOptions : public ::testing::Test {
protected:
    SearchOptions() {
        for (const char* name :
             {"MAME {Quenterby}", "Nesticle {Bloodlust}", "aardvark {Zoo}", "Zsnes {Z}"}) {
            main.state.emulators.append(Emulator(name, QString::fromLatin1(name).left(4)));
        }
        SettingsStore store(inst.database());
        // Found in an earlier search; key names are matched ignoring case.
        store.OpenKey(StorePaths::Entry("mame {quenterby}"), true);
        store.OpenKey(StorePaths::Entry("aardvark {Zoo}"), true);
    }

    TempInstallation inst;
    TFMain main{inst.context()};
    TFSearchOptions& dialog = *main.FSearchOptions;
};

}  // namespace

TEST_F(SearchOptions, YesShowsExactlyTheEmulatorsWithAStoreKeyInAlphabeticalOrder) {
    dialog.FormShow();
    EXPECT_EQ(itemsOf(dialog.LBYes), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}"}));
    EXPECT_EQ(itemsOf(dialog.LBNo), (QStringList{"Nesticle {Bloodlust}", "Zsnes {Z}"}));
    dialog.FormShow();  // shown again: filled afresh, not twice
    EXPECT_EQ(dialog.LBYes->count() + dialog.LBNo->count(), 4);
}

TEST_F(SearchOptions, ShowingTheDialogFillsTheLists) {
    dialog.show();
    dialog.hide();
    EXPECT_EQ(itemsOf(dialog.LBYes), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}"}));
}

TEST_F(SearchOptions, ButtonsAndDoubleClicksMoveTheSelectedItemInOrder) {
    dialog.FormShow();
    dialog.BAdd->click();  // nothing selected: nothing moves
    EXPECT_EQ(dialog.LBYes->count(), 2);

    dialog.LBNo->item(1)->setSelected(true);  // Zsnes
    dialog.BAdd->click();
    EXPECT_EQ(itemsOf(dialog.LBYes),
              (QStringList{"aardvark {Zoo}", "MAME {Quenterby}", "Zsnes {Z}"}));
    EXPECT_EQ(itemsOf(dialog.LBNo), QStringList{"Nesticle {Bloodlust}"});
    dialog.BAdd->click();  // the moved item took its selection along
    EXPECT_EQ(dialog.LBNo->count(), 1);

    QListWidgetItem* mame = dialog.LBYes->item(1);
    mame->setSelected(true);
    emit dialog.LBYes->itemDoubleClicked(mame);
    EXPECT_EQ(itemsOf(dialog.LBNo), (QStringList{"MAME {Quenterby}", "Nesticle {Bloodlust}"}));

    QListWidgetItem* nesticle = dialog.LBNo->item(1);
    nesticle->setSelected(true);
    emit dialog.LBNo->itemDoubleClicked(nesticle);
    EXPECT_EQ(itemsOf(dialog.LBYes),
              (QStringList{"aardvark {Zoo}", "Nesticle {Bloodlust}", "Zsnes {Z}"}));

    dialog.LBYes->item(0)->setSelected(true);
    dialog.BSubtract->click();
    EXPECT_EQ(itemsOf(dialog.LBNo), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}"}));
}

TEST_F(SearchOptions, AllButtonsMoveEverything) {
    dialog.FormShow();
    dialog.BSubtractAll->click();
    EXPECT_EQ(dialog.LBYes->count(), 0);
    EXPECT_EQ(itemsOf(dialog.LBNo), (QStringList{"aardvark {Zoo}", "MAME {Quenterby}",
                                                 "Nesticle {Bloodlust}", "Zsnes {Z}"}));
    dialog.BAddAll->click();
    EXPECT_EQ(dialog.LBNo->count(), 0);
    EXPECT_EQ(dialog.LBYes->count(), 4);
    EXPECT_EQ(dialog.LBYes->item(3)->text(), "Zsnes {Z}");
}

TEST_F(SearchOptions, OkSetsThePathsToSearchAndStoresThem) {
    SettingsStore(inst.database()).OpenKey(StorePaths::Root(), true);
    dialog.ESearchDrives->setText("C:\\ROMS;D:");
    dialog.BOK->click();
    EXPECT_EQ(dialog.result(), mrOk);
    EXPECT_EQ(main.FFileLocations->EDrives->text(), "C:\\ROMS;D:");
    SettingsStore root(inst.database());
    root.OpenKey(StorePaths::Root(), false);
    EXPECT_EQ(root.ReadString("Drives To Search"), "C:\\ROMS;D:");
}

TEST_F(SearchOptions, OkWithoutARootKeyCreatesNone) {
    SettingsStore(inst.database()).DeleteKey(StorePaths::Root());
    dialog.ESearchDrives->setText("D:");
    dialog.BOK->click();
    EXPECT_EQ(main.FFileLocations->EDrives->text(), "D:");
    EXPECT_FALSE(SettingsStore(inst.database()).KeyExists(StorePaths::Root()));
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());
}

TEST_F(SearchOptions, CancelChangesNothing) {
    SettingsStore(inst.database()).OpenKey(StorePaths::Root(), true);
    dialog.ESearchDrives->setText("D:");
    dialog.BCancel->click();
    EXPECT_EQ(dialog.result(), mrCancel);
    EXPECT_EQ(main.FFileLocations->EDrives->text(), "C:");
    SettingsStore root(inst.database());
    root.OpenKey(StorePaths::Root(), false);
    EXPECT_FALSE(root.ValueExists("Drives To Search"));
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
    EXPECT_EQ((QStringList{dialog.BAdd->text(), dialog.BSubtract->text(), dialog.BAddAll->text(),
                           dialog.BSubtractAll->text()}),
              (QStringList{"<", ">", "<<", ">>"}));
    EXPECT_TRUE(dialog.BOK->isDefault());
    EXPECT_EQ(dialog.ESearchDrives->text(), "C:");
}
