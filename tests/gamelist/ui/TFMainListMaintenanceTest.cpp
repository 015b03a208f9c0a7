// Add to list, Remove from list, List Box Cleanup and Change Emulators on a
// whole main window, with the real store, files and batch interpreter.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <memory>

#include "app/ui/TFMain.h"
#include "gamelist/ChangeEmulators.h"
#include "gamelist/ListCleanup.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RemoveFromList.h"
#include "gamelist/ui/GameListWidget.h"
#include "gamelist/ui/TFNewEmu.h"
#include "support/ProcessRun.h"
#include "tools/ui/TFFileLocations.h"

namespace {

const QString kRage = QStringLiteral("RAGE {Arcade}");
const QString kPong = QStringLiteral("Pong (Rev E) [TTL]");
const QString kPongFramed = QStringLiteral("[ Pong (Rev E) [TTL] ]");
const QString kNoEntry = QStringLiteral("<no entry>");

QString text(const char16_t* t) {
    return QString::fromUtf16(t);
}

// RAGE, a MULTI emulator at C:\EMU\RAGE.EXE with its list file, and the
// main window started on that installation.
class ListMaintenanceWindowTest : public ::testing::Test, public ListViewSetup {
protected:
    ListMaintenanceWindowTest() {
        defineEmulator(QStringLiteral("RAGE"), kRage, QStringLiteral("MULTI"));
        writeRageList({});
        inst.writeFile(QStringLiteral("C:\\EMU\\RAGE.EXE"), "exe");
        addEntry(kRage, QStringLiteral("RAGE"), QString(), QStringLiteral("C:\\EMU\\RAGE.EXE"));
    }

    void writeRageList(const QStringList& more) {
        inst.writeLines(
            QStringLiteral("C:\\BRIVANEL\\RAGE.lst"),
            QStringList{QStringLiteral("[Games]"), QStringLiteral("pongttl=\"Pong (Rev E) [TTL]\"")}
                << more);
    }

    void addEntry(const QString& name, const QString& emulator, const QString& shortName,
                  const QString& location) {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Entry(name), true);
        store.WriteString(QStringLiteral("Emulator"), emulator);
        store.WriteString(QStringLiteral("Location"), location);
        if (!shortName.isEmpty()) {
            store.WriteString(QStringLiteral("Shortname"), shortName);
        }
    }

    TFMain& start() {
        main = std::make_unique<TFMain>(inst.context());
        main->FormActivate();
        main->FFileLocations->EDrives->setText(QStringLiteral("C:;D:"));
        return *main;
    }

    void select(const QString& itemText) {
        GameListWidget* list = main->currentListBox;
        const int index = list->indexOf(itemText);
        ASSERT_GE(index, 0) << itemText.toStdString();
        list->setItemIndex(index);
        main->ShowSelectedGame();
    }

    QString value(const QString& entry, const QString& name) {
        SettingsStore store = inst.context().store();
        if (!store.OpenKey(StorePaths::Entry(entry), false)) {
            return kNoEntry;
        }
        return store.ReadString(name);
    }

    QStringList entries() {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), false);
        QStringList names = store.GetKeyNames();
        names.sort(Qt::CaseInsensitive);
        return names;
    }

    QStringList items() const { return main->currentListBox->items(); }
    QString selectedItem() const {
        return main->currentListBox->item(main->currentListBox->itemIndex());
    }

    // The messages shown, each with its kind and buttons.
    QStringList messages() const {
        QStringList out;
        for (const auto& shown : inst.dialogs.shown()) {
            if (shown.kind == u"message") {
                out << shown.text + u" | " + shown.detail;
            }
        }
        return out;
    }

    // Runs every script started so far with the real interpreter, to its end.
    void runStartedScripts() {
        for (const RecordingProcessStarter::Start& s : inst.starter.starts()) {
            QProcess process;
            process.setWorkingDirectory(s.workingFolder);
            process.setProgram(s.program);
            process.setArguments(s.arguments);
            ASSERT_EQ(runToEnd(process).exitCode, 0)
                << inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.log")).toStdString();
        }
    }

    bool exists(const QString& dosPath) const { return QFileInfo::exists(inst.host(dosPath)); }

    std::unique_ptr<TFMain> main;
};

const QString kMark = text(RemoveFromList::kMarkQuestion) + u" | Warning OkCancel";
const QString kDeleteRoms = text(RemoveFromList::kDeleteRomsQuestion) + u" | Warning YesNo";
const QString kRemove = text(RemoveFromList::kRemoveQuestion) + u" | Warning OkCancel";

