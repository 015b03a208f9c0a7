// Add to list, Remove from list, List Box Cleanup and Change Emulators on a
// whole main window, with the real store, files and batch interpreter.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <memory>

#include "app/ui/TFMain.h"
#include "gamelist/ChangeEmulators.h"
#include "gamelist/ListCleanup.h"
#include "gamelist/ListViewSetup.h"
#include "gamelist/RemoveFromList.h"
#include "support/ProcessRun.h"
#include "support/ui/WindowDriver.h"

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
        // Add to list searches these when nothing was found yet.
        setRoot(QStringLiteral("Drives To Search"), QStringLiteral("C:;D:"));
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
        return *main;
    }

    GameListWidget& current() { return listBox(*main, currentList(*main).objectName()); }
    void select(const QString& itemText) { selectItem(current(), itemText); }
    QAction& item(const char* name) { return menuItem(*main, QString::fromLatin1(name)); }

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

    QStringList items() const { return currentList(*main).items(); }
    QString selected() const { return selectedItem(currentList(*main)); }

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
    const struct {
        const char* item;
        const char* caption;
        const char* hint;
    } items[] = {
        {"Addtolist1", "&Add to list",
         "Searches for a single ROM and adds it to the list if found"},
        {"Removefromlist1", "Remo&ve from list", "Remove this game from the list"},
        {"ChangeEmulators1", "&Change Emulators...",
         "Allows you to use a different emulator for this ROM"},
        {"LongNameCleanup1", "List Box Cleanup...",
         "Gets rid of entries no longer present in the INI and LST files"},
    };
    for (const auto& i : items) {
        EXPECT_EQ(item(i.item).text(), QString::fromLatin1(i.caption));
        EXPECT_EQ(item(i.item).statusTip(), QString::fromLatin1(i.hint));
    }
    EXPECT_EQ(item("Addtolist1").shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_TRUE(item("Removefromlist1").shortcut().isEmpty());
    const QList<QAction*> game = control<QMenu>(*main, QStringLiteral("Game1")).actions();
    EXPECT_EQ(game.mid(0, 3), (QList<QAction*>{&item("Addtolist1"), &item("Removefromlist1"),
                                               &item("ChangeEmulators1")}));
    const QList<QAction*> file = control<QMenu>(*main, QStringLiteral("File1")).actions();
    EXPECT_EQ(file.indexOf(&item("LongNameCleanup1")),
              file.indexOf(&item("RemoveALLRegistryKeys1")) + 1);

    // A real name with brackets is a found game: removable, nothing to add.
    select(kPong);
    EXPECT_TRUE(item("Removefromlist1").isEnabled());
    EXPECT_FALSE(item("Addtolist1").isEnabled());
    select(QStringLiteral("[ Lost Game ]"));
    EXPECT_TRUE(item("Addtolist1").isEnabled());

    inst.dialogs.answerText(QStringLiteral("pw"));
    item("Lock1").trigger();
    select(QStringLiteral("[ Lost Game ]"));
    for (const char* name : {"Addtolist1", "Removefromlist1", "LongNameCleanup1"}) {
        EXPECT_FALSE(item(name).isEnabled()) << name;
    }
}

TEST_F(ListMaintenanceWindowTest, RemovingAFoundGameWithNoKeepsItsRomAndShowsItFramed) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"),
             QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));
    inst.writeFile(QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"), "rom");
    start();
    select(kPong);

    inst.dialogs.answer(mrCancel);
    item("Removefromlist1").trigger();
    EXPECT_EQ(messages(), QStringList{kMark});
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));

    inst.dialogs.answer(mrOk);
    inst.dialogs.answer(mrNo);
    item("Removefromlist1").trigger();
    EXPECT_EQ(messages(), (QStringList{kMark, kMark, kDeleteRoms}));
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(exists(QStringLiteral("C:\\ROMS\\PONGTTL.ZIP")));
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(rootString(QStringLiteral("Current")), kPong);
    EXPECT_TRUE(items().contains(kPongFramed));
    EXPECT_EQ(selected(), kPongFramed);
}

