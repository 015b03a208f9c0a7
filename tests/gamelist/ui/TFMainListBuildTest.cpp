// Whole list builds through the main window on temporary installations:
// multi-game, console and single emulators with supplied list files.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

#include "settings/KeyPath.h"
#include "support/ui/ListBuildFixture.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kArcade = QStringLiteral("Arcade Multi {Test}");
const QString kNesA = QStringLiteral("NES A {Test}");
const QString kNesB = QStringLiteral("NES B {Test}");
const QString kSolo = QStringLiteral("Solo Game {Test}");
const QString kIdle = QStringLiteral("Not Chosen {Test}");

// ARC (MULTI, its own list), NESA and NESB (CONSOLE, the shared NES.lst),
// SOLO (SINGLE) and IDLE (MULTI, never chosen here).
void writeMixedInstallation(ListBuildInstallation& b) {
    b.writeDefinition(QStringLiteral("ARC"), kArcade, QStringLiteral("MULTI"),
                      {QStringLiteral("Extensions=*.rom"), QStringLiteral("[Resolutions]"),
                       QStringLiteral("640x480=-res 640"), QStringLiteral("800x600=-res 800"),
                       QStringLiteral("[LinesOffscreen]"), QStringLiteral("Default=3"),
                       QStringLiteral("[Sound]")});
    b.writeLines(
        QStringLiteral("C:\\BRIVANEL\\ARC.lst"),
        {QStringLiteral("[Games]"), QStringLiteral("PACMAN=Pac-Man"),
         QStringLiteral("GALAGA=Galaga"), QStringLiteral("DIGDUG=Dig Dug"),
         QStringLiteral("FROGGER=Frogger"), QString(), QStringLiteral(";QBERT=Q*bert"),
         QStringLiteral("=Nameless"), QStringLiteral("ORPHAN="), QStringLiteral("NOSEPARATOR")});
    b.writeFile(QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    b.writeFile(QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    b.writeFile(QStringLiteral("D:\\ROMS\\GALAGA.TXT"));  // not an extension of ARC
    for (int i = 0; i < 4; ++i) {
        b.writeFile(QStringLiteral("C:\\EMU\\ARC\\DIGDUG\\PART%1.BIN").arg(i));
    }
    for (int i = 0; i < 3; ++i) {  // five entries: no game directory
        b.writeFile(QStringLiteral("C:\\EMU\\ARC\\FROGGER\\PART%1.BIN").arg(i));
    }
    b.writeFile(QStringLiteral("D:\\ROMS\\FROGGER.ROM"));

    for (const QString& id : {QStringLiteral("NESA"), QStringLiteral("NESB")}) {
        b.writeDefinition(id, id == u"NESA" ? kNesA : kNesB, QStringLiteral("CONSOLE"),
                          {QStringLiteral("Platform=NES"), QStringLiteral("Extensions=*.nes")});
        b.writeFile(u"C:\\EMU\\" + id + u'\\' + id + u".EXE");
    }
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\NES.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("SMB=Super Mario Bros."),
                  QStringLiteral("ZELDA=The Legend of Zelda")});
    b.writeFile(QStringLiteral("D:\\NES\\SMB.NES"));
    for (int i = 0; i < 4; ++i) {  // a console emulator never has game directories
        b.writeFile(QStringLiteral("C:\\EMU\\NESA\\SMB\\PART%1.BIN").arg(i));
    }

    b.writeDefinition(QStringLiteral("SOLO"), kSolo, QStringLiteral("SINGLE"),
                      {QStringLiteral("ShowAdditional=0"), QStringLiteral("[Joystick]")});
    b.writeFile(QStringLiteral("C:\\EMU\\SOLO\\SOLO.EXE"));

    b.writeDefinition(QStringLiteral("IDLE"), kIdle, QStringLiteral("MULTI"));
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\IDLE.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("OLDGAME=Old Game")});
    b.writeFile(QStringLiteral("C:\\EMU\\IDLE\\IDLE.EXE"));
    b.writeFile(QStringLiteral("D:\\ROMS\\OLDGAME.ZIP"));
}