TEST_F(ListMaintenanceWindowTest, MenuItemsHaveTheirTextsPlacesAndEnabling) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"),
             QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));
    addEntry(QStringLiteral("Lost Game"), QStringLiteral("RAGE"), QStringLiteral("lost"),
             QStringLiteral("#"));
    start();
    EXPECT_EQ(main->Addtolist1->text(), QStringLiteral("&Add to list"));
    EXPECT_EQ(main->Addtolist1->statusTip(),
              QStringLiteral("Searches for a single ROM and adds it to the list if found"));
    EXPECT_EQ(main->Addtolist1->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(main->Removefromlist1->text(), QStringLiteral("Remo&ve from list"));
    EXPECT_EQ(main->Removefromlist1->statusTip(), QStringLiteral("Remove this game from the list"));
    EXPECT_TRUE(main->Removefromlist1->shortcut().isEmpty());
    EXPECT_EQ(main->ChangeEmulators1->text(), QStringLiteral("&Change Emulators..."));
    EXPECT_EQ(main->ChangeEmulators1->statusTip(),
              QStringLiteral("Allows you to use a different emulator for this ROM"));
    EXPECT_EQ(main->LongNameCleanup1->text(), QStringLiteral("List Box Cleanup..."));
    EXPECT_EQ(main->LongNameCleanup1->statusTip(),
              QStringLiteral("Gets rid of entries no longer present in the INI and LST files"));
    for (QAction* item : {main->Addtolist1, main->Removefromlist1, main->ChangeEmulators1}) {
        EXPECT_TRUE(main->Game1->actions().contains(item));
    }
    const QList<QAction*> file = main->File1->actions();
    EXPECT_EQ(file.indexOf(main->LongNameCleanup1), file.indexOf(main->RemoveALLRegistryKeys1) + 1);

    // A real name with brackets is a found game: removable, nothing to add.
    select(kPong);
    EXPECT_TRUE(main->Removefromlist1->isEnabled());
    EXPECT_FALSE(main->Addtolist1->isEnabled());
    select(QStringLiteral("[ Lost Game ]"));
    EXPECT_TRUE(main->Addtolist1->isEnabled());

    main->ApplyLock(true);
    select(QStringLiteral("[ Lost Game ]"));
    for (QAction* item : {main->Addtolist1, main->Removefromlist1, main->LongNameCleanup1}) {
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    }
}

TEST_F(ListMaintenanceWindowTest, RemovingAFoundGameWithNoKeepsItsRomAndShowsItFramed) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"),
             QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));
    inst.writeFile(QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"), "rom");
    start();
    select(kPong);

    inst.dialogs.answer(mrCancel);
    main->Removefromlist1Click();
    EXPECT_EQ(messages(), QStringList{kMark});
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));

    inst.dialogs.answer(mrOk);
    inst.dialogs.answer(mrNo);
    main->Removefromlist1Click();
    EXPECT_EQ(messages(), (QStringList{kMark, kMark, kDeleteRoms}));
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(exists(QStringLiteral("C:\\ROMS\\PONGTTL.ZIP")));
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(rootString(QStringLiteral("Current")), kPong);
    EXPECT_TRUE(items().contains(kPongFramed));
    EXPECT_EQ(selectedItem(), kPongFramed);
}

TEST_F(ListMaintenanceWindowTest, TheDeleteKeyWithYesDeletesTheDirectoryOfTheRomName) {
    // The list maps the short name to another ROM name: the directory that
    // was found is the ROM name's, and only that one goes.
    writeRageList({QStringLiteral("[Directories]"), QStringLiteral("pongttl=pongrom")});
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"), QStringLiteral("Dir"));
    for (const char16_t* dir : {u"C:\\EMU\\pongrom\\", u"C:\\EMU\\pongttl\\"}) {
        for (int i = 0; i < 4; ++i) {
            inst.writeFile(text(dir) + QStringLiteral("PART%1.BIN").arg(i), "rom");
        }
    }
    start();
    select(kPong);
    inst.dialogs.answer(mrOk);
    inst.dialogs.answer(mrYes);
    QTest::keyClick(main->currentListBox, Qt::Key_Delete);
    EXPECT_EQ(messages(), (QStringList{kMark, kDeleteRoms}));
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_TRUE(inst.starter.starts()[0].arguments.contains(QStringLiteral("minimised")));
    EXPECT_EQ(inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.bat")),
              (u"deltree /y " + inst.fs().shortPath(QStringLiteral("C:\\EMU\\pongrom")) + u"\r\n")
                  .toUtf8());
    runStartedScripts();
    EXPECT_FALSE(exists(QStringLiteral("C:\\EMU\\pongrom")));
    EXPECT_TRUE(exists(QStringLiteral("C:\\EMU\\pongttl\\PART0.BIN")));
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_TRUE(items().contains(kPongFramed));
}