TEST_F(ListMaintenanceWindowTest, EnterAtTheRomQuestionKeepsTheRom) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"),
             QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"));
    inst.writeFile(QStringLiteral("C:\\ROMS\\PONGTTL.ZIP"), "rom");
    start();
    select(kPong);
    inst.dialogs.answer(mrOk);  // then Enter: the default button answers
    item("Removefromlist1").trigger();
    ASSERT_EQ(messages(), (QStringList{kMark, kDeleteRoms}));
    EXPECT_TRUE(inst.dialogs.shown().back().defaultNo);
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(exists(QStringLiteral("C:\\ROMS\\PONGTTL.ZIP")));
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("#"));
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
    QTest::keyClick(&current(), Qt::Key_Delete);
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
    // An emulator's own entry stays, without a word, even from the Delete key.
    select(kRage);
    QTest::keyClick(&current(), Qt::Key_Delete);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(value(kRage, QStringLiteral("Emulator")), QStringLiteral("RAGE"));

    select(kPongFramed);
    inst.dialogs.answer(mrCancel);
    item("Removefromlist1").trigger();
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("#"));

    item("Removefromlist1").trigger();
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
    item("LongNameCleanup1").trigger();
    EXPECT_EQ(entries(), before);

    item("LongNameCleanup1").trigger();
    const QString question = text(ListCleanup::kQuestion) + u" | Confirmation YesNo";
    EXPECT_EQ(messages(), (QStringList{question, question}));
    EXPECT_EQ(entries(),
              (QStringList{QStringLiteral("Breakout"), QStringLiteral("Lost Game"),
                           QStringLiteral("Old Kept"), QStringLiteral("Pac-Man"), kPong, kRage}));
    EXPECT_FALSE(items().contains(QStringLiteral("Dropped Game")));
    EXPECT_TRUE(items().contains(QStringLiteral("[ Lost Game ]")));
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
    QAction& change = item("ChangeEmulators1");
    ASSERT_TRUE(change.isEnabled());

    QStringList offered;
    int selectedOnShow = -2;
    const auto chooseSecond = [&](QObject& dialog) {
        auto& list = control<QListWidget>(dialog, QStringLiteral("LBNewEmu"));
        for (int i = 0; i < list.count(); ++i) {
            offered << list.item(i)->text();
        }
        static_cast<QDialog&>(dialog).show();
        selectedOnShow = list.currentRow();
        list.setCurrentRow(1);
        static_cast<QDialog&>(dialog).hide();
    };
    inst.dialogs.answerDialog(mrCancel, chooseSecond);
    change.trigger();
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator")), QStringLiteral("RAGE"));

    offered.clear();
    inst.dialogs.answerDialog(mrOk, chooseSecond);
    change.trigger();
    EXPECT_EQ(offered,
              (QStringList{QStringLiteral("CPS {Arcade}"), QStringLiteral("NEO {Arcade}")}));
    EXPECT_EQ(selectedOnShow, 0);
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator")), QStringLiteral("NEO"));
    EXPECT_EQ(value(kPong, QStringLiteral("Shortname")), QStringLiteral("pong_n"));
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator2")), QStringLiteral("RAGE"));
    EXPECT_EQ(value(kPong, QStringLiteral("Shortname2")), QStringLiteral("pongttl"));
    EXPECT_EQ(value(kPong, QStringLiteral("Emulator1")), QStringLiteral("CPS"));
    EXPECT_FALSE(inst.context().store().KeyExists(StorePaths::Specific(kPong)));
    EXPECT_EQ(labelText(*main, QStringLiteral("LEmu")), QStringLiteral("NEO {Arcade}"));
    EXPECT_EQ(labelText(*main, QStringLiteral("LSn")), QStringLiteral("PONG_N"));
}

TEST_F(ListMaintenanceWindowTest, AddToListRecordsAFoundRomAndLeavesANotFoundOneMissing) {
    addEntry(kPong, QStringLiteral("RAGE"), QStringLiteral("pongttl"), QStringLiteral("#"));
    addEntry(QStringLiteral("Never Found"), QStringLiteral("RAGE"), QStringLiteral("never"),
             QStringLiteral("#"));
    inst.writeFile(QStringLiteral("D:\\ROMS\\PONGTTL.ZIP"), "rom");
    start();

    select(QStringLiteral("[ Never Found ]"));
    const QStringList before = items();
    item("Addtolist1").trigger();
    EXPECT_EQ(value(QStringLiteral("Never Found"), QStringLiteral("Location")),
              QStringLiteral("#"));
    EXPECT_EQ(labelText(*main, QStringLiteral("LPath")), QStringLiteral("#"));
    EXPECT_EQ(items(), before);

    select(kPongFramed);
    item("Addtolist1").trigger();
    EXPECT_EQ(value(kPong, QStringLiteral("Location")), QStringLiteral("D:\\ROMS\\PONGTTL.ZIP"));
    EXPECT_EQ(rootString(QStringLiteral("Current")), kPong);
    EXPECT_EQ(selected(), kPong);
    EXPECT_FALSE(items().contains(kPongFramed));
}

}  // namespace