// A MULTI emulator PICK whose games have their ROMs in several places.
void writePickInstallation(ListBuildInstallation& b, const QStringList& games) {
    b.writeDefinition(QStringLiteral("PICK"), QStringLiteral("Pick {Test}"),
                      QStringLiteral("MULTI"));
    QStringList lines{QStringLiteral("[Games]")};
    for (const QString& game : games) {
        lines << game + u'=' + game.at(0) + game.mid(1).toLower();
    }
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\PICK.lst"), lines);
    b.writeFile(QStringLiteral("C:\\EMU\\PICK\\PICK.EXE"));
}

bool inFront(const TFMain& main, const QString& page) {
    return control<QTabWidget>(main, QStringLiteral("PCConsole")).currentWidget() ==
           &control<QWidget>(main, page);
}

bool isCurrent(const TFMain& main, const QString& list) {
    return &currentList(main) == &listBox(main, list);
}

const QString kLBArcade = QStringLiteral("LBArcade");

}  // namespace

TEST(ListBuildWindow, MultiConsoleAndSingleEmulators) {
    ListBuildInstallation b;
    writeMixedInstallation(b);
    b.writeExistingStore();
    {
        SettingsStore store = b.inst.context().store();
        store.OpenKey(StorePaths::Entry(kIdle), true);
        store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\OLD\\IDLE.EXE"));
        store.WriteString(QStringLiteral("Emulator"), QStringLiteral("IDLE"));
        store.OpenKey(StorePaths::Entry(QStringLiteral("Old Game")), true);
        store.WriteString(QStringLiteral("Location"), QStringLiteral("#"));
        store.WriteString(QStringLiteral("Emulator"), QStringLiteral("IDLE"));
    }
    TFMain& main = b.start();
    ASSERT_EQ(b.emulators().count(), 5);
    {
        SettingsStore root = b.inst.context().store();
        root.OpenKey(StorePaths::Root(), false);
        root.DeleteValue(QStringLiteral("Version"));
    }
    b.updateGameList({kArcade, kNesA, kNesB, kSolo});
    b.finishTicks();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_TRUE(b.inst.starter.starts().empty());  // no Execute.bat for supplied lists
    EXPECT_EQ(b.rootValue(QStringLiteral("Version")), QStringLiteral(".26"));

    // The emulator entries, with their initial options.
    EXPECT_EQ(b.value(kArcade, QStringLiteral("Location")),
              QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
    EXPECT_EQ(b.value(kArcade, QStringLiteral("Emulator")), QStringLiteral("ARC"));
    SettingsStore specific(b.inst.database());
    ASSERT_TRUE(specific.OpenKey(StorePaths::Specific(kArcade), false));
    EXPECT_EQ(specific.ReadString(QStringLiteral("Resolution")), QStringLiteral("640x480"));
    EXPECT_EQ(specific.ReadString(QStringLiteral("Lines Offscreen")), QStringLiteral("8"));
    EXPECT_FALSE(specific.ValueExists(QStringLiteral("Sound")));  // its section is empty
    EXPECT_EQ(b.value(kSolo, QStringLiteral("Location")),
              QStringLiteral("C:\\EMU\\SOLO\\SOLO.EXE"));
    ASSERT_TRUE(specific.OpenKey(StorePaths::Specific(kSolo), false));
    EXPECT_TRUE(specific.ReadBool(QStringLiteral("Joystick")));
    EXPECT_FALSE(specific.ValueExists(QStringLiteral("Additional")));

    // The games of ARC.
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Emulator")),
              QStringLiteral("ARC"));
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Shortname")),
              QStringLiteral("PACMAN"));
    EXPECT_EQ(b.value(QStringLiteral("Galaga"), QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(b.value(QStringLiteral("Dig Dug"), QStringLiteral("Location")),
              QStringLiteral("Dir"));
    EXPECT_EQ(b.value(QStringLiteral("Frogger"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\FROGGER.ROM"));
    // Lines without a short name or full name made no entry.
    SettingsStore root(b.inst.database());
    ASSERT_TRUE(root.OpenKey(StorePaths::Root(), false));
    const QStringList keys = root.GetKeyNames();
    EXPECT_EQ(keys.size(), 12) << qPrintable(keys.join(u", "));
    EXPECT_FALSE(keys.contains(QStringLiteral("Nameless")));
    EXPECT_FALSE(keys.contains(QString()));

    // Two console emulators share NES.lst and the entries of its games: the
    // first in table order (NESB: equal list sizes, the later ID first) owns them.
    EXPECT_EQ(b.value(QStringLiteral("Super Mario Bros."), QStringLiteral("Location")),
              QStringLiteral("D:\\NES\\SMB.NES"));
    EXPECT_EQ(b.value(QStringLiteral("Super Mario Bros."), QStringLiteral("Emulator")),
              QStringLiteral("NESB"));
    EXPECT_EQ(b.value(QStringLiteral("Super Mario Bros."), QStringLiteral("Emulator1")),
              QStringLiteral("NESA"));
    EXPECT_EQ(b.value(QStringLiteral("Super Mario Bros."), QStringLiteral("Shortname1")),
              QStringLiteral("SMB"));
    EXPECT_EQ(b.value(QStringLiteral("The Legend of Zelda"), QStringLiteral("Location")),
              QStringLiteral("#"));
    EXPECT_EQ(b.value(QStringLiteral("The Legend of Zelda"), QStringLiteral("Emulator1")),
              QStringLiteral("NESA"));
    EXPECT_EQ(b.value(QStringLiteral("The Legend of Zelda"), QStringLiteral("Emulator2")),
              QStringLiteral("<none>"));

    // The emulator not chosen keeps its entry and its games as they were.
    EXPECT_EQ(b.value(kIdle, QStringLiteral("Location")), QStringLiteral("C:\\OLD\\IDLE.EXE"));
    EXPECT_EQ(b.value(QStringLiteral("Old Game"), QStringLiteral("Location")), QStringLiteral("#"));

    // The lists rebuilt at the end show what the build wrote.
    for (const QString& item : {kArcade, QStringLiteral("Dig Dug"), QStringLiteral("Frogger"),
                                QStringLiteral("Pac-Man"), QStringLiteral("[ Galaga ]")}) {
        EXPECT_TRUE(listBox(main, kLBArcade).items().contains(item)) << qPrintable(item);
    }
    EXPECT_TRUE(listBox(main, QStringLiteral("LBConsole"))
                    .items()
                    .contains(QStringLiteral("Super Mario Bros.")));
    // The last emulator was a multi-game one: its end selects the first item.
    ASSERT_GT(currentList(main).count(), 0);
    EXPECT_EQ(currentList(main).itemIndex(), 0);
}

TEST(ListBuildWindow, EndsShowingTheItemThatIsSelected) {
    ListBuildInstallation b;
    writeMixedInstallation(b);
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({kArcade, kNesA, kNesB});
    b.finishTicks();
    // The last game handled was a console game; the item selected is ARC's
    // missing Galaga, and the labels and the panel are Galaga's and ARC's.
    ASSERT_EQ(selectedItem(currentList(main)), QStringLiteral("[ Galaga ]"));
    EXPECT_EQ(labelText(main, QStringLiteral("LEmu")), kArcade);
    EXPECT_EQ(labelText(main, QStringLiteral("LSn")), QStringLiteral("GALAGA"));
    EXPECT_EQ(labelText(main, QStringLiteral("LPath")), QStringLiteral("#"));
    EXPECT_FALSE(control<QWidget>(main, QStringLiteral("CBResolution")).isHidden());
}

// Many missing games before the one found: the list ends in view of its
// selection, and says how many of its games were found.
TEST(ListBuildWindow, EndsWithTheSelectionInViewAndTheGamesFoundCounted) {
    for (const bool fast : {false, true}) {
        SCOPED_TRACE(fast ? "fast" : "one game per tick");
        ListBuildInstallation b;
        b.writeDefinition(QStringLiteral("ARC"), kArcade, QStringLiteral("MULTI"));
        QStringList lines{QStringLiteral("[Games]")};
        for (int i = 0; i < 150; ++i) {
            lines << QStringLiteral("G%1=Game %1").arg(i, 3, 10, QLatin1Char('0'));
        }
        lines << QStringLiteral("ZZ=Zzyzx");
        b.writeLines(QStringLiteral("C:\\BRIVANEL\\ARC.lst"), lines);
        b.writeFile(QStringLiteral("C:\\EMU\\ARC\\ARC.EXE"));
        b.writeFile(QStringLiteral("D:\\ROMS\\ZZ.ZIP"));
        b.writeExistingStore();
        TFMain& main = b.start();
        main.resize(860, 640);
        main.show();
        b.updateGameList({kArcade}, fast);
        b.finishTicks();

        const GameListWidget& list = currentList(main);
        const int selected = list.itemIndex();
        ASSERT_GE(selected, 0);
        const QRect shown = list.viewport()->rect();
        EXPECT_TRUE(shown.contains(list.visualRect(list.model()->index(selected, 0))))
            << list.item(selected).toStdString() << " at " << selected;
        EXPECT_EQ(statusText(main), QStringLiteral("1 of 151 games found"));
    }
}

TEST(ListBuildWindow, EntriesOfOtherEmulatorsAreKeptOrTakenOver) {
    ListBuildInstallation b;
    writeMixedInstallation(b);
    b.writeExistingStore();
    {
        SettingsStore store = b.inst.context().store();
        // A still valid location of an emulator whose definition is gone.
        store.OpenKey(StorePaths::Entry(QStringLiteral("Pac-Man")), true);
        store.WriteString(QStringLiteral("Location"), QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
        store.WriteString(QStringLiteral("Emulator"), QStringLiteral("GONE"));
        store.WriteString(QStringLiteral("Shortname"), QStringLiteral("puck"));
        // A still valid location of an emulator that is there (IDLE).
        store.OpenKey(StorePaths::Entry(QStringLiteral("Dig Dug")), true);
        store.WriteString(QStringLiteral("Location"), QStringLiteral("Dir"));
        store.WriteString(QStringLiteral("Emulator"), QStringLiteral("IDLE"));
        store.WriteString(QStringLiteral("Shortname"), QStringLiteral("DIGDUG"));
        store.WriteString(QStringLiteral("Emulator1"), QStringLiteral("ARC"));
        store.WriteString(QStringLiteral("Shortname1"), QStringLiteral("older"));
    }
    TFMain& main = b.start();
    listBox(main, kLBArcade).clear();  // the start-up listed the stored entries
    b.updateGameList({kArcade});
    // Game by game, to see the list as each game leaves it.
    b.listBuild().Timer1Timer();  // the list file is read and PACMAN handled
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Emulator")),
              QStringLiteral("ARC"));
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Shortname")),
              QStringLiteral("PACMAN"));
    ASSERT_TRUE(isCurrent(main, kLBArcade));
    EXPECT_EQ(b.listItems(), (QStringList{kArcade, QStringLiteral("Pac-Man")}));
    EXPECT_EQ(selectedItem(listBox(main, kLBArcade)), QStringLiteral("Pac-Man"));
    b.listBuild().Timer1Timer();  // GALAGA, missing: listed, the selection stays
    b.listBuild().Timer1Timer();  // DIGDUG stays with IDLE: the list is not touched
    EXPECT_EQ(b.listItems(),
              (QStringList{QStringLiteral("[ Galaga ]"), kArcade, QStringLiteral("Pac-Man")}));
    EXPECT_EQ(selectedItem(listBox(main, kLBArcade)), QStringLiteral("Pac-Man"));
    b.finishTicks();

    EXPECT_EQ(b.value(QStringLiteral("Dig Dug"), QStringLiteral("Emulator")),
              QStringLiteral("IDLE"));
    EXPECT_EQ(b.value(QStringLiteral("Dig Dug"), QStringLiteral("Shortname")),
              QStringLiteral("DIGDUG"));
    EXPECT_EQ(b.value(QStringLiteral("Dig Dug"), QStringLiteral("Shortname1")),
              QStringLiteral("DIGDUG"));
    EXPECT_EQ(b.value(QStringLiteral("Dig Dug"), QStringLiteral("Emulator2")),
              QStringLiteral("<none>"));
}

// A damaged entry (its "Emulator" a number) raises a store error in the
// middle of the build, which then ends as a cancelled one does: the error
// shown, no timer, no progress bar, the lists rebuilt and the end told.
TEST(ListBuildWindow, AStoreErrorInATickEndsTheBuildCleanly) {
    ListBuildInstallation b;
    writePickInstallation(
        b, {QStringLiteral("ALPHA"), QStringLiteral("BRAVO"), QStringLiteral("CHARLIE")});
    b.writeFile(QStringLiteral("D:\\ROMS\\ALPHA.ZIP"));
    b.writeExistingStore();
    {
        SettingsStore store = b.inst.context().store();
        store.OpenKey(StorePaths::Entry(QStringLiteral("Bravo")), true);
        store.WriteInteger(QStringLiteral("Emulator"), 7);
    }
    TFMain& main = b.start();
    const QSignalSpy ended(&b.listBuild(), &ListBuildController::buildEnded);
    b.updateGameList({QStringLiteral("Pick {Test}")});
    b.finishTicks();
    EXPECT_EQ(b.inst.dialogs.messages(),
              QStringList{QStringLiteral("Invalid data type for 'Emulator'")});
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_TRUE(control<QProgressBar>(main, QStringLiteral("StatusProgressBar")).isHidden());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(b.listItems().contains(QStringLiteral("Alpha")));
    EXPECT_EQ(b.value(QStringLiteral("Charlie"), QStringLiteral("Location")),
              QStringLiteral("<no entry>"));
}

TEST(ListBuildWindow, TwoCandidatesAskAndAllNarrowsLaterQuestions) {
    ListBuildInstallation b;
    writePickInstallation(b, {QStringLiteral("ALPHA"), QStringLiteral("BETA"),
                              QStringLiteral("GAMMA"), QStringLiteral("DELTA")});
    for (const QString& dir : {QStringLiteral("NEW"), QStringLiteral("OLD")}) {
        for (const QString& game :
             {QStringLiteral("ALPHA"), QStringLiteral("BETA"), QStringLiteral("GAMMA")}) {
            b.writeFile(u"D:\\" + dir + u'\\' + game + u".ZIP");
        }
    }
    b.writeFile(QStringLiteral("D:\\OLD\\DELTA.ZIP"));
    b.writeFile(QStringLiteral("D:\\OTHER\\DELTA.ZIP"));
    b.writeExistingStore();
    b.start();

    QStringList seen;
    const auto answer = [&b, &seen](int result, int row) {
        b.inst.dialogs.answerDialog(result, [&seen, row](QObject& status) {
            auto& roms = control<QListWidget>(status, QStringLiteral("LBROMList"));
            QStringList items;
            for (int i = 0; i < roms.count(); ++i) {
                items << roms.item(i)->text();
            }
            seen << static_cast<QWidget&>(status).windowTitle() + u'|' +
                        control<QPushButton>(status, QStringLiteral("BAll")).text() + u'|' +
                        items.join(u',') + u'|' +
                        (control<QPushButton>(status, QStringLiteral("BSelect")).isEnabled()
                             ? u"on"
                             : u"off");
            roms.setCurrentRow(row);
        });
    };
    b.updateGameList({QStringLiteral("Pick {Test}")});
    answer(mrOk, 1);
    answer(mrAll, 0);
    b.finishTicks();

    EXPECT_EQ(
        seen,
        (QStringList{
            QStringLiteral("Select ROM for ALPHA on PICK...|&All "
                           "pick|D:\\NEW\\ALPHA.ZIP,D:\\OLD\\ALPHA.ZIP|off"),
            QStringLiteral(
                "Select ROM for BETA on PICK...|&All pick|D:\\NEW\\BETA.ZIP,D:\\OLD\\BETA.ZIP|off"),
        }));
    EXPECT_EQ(b.value(QStringLiteral("Alpha"), QStringLiteral("Location")),
              QStringLiteral("D:\\OLD\\ALPHA.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("Beta"), QStringLiteral("Location")),
              QStringLiteral("D:\\NEW\\BETA.ZIP"));
    // After All: one candidate in D:\NEW\ is taken without asking, none there is missing.
    EXPECT_EQ(b.value(QStringLiteral("Gamma"), QStringLiteral("Location")),
              QStringLiteral("D:\\NEW\\GAMMA.ZIP"));
    EXPECT_EQ(b.value(QStringLiteral("Delta"), QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(b.inst.dialogs.pending(), 0u);
}

TEST(ListBuildWindow, CancelAbortsAndKeepsWhatWasWritten) {
    ListBuildInstallation b;
    writePickInstallation(
        b, {QStringLiteral("ALPHA"), QStringLiteral("BETA"), QStringLiteral("GAMMA")});
    b.writeFile(QStringLiteral("D:\\NEW\\ALPHA.ZIP"));
    b.writeFile(QStringLiteral("D:\\NEW\\BETA.ZIP"));
    b.writeFile(QStringLiteral("D:\\OLD\\BETA.ZIP"));
    b.writeFile(QStringLiteral("D:\\NEW\\GAMMA.ZIP"));
    b.writeDefinition(QStringLiteral("LATER"), QStringLiteral("Later {Test}"),
                      QStringLiteral("SINGLE"));
    b.writeFile(QStringLiteral("C:\\EMU\\LATER\\LATER.EXE"));
    b.writeExistingStore();
    b.start();
    ASSERT_EQ(b.emulators().at(1).emulatorId, QStringLiteral("PICK"));

    b.updateGameList({QStringLiteral("Pick {Test}"), QStringLiteral("Later {Test}")});
    b.inst.dialogs.answerDialog(mrCancel, [](QObject& status) {
        control<QListWidget>(status, QStringLiteral("LBROMList")).setCurrentRow(0);
    });
    b.finishTicks();

    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_EQ(b.value(QStringLiteral("Alpha"), QStringLiteral("Location")),
              QStringLiteral("D:\\NEW\\ALPHA.ZIP"));
    EXPECT_FALSE(b.entryExists(QStringLiteral("Beta")));
    EXPECT_FALSE(b.entryExists(QStringLiteral("Gamma")));
    EXPECT_FALSE(
        b.entryExists(QStringLiteral("Later {Test}")));  // the next emulator was not reached

    // The next build starts afresh.
    b.updateGameList({QStringLiteral("Later {Test}")});
    EXPECT_TRUE(b.entryExists(QStringLiteral("Later {Test}")));
}

TEST(ListBuildWindow, LowerCaseShortNameIsSearchedAgain) {
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("LOW"), QStringLiteral("Low {Test}"), QStringLiteral("MULTI"));
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\LOW.lst"),
                 {QStringLiteral("[Games]"), QStringLiteral("pacman=Pac-Man"),
                  QStringLiteral("DKONG=Donkey Kong")});
    b.writeFile(QStringLiteral("C:\\EMU\\LOW\\LOW.EXE"));
    b.writeFile(QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));
    b.writeFile(QStringLiteral("D:\\ROMS\\DKONG.ZIP"));
    b.writeExistingStore();
    b.start();
    b.updateGameList({QStringLiteral("Low {Test}")});
    b.finishTicks();
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\PACMAN.ZIP"));

    // Second copies appear: only the game whose stored location no longer
    // counts as valid is searched again, and so asks.
    b.writeFile(QStringLiteral("D:\\COPY\\PACMAN.ZIP"));
    b.writeFile(QStringLiteral("D:\\COPY\\DKONG.ZIP"));
    b.updateGameList({QStringLiteral("Low {Test}")});
    b.inst.dialogs.answerDialog(mrNo, {});
    b.finishTicks();
    QStringList dialogs;
    for (const auto& shown : b.inst.dialogs.shown()) {
        dialogs << shown.text;
    }
    EXPECT_EQ(dialogs.count(QStringLiteral("FStatus")), 1);
    EXPECT_EQ(b.value(QStringLiteral("Pac-Man"), QStringLiteral("Location")), QStringLiteral("#"));
    EXPECT_EQ(b.value(QStringLiteral("Donkey Kong"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\DKONG.ZIP"));
    EXPECT_TRUE(listBox(b.main(), kLBArcade).items().contains(QStringLiteral("[ Pac-Man ]")));
}

TEST(ListBuildWindow, ListFileWithOnlyItsFirstLine) {
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("EMPTY"), QStringLiteral("Empty {Test}"),
                      QStringLiteral("MULTI"));
    b.writeLines(QStringLiteral("C:\\BRIVANEL\\EMPTY.lst"), {QStringLiteral("[Games]")});
    b.writeFile(QStringLiteral("C:\\EMU\\EMPTY\\EMPTY.EXE"));
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({QStringLiteral("Empty {Test}")});
    ASSERT_TRUE(b.listBuild().IsRunning());
    b.listBuild().Timer1Timer();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_EQ(b.listBuild().State().Timer1Tag, 0);
    EXPECT_EQ(b.listBuild().State().ListBuildIndex, 2);  // past the only emulator: the build ended
    EXPECT_EQ(listBox(main, kLBArcade).items(), QStringList{QStringLiteral("Empty {Test}")});
}

TEST(ListBuildWindow, ExecutableGoneIsSearchedAgain) {
    ListBuildInstallation b;
    for (const QString& id :
         {QStringLiteral("MOVED"), QStringLiteral("LOST"), QStringLiteral("NEVER")}) {
        b.writeDefinition(id, id + QStringLiteral(" {Test}"), QStringLiteral("MULTI"));
        b.writeLines(u"C:\\BRIVANEL\\" + id + u".lst",
                     {QStringLiteral("[Games]"), u"G" + id + u"=Game " + id});
        b.writeFile(u"D:\\ROMS\\G" + id + u".ZIP");
    }
    b.writeFile(QStringLiteral("C:\\EMU\\MOVED\\MOVED.EXE"));
    b.writeExistingStore();
    {
        SettingsStore store = b.inst.context().store();
        for (const QString& id : {QStringLiteral("MOVED"), QStringLiteral("LOST")}) {
            store.OpenKey(StorePaths::Entry(id + QStringLiteral(" {Test}")), true);
            store.WriteString(QStringLiteral("Location"), u"C:\\OLD\\" + id + u".EXE");
        }
    }
    b.start();
    b.updateGameList({QStringLiteral("MOVED {Test}"), QStringLiteral("LOST {Test}"),
                      QStringLiteral("NEVER {Test}")});
    EXPECT_FALSE(b.listBuild().IsRunning());  // every emulator was skipped
    EXPECT_EQ(b.value(QStringLiteral("MOVED {Test}"), QStringLiteral("Location")),
              QStringLiteral("C:\\EMU\\MOVED\\MOVED.EXE"));
    EXPECT_EQ(b.value(QStringLiteral("LOST {Test}"), QStringLiteral("Location")), QString());
    EXPECT_FALSE(b.entryExists(QStringLiteral("NEVER {Test}")));
    EXPECT_FALSE(b.entryExists(QStringLiteral("Game MOVED")));

    // The next build finds MOVED where it is now and handles its games.
    b.updateGameList({QStringLiteral("MOVED {Test}")});
    b.finishTicks();
    EXPECT_EQ(b.value(QStringLiteral("Game MOVED"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\GMOVED.ZIP"));
}

// A MAME-type emulator prints its list: it is waited for, and its absence
// ends the program.
TEST(ListBuildWindow, MissingListFileEndsTheProgramAlsoAcrossMidnight) {
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("NOLIST"), QStringLiteral("No List {Test}"),
                      QStringLiteral("MAME"));
    b.writeFile(QStringLiteral("C:\\EMU\\NOLIST\\NOLIST.EXE"));
    b.writeExistingStore();
    b.start();
    b.inst.clock.set(45000.9999);  // a minute before midnight
    b.updateGameList({QStringLiteral("No List {Test}")});
    ASSERT_TRUE(b.listBuild().IsRunning());

    b.listBuild().Timer1Timer();
    b.inst.clock.advance(0.0002);  // past midnight
    b.listBuild().Timer1Timer();
    b.inst.clock.advance(0.00019);  // still within the 0.0004 days
    b.listBuild().Timer1Timer();
    EXPECT_TRUE(b.listBuild().IsRunning());
    EXPECT_TRUE(b.inst.exitCodes.isEmpty());
    EXPECT_TRUE(b.inst.dialogs.messages().isEmpty());

    b.inst.clock.advance(0.00002);
    b.listBuild().Timer1Timer();
    EXPECT_FALSE(b.listBuild().IsRunning());
    EXPECT_EQ(b.inst.dialogs.messages(),
              QStringList{QStringLiteral("Could not find game list.  Closing.")});
    EXPECT_EQ(b.inst.exitCodes, QList<int>{2});
}

TEST(ListBuildWindow, ListFileArrivingInTimeIsRead) {
    ListBuildInstallation b;
    b.writeDefinition(QStringLiteral("LATE"), QStringLiteral("Late {Test}"),
                      QStringLiteral("MAME"));
    b.writeFile(QStringLiteral("C:\\EMU\\LATE\\LATE.EXE"));
    b.writeFile(QStringLiteral("D:\\ROMS\\KANGAROO.ZIP"));
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({QStringLiteral("Late {Test}")});
    b.listBuild().Timer1Timer();
    b.inst.clock.advance(0.0003);
    b.writeLines(
        QStringLiteral("C:\\BRIVANEL\\LATE.LST"),
        {QStringLiteral("name      description"), QStringLiteral("KANGAROO  \"Kangaroo\"")});
    b.waitForFacts();  // the stand-in prints none
    b.listBuild().Timer1Timer();
    EXPECT_EQ(b.value(QStringLiteral("Kangaroo"), QStringLiteral("Location")),
              QStringLiteral("D:\\ROMS\\KANGAROO.ZIP"));
    EXPECT_EQ(labelText(main, QStringLiteral("LSn")), QStringLiteral("KANGAROO"));
    EXPECT_EQ(labelText(main, QStringLiteral("LPath")), QStringLiteral("D:\\ROMS\\KANGAROO.ZIP"));
    EXPECT_EQ(statusText(main), QStringLiteral("Kangaroo"));
    b.finishTicks();
    EXPECT_TRUE(b.inst.exitCodes.isEmpty());
}

TEST(ListBuildWindow, EmulatorPageComesToTheFront) {
    ListBuildInstallation b;
    writeMixedInstallation(b);
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({kNesA});
    EXPECT_TRUE(inFront(main, QStringLiteral("TSConsole")));
    b.finishTicks();
    b.updateGameList({kArcade});
    EXPECT_TRUE(inFront(main, QStringLiteral("TSArcade")));
    b.finishTicks();

    menuItem(main, QStringLiteral("byEmulator1")).trigger();
    b.updateGameList({kNesA});
    EXPECT_TRUE(inFront(main, QStringLiteral("TSNESA")));
    b.finishTicks();
    // Without a current game the rebuild at the end brings no other page forward.
    {
        SettingsStore root(b.inst.database());
        root.OpenKey(StorePaths::Root(), false);
        root.DeleteValue(QStringLiteral("Current"));
    }
    b.updateGameList({kSolo});
    EXPECT_TRUE(inFront(main, QStringLiteral("TSSingle")));
    EXPECT_FALSE(b.listBuild().IsRunning());
}

TEST(ListBuildWindow, APageTheBuildBringsForwardGetsNoSelectionRefresh) {
    ListBuildInstallation b;
    writeMixedInstallation(b);
    b.writeExistingStore();
    TFMain& main = b.start();
    b.updateGameList({kNesA});
    b.finishTicks();
    ASSERT_GE(listBox(main, QStringLiteral("LBConsole")).itemIndex(), 0);
    control<QTabWidget>(main, QStringLiteral("PCConsole"))
        .setCurrentWidget(&control<QWidget>(main, QStringLiteral("TSArcade")));
    control<QLabel>(main, QStringLiteral("LSn")).setText(QStringLiteral("shown by the build"));

    b.updateGameList({kNesA});
    // The list becomes current, but neither the labels nor the panel follow
    // its selected game while the build shows its own.
    EXPECT_TRUE(inFront(main, QStringLiteral("TSConsole")));
    EXPECT_TRUE(isCurrent(main, QStringLiteral("LBConsole")));
    EXPECT_EQ(labelText(main, QStringLiteral("LSn")), QStringLiteral("shown by the build"));
    b.finishTicks();
}

TEST(ListBuildWindow, MenuItemHintsAndCancelledOptions) {
    ListBuildInstallation b;
    writeMixedInstallation(b);
    b.writeExistingStore();
    TFMain& main = b.start();
    QAction& update = menuItem(main, QStringLiteral("UpdateGameList1"));
    EXPECT_EQ(update.text(), QStringLiteral("&Update Game List..."));
    EXPECT_EQ(update.statusTip(), QStringLiteral("Add new games to the existing list"));
    const QList<QAction*> items = control<QMenu>(main, QStringLiteral("File1")).actions();
    EXPECT_EQ(items.indexOf(&update) + 1,
              items.indexOf(&menuItem(main, QStringLiteral("RemoveALLRegistryKeys1"))));
    EXPECT_EQ(main.statusTip(),
              QStringLiteral("To update game list, select Update Game List from the File menu"));

    listBox(main, currentList(main).objectName()).addItem(QStringLiteral("Kept"));
    b.inst.dialogs.answer(mrCancel);
    update.trigger();
    EXPECT_EQ(b.listItems(), QStringList{QStringLiteral("Kept")});
    EXPECT_FALSE(b.entryExists(kArcade));
}