TEST_F(ListMaintenanceWindowTest, RemovingAMissingGameDeletesItsEntryWithOptionsAndCount) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"), QStringLiteral("#"));
    {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Entry(kPong), false);
        store.WriteInteger(QStringLiteral("Count"), 7);
        store.OpenKey(StorePaths::Specific(kPong), true);
        store.WriteString(QStringLiteral("Sound"), QStringLiteral("None"));
    }
    start();
    // An emulator's own entry stays, without a word.
    select(kRage);
    main->Removefromlist1Click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(value(kRage, QStringLiteral("Emulator")), QStringLiteral("RAGE"));

    select(kPongFramed);
    inst.dialogs.answer(mrCancel);
    main->Removefromlist1Click();
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("#"));

    main->Removefromlist1Click();
    EXPECT_EQ(messages(), (QStringList{kRemove, kRemove}));
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), kNoEntry);
    EXPECT_FALSE(inst.context().store().KeyExists(StorePaths::Specific(kPong)));
    EXPECT_FALSE(items().contains(kPongFramed));
    EXPECT_TRUE(inst.starter.starts().empty());
}

TEST_F(ListMaintenanceWindowTest, CleanupDeletesExactlyTheOutdatedEntries) {
    writeRageList({QStringLiteral("brk=Breakout"), QStringLiteral("mspac=Ms. Pac-Man"),
                   QStringLiteral("lost=Lost Game"), QStringLiteral("vanish=Vanished Rom"),
                   QStringLiteral("odd=Odd {Game}")});
    for (const char16_t* file : {u"C:\\ROMS\\PONGTTL.ZIP", u"C:\\ROMS\\PACMAN.ZIP"}) {
        inst.writeFile(text(file), "rom");
    }
    const QString rom = QStringLiteral("C:\\ROMS\\PONGTTL.ZIP");
    const QString rage = QStringLiteral("RAGE");
    addEntry(kPong, rage, QStringLiteral("pongttl"), rom);  // quoted line
    addEntry(QStringLiteral("Breakout"), rage, QStringLiteral("brk"), QStringLiteral("Dir"));
    addEntry(QStringLiteral("Pac-Man"), rage, QStringLiteral("pacman"),  // tail of a line
             QStringLiteral("C:\\ROMS\\PACMAN.ZIP"));
    addEntry(QStringLiteral("Lost Game"), rage, QStringLiteral("lost"), QStringLiteral("#"));
    addEntry(QStringLiteral("Vanished Rom"), rage, QStringLiteral("vanish"),
             QStringLiteral("C:\\ROMS\\VANISH.ZIP"));
    addEntry(QStringLiteral("Dropped Game"), rage, QStringLiteral("drop"), rom);
    addEntry(QStringLiteral("Odd {Game}"), rage, QStringLiteral("odd"), rom);
    // An emulator whose definition names it otherwise now, and one whose
    // definition is gone with every entry of it.
    defineEmulator(QStringLiteral("OLD"), QStringLiteral("OLD {Renamed}"), QStringLiteral("MULTI"));
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\OLD.lst"),
                    {QStringLiteral("[Games]"), QStringLiteral("kept=Old Kept")});
    addEntry(QStringLiteral("OLD {Arcade}"), QStringLiteral("OLD"), QString(), QString());
    addEntry(QStringLiteral("Old Kept"), QStringLiteral("OLD"), QStringLiteral("kept"), rom);
    addEntry(QStringLiteral("GONE {Arcade}"), QStringLiteral("GONE"), QString(), QString());
    addEntry(QStringLiteral("Gone Game"), QStringLiteral("GONE"), QStringLiteral("gg"), rom);
    start();
    const QStringList before = entries();

    inst.dialogs.answer(mrNo);
    main->ListBoxCleanup1Click();
    EXPECT_EQ(entries(), before);

    main->ListBoxCleanup1Click();
    const QString question = text(ListCleanup::kQuestion) + u" | Confirmation YesNo";
    EXPECT_EQ(messages(), (QStringList{question, question}));
    EXPECT_EQ(entries(),
              (QStringList{QStringLiteral("Breakout"), QStringLiteral("Lost Game"),
                           QStringLiteral("Old Kept"), QStringLiteral("Pac-Man"), kPong, kRage}));
    EXPECT_FALSE(main->currentListBox->items().contains(QStringLiteral("Dropped Game")));
    EXPECT_TRUE(main->currentListBox->items().contains(QStringLiteral("[ Lost Game ]")));
}

TEST_F(ListMaintenanceWindowTest, ChangeEmulatorsMovesTheGameToTheChosenFurtherEmulator) {
    defineEmulator(QStringLiteral("CPS"), QStringLiteral("CPS {Arcade}"), QStringLiteral("MULTI"));
    defineEmulator(QStringLiteral("NEO"), QStringLiteral("NEO {Arcade}"), QStringLiteral("MULTI"));
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"),
             QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));
    {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Entry(kPong), false);
        store.WriteString(QStringLiteral("Emulator1"), QStringLiteral("CPS"));
        store.WriteString(QStringLiteral("Shortname1"), QStringLiteral("pong_c"));
        store.WriteString(QStringLiteral("Emulator2"), QStringLiteral("NEO"));
        store.WriteString(QStringLiteral("Shortname2"), QStringLiteral("pong_n"));
        store.OpenKey(StorePaths::Specific(kPong), true);
        store.WriteString(QStringLiteral("Sound"), QStringLiteral("None"));
    }
    start();
    select(kPong);
    ASSERT_TRUE(main->ChangeEmulators1->isEnabled());

    QStringList offered;
    int selectedOnShow = -2;
    const auto chooseSecond = [&](QObject& dialog) {
        auto& newEmu = static_cast<TFNewEmu&>(dialog);
        for (int i = 0; i < newEmu.LBNewEmu->count(); ++i) {
            offered << newEmu.LBNewEmu->item(i)->text();
        }
        newEmu.FormActivate();
        selectedOnShow = newEmu.LBNewEmu->currentRow();
        newEmu.LBNewEmu->setCurrentRow(1);
    };
    inst.dialogs.answerDialog(mrCancel, chooseSecond);
    main->ChangeEmulators1Click();
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator")), QStringLiteral("RAGE"));

    offered.clear();
    inst.dialogs.answerDialog(mrOk, chooseSecond);
    main->ChangeEmulators1Click();
    EXPECT_EQ(offered,
              (QStringList{QStringLiteral("CPS {Arcade}"), QStringLiteral("NEO {Arcade}")}));
    EXPECT_EQ(selectedOnShow, 0);
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator")), QStringLiteral("NEO"));
    EXPECT_EQ(value(kPong, QStringLiteral("Shortname")), QStringLiteral("pong_n"));
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator2")), QStringLiteral("RAGE"));
    EXPECT_EQ(value(kPong, QStringLiteral("Shortname2")), QStringLiteral("pongttl"));
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator1")), QStringLiteral("CPS"));
    EXPECT_FALSE(inst.context().store().KeyExists(StorePaths::Specific(kPong)));
    EXPECT_EQ(main->LEmu->text(), QStringLiteral("NEO {Arcade}"));
    EXPECT_EQ(main->LSn->text(), QStringLiteral("PONG_N"));
}

TEST_F(ListMaintenanceWindowTest, AddToListRecordsAFoundRomAndLeavesANotFoundOneMissing) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"), QStringLiteral("#"));
    addEntry(QStringLiteral("Never Found"), QStringLiteral("RAGE"), QStringLiteral("never"),
             QStringLiteral("#"));
    inst.writeFile(QStringLiteral("D:\\ROMS\\PONGTTL.ZIP"), "rom");
    start();

    select(QStringLiteral("[ Never Found ]"));
    const QStringList before = items();
    main->Addtolist1Click();
    EXPECT_EQ(value(QStringLiteral("Never Found"), QStringLiteral("Location")),
              QStringLiteral("#"));
    EXPECT_EQ(main->LPath->text(), QStringLiteral("#"));
    EXPECT_EQ(items(), before);

    select(kPongFramed);
    main->Addtolist1Click();
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("D:\\ROMS\\PONGTTL.ZIP"));
    EXPECT_EQ(rootString(QStringLiteral("Current")), kPong);
    EXPECT_EQ(selectedItem(), kPong);
    EXPECT_FALSE(items().contains(kPongFramed));
}

}  // namespace
