#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>
#include <limits>

#include "app/StartupLogic.h"
#include "app/ui/TFMain.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kDir = u"C:\\BRIVANEL\\"_qs;

QByteArray definition(const char* lbName, const char* type, const char* extra = "") {
    return QByteArray("[Emulator]\r\nLBName=") + lbName + "\r\nType=" + type + "\r\n" + extra;
}

QStringList lines(int n) {
    QStringList out{u"[Games]"_qs};
    for (int i = 1; i < n; ++i) {
        out << u"g%1=Game %1"_qs.arg(i);
    }
    return out;
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst.writeFile(kDir + u"mame.ini", definition("MAME {team}", "MAME"));
        inst.writeFile(kDir + u"nes.ini",
                       definition("NES {someone}", "CONSOLE", "Platform=NES\r\n"));
        inst.writeFile(kDir + u"pong.ini", definition("Pong {atari}", "SINGLE"));
    }
    SettingsStore store() { return SettingsStore(inst.database()); }
    void writeRoot(const std::function<void(SettingsStore&)>& fill) {
        SettingsStore s = store();
        ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
        fill(s);
    }
    // A store of the current version, with what `fill` adds.
    void writeCurrent(const std::function<void(SettingsStore&)>& fill = {}) {
        writeRoot([&](SettingsStore& s) {
            s.WriteString(u"Version"_qs, u".26"_qs);
            if (fill) {
                fill(s);
            }
        });
    }
    // A main window after its first activation, which is the start-up.
    std::unique_ptr<TFMain> start() {
        auto main = std::make_unique<TFMain>(inst.context());
        main->FormActivate();
        return main;
    }
    // The value under the key, or "<no key>".
    QString stored(const KeyPath& key, const QString& name) {
        SettingsStore s = store();
        return s.OpenKey(key, false) ? s.ReadString(name) : u"<no key>"_qs;
    }
    int count(const QString& entry) {
        SettingsStore s = store();
        return s.OpenKey(StorePaths::Entry(entry), false) ? s.ReadInteger(u"Count"_qs) : -1;
    }
    static QStringList pages(const TFMain& main) {
        const auto& pageControl = control<QTabWidget>(main, u"PCConsole"_qs);
        QStringList captions;
        for (int i = 0; i < pageControl.count(); ++i) {
            captions << pageControl.tabText(i);
        }
        return captions;
    }

    TempInstallation inst;
};

TEST_F(StartupTest, OrdersEmulatorsByTheLengthOfTheirListFiles) {
    inst.writeLines(kDir + u"NES.lst", lines(10));
    inst.writeLines(kDir + u"MAME.lst", lines(2500));
    writeCurrent();
    const auto main = start();
    EXPECT_EQ(offeredEmulators(*main),
              (QStringList{u"MAME {team}"_qs, u"NES {someone}"_qs, u"Pong {atari}"_qs}));
    EXPECT_EQ(main->windowTitle(), u"Brivanel .26"_qs);
    main->winId();  // the platform window, whose title the frame shows
    EXPECT_EQ(main->windowHandle()->title(), u"Brivanel .26"_qs);
    EXPECT_EQ(labelText(*main, u"LVersion"_qs), u"Version .26"_qs);
    // One page per multi-game emulator after the two designed pages, then
    // "Single" and "Favourites"; the SINGLE emulator has none of its own.
    EXPECT_EQ(pages(*main), (QStringList{u"Arcade"_qs, u"Console"_qs, u"MAME"_qs, u"NES"_qs,
                                         u"Single"_qs, u"Favourites"_qs}));
    EXPECT_TRUE(inst.exitCodes.isEmpty());
}

TEST_F(StartupTest, WithoutDefinitionsTheProgramEndsWithoutTouchingTheStore) {
    TempInstallation empty;
    TFMain noIni(empty.context());
    noIni.FormActivate();
    EXPECT_EQ(empty.exitCodes, QList<int>{0});

    TempInstallation invalid;
    invalid.writeFile(kDir + u"broken.ini", definition("No braces here", "MAME"));
    invalid.writeFile(kDir + u"binary.ini", QByteArray(4096, '\xff'));
    {
        TFMain noDefinition(invalid.context());
        noDefinition.FormActivate();
        EXPECT_EQ(invalid.exitCodes, QList<int>{0});
        EXPECT_EQ(pages(noDefinition).size(), 2);
    }
    EXPECT_FALSE(QFile::exists(empty.storeFile()));
    EXPECT_FALSE(QFile::exists(invalid.storeFile()));
}

TEST_F(StartupTest, CountsAPlayOnlyAfterMoreThan0_00035Days) {
    const double launch = inst.clock.now() - 0.0004;
    writeCurrent([&](SettingsStore& s) {
        s.WriteString(u"Current"_qs, u"Galaga"_qs);
        s.WriteDateTime(u"Time"_qs, launch);
        ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Galaga"_qs), true));
        s.WriteInteger(u"Count"_qs, 4);
    });
    start();
    EXPECT_EQ(count(u"Galaga"_qs), 5);
    // A run that ended without writing "Time" (killed, or nothing selected)
    // leaves it to the next start: that launch was counted already.
    start();
    EXPECT_EQ(count(u"Galaga"_qs), 5);

    // 0.0003 days is too short; an entry without "Count" starts at 1.
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    s.WriteDateTime(u"Time"_qs, launch);
    EXPECT_FALSE(StartupLogic::CountPlay(s, launch + 0.0003));
    s.WriteString(u"Current"_qs, u"Dig Dug"_qs);
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Dig Dug"_qs), true));
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(StartupLogic::CountPlay(s, launch + 0.0004));
    EXPECT_EQ(count(u"Dig Dug"_qs), 1);

    // Time 0 and a "Current" without a key count nothing.
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    s.WriteDateTime(u"Time"_qs, 0);
    EXPECT_FALSE(StartupLogic::CountPlay(s, launch + 1));
    s.WriteDateTime(u"Time"_qs, launch);
    s.WriteString(u"Current"_qs, u"Gone"_qs);
    EXPECT_FALSE(StartupLogic::CountPlay(s, launch + 1));
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(u"Gone"_qs)));

    // The largest count stays: one more would wrap round to a negative one.
    s.WriteDateTime(u"Time"_qs, launch);
    s.WriteString(u"Current"_qs, u"Galaga"_qs);
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Galaga"_qs), false));
    s.WriteInteger(u"Count"_qs, std::numeric_limits<int>::max());
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(StartupLogic::CountPlay(s, launch + 1));
    EXPECT_EQ(count(u"Galaga"_qs), std::numeric_limits<int>::max());
}

TEST_F(StartupTest, RestoresToolPathsViewSwitchesAndTheLock) {
    writeCurrent([](SettingsStore& s) {
        s.WriteString(u"PKZIP Path"_qs, u"C:\\PK\\PKZIP.EXE"_qs);
        s.WriteString(u"JoyCP Path"_qs, u"C:\\JOY\\JOYCP.EXE"_qs);
        s.WriteString(u"ZipMagic Path"_qs, u"C:\\ZM\\ZMCMDLN.EXE"_qs);
        s.WriteString(u"Drives To Search"_qs, u"C:;D:\\GAMES"_qs);
        s.WriteBool(u"Display by Emulator"_qs, true);
        s.WriteBool(u"Show Missing"_qs, false);
        s.WriteString(u"Locked"_qs, u"secret"_qs);
    });
    const auto main = start();
    const std::pair<const char*, bool> items[] = {
        {"byEmulator1", true}, {"byName1", false}, {"MissingGames1", false}, {"byCount1", false}};
    for (const auto& [item, checked] : items) {
        EXPECT_EQ(menuItem(*main, QString::fromLatin1(item)).isChecked(), checked) << item;
    }
    EXPECT_EQ(menuItem(*main, u"Lock1"_qs).text(), u"Unlock..."_qs);
    EXPECT_FALSE(menuItem(*main, u"RemoveALLRegistryKeys1"_qs).isEnabled());
    // ZipMagic is switched off for the run, minimised and not awaited.
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_EQ(inst.starter.starts()[0].arguments.last(), u"C:\\ZM\\ZMCMDLN.EXE /e-"_qs);
    EXPECT_TRUE(inst.starter.starts()[0].arguments.contains(u"minimised"_qs));

    EXPECT_EQ(shownSearchDrives(*main), u"C:;D:\\GAMES"_qs);
    inst.dialogs.answerText(u"secret"_qs);
    menuItem(*main, u"Lock1"_qs).trigger();
    const ToolLocations shown = shownLocations(inst, *main);
    EXPECT_EQ(shown.pkzip, u"C:\\PK\\PKZIP.EXE"_qs);
    EXPECT_EQ(shown.joyCp, u"C:\\JOY\\JOYCP.EXE"_qs);
    EXPECT_EQ(shown.uniVbe, QString());
    EXPECT_EQ(shown.drives, u"C:;D:\\GAMES"_qs);
}

TEST_F(StartupTest, AnEmptyDrivesValueBecomesC) {
    writeCurrent();
    const auto main = start();
    EXPECT_EQ(shownLocations(inst, *main).drives, u"C:"_qs);
    EXPECT_EQ(shownSearchDrives(*main), QString());
}

// The real program, before any window or store: every path it deletes goes
// through the drive map, so a map it cannot read ends it.
TEST(Startup, AnUnusableDrivesVariableEndsTheProgramWithAMessage) {
    const QString program = QCoreApplication::applicationDirPath() + u"/brivanel";
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_qs, home.path());
    environment.insert(u"BRIVANEL_STORE"_qs, home.path() + u"/store.sqlite");
    environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    environment.insert(u"BRIVANEL_DRIVES"_qs, u"C:/srv/c"_qs);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(60000)) << "brivanel did not end";
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError())
                    .contains(u"brivanel: BRIVANEL_DRIVES: "_qs));
    EXPECT_FALSE(QFileInfo::exists(home.path() + u"/store.sqlite"));
}

TEST_F(StartupTest, MigratesAStoreOfAnOlderVersion) {
    const QString oldIkari = QString::fromUtf16(StartupLogic::kOldIkariKey);
    for (const QString& version : {u".25"_qs, QString()}) {
        TempInstallation fresh;
        fresh.writeFile(kDir + u"mame.ini", definition("MAME {team}", "MAME"));
        {
            SettingsStore s(fresh.database());
            ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
            if (!version.isEmpty()) {
                s.WriteString(u"Version"_qs, version);
            }
            for (const char* old : {"MAME", "KEM", "SYSTEM 16", "Galaga"}) {
                ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QString::fromLatin1(old)), true));
            }
            ASSERT_TRUE(s.OpenKey(StorePaths::Specific(oldIkari), true));
            s.WriteString(u"Sound"_qs, u"Silence"_qs);
        }
        TFMain main(fresh.context());
        main.FormActivate();
        SettingsStore s(fresh.database());
        ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
        EXPECT_EQ(s.ReadString(u"Version"_qs), u".26"_qs);
        for (const QString& gone : {u"MAME"_qs, u"KEM"_qs, u"SYSTEM 16"_qs, oldIkari}) {
            EXPECT_FALSE(s.KeyExists(StorePaths::Entry(gone))) << gone.toStdString();
        }
        EXPECT_TRUE(s.KeyExists(StorePaths::Entry(u"Galaga"_qs)));
        ASSERT_TRUE(
            s.OpenKey(StorePaths::Specific(QString::fromUtf16(StartupLogic::kNewRageKey)), false));
        EXPECT_EQ(s.ReadString(u"Sound"_qs), u"Silence"_qs);
    }
}

TEST_F(StartupTest, FirstStartSearchesDrivesWithFreeSpace) {
    const auto main = start();  // D: is a temporary folder with space, E: is not mapped
    EXPECT_EQ(shownLocations(inst, *main).drives, u"C:;D:"_qs);
    EXPECT_EQ(shownSearchDrives(*main), u"C:"_qs);
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
    EXPECT_FALSE(s.ValueExists(u"Version"_qs));
}

TEST_F(StartupTest, AStoreValueOfTheWrongTypeIsShownAndSkipsTheRest) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(u"Time"_qs, u"yesterday"_qs);
        s.WriteString(u"PKZIP Path"_qs, u"C:\\PKZIP.EXE"_qs);
    });
    const auto main = start();
    EXPECT_EQ(inst.dialogs.messages(), QStringList{u"Invalid data type for 'Time'"_qs});
    EXPECT_EQ(pages(*main).size(), 6);  // started: a second activation starts nothing again
    main->FormActivate();
    EXPECT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(shownLocations(inst, *main).pkzip.isEmpty());
    EXPECT_EQ(stored(StorePaths::Root(), u"Time"_qs), u"yesterday"_qs);
}

TEST_F(StartupTest, AStoreFileThatIsNoDatabaseEndsTheProgramAndIsKept) {
    QDir().mkpath(QFileInfo(inst.storeFile()).absolutePath());
    {
        QFile f(inst.storeFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'z'));
    }
    {
        const auto main = start();
        ASSERT_EQ(inst.dialogs.messages().size(), 1);
        EXPECT_TRUE(inst.dialogs.messages()[0].contains(inst.storeFile()));
        EXPECT_EQ(inst.exitCodes, QList<int>{1});
    }
    QFile f(inst.storeFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(8192, 'z'));
}

TEST_F(StartupTest, ShutdownWritesCurrentTimeAndRomLocations) {
    const KeyPath mameKey = StorePaths::Entry(u"MAME {team}"_qs);
    writeCurrent([&](SettingsStore& s) {
        ASSERT_TRUE(s.OpenKey(mameKey, true));
        s.WriteString(u"ROMLocation"_qs, u"C:\\ROMS\\"_qs);
    });
    {
        const auto main = start();
        // Read at start-up, kept for the run and written back at shutdown.
        writeRoot([&](SettingsStore& s) {
            ASSERT_TRUE(s.OpenKey(mameKey, false));
            s.WriteString(u"ROMLocation"_qs, u"D:\\OTHER\\"_qs);
        });
        menuItem(*main, u"byCount1"_qs).trigger();
        GameListWidget& list = listBox(*main, currentList(*main).objectName());
        list.setItems({u"0005 Galaga"_qs});
        list.setItemIndex(0);
        standInForALaunch(*main);
        inst.clock.set(46000.5);
    }
    EXPECT_EQ(stored(StorePaths::Root(), u"Current"_qs), u"Galaga"_qs);
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_DOUBLE_EQ(s.ReadDateTime(u"Time"_qs), 46000.5);
    EXPECT_EQ(stored(mameKey, u"ROMLocation"_qs), u"C:\\ROMS\\"_qs);
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(u"NES {someone}"_qs)));
}

TEST_F(StartupTest, ShutdownWithAnEmptyListKeepsCurrentAndTime) {
    writeCurrent([](SettingsStore& s) {
        s.WriteString(u"Current"_qs, u"Galaga"_qs);
        s.WriteDateTime(u"Time"_qs, 0);
    });
    standInForALaunch(*start());
    EXPECT_EQ(stored(StorePaths::Root(), u"Current"_qs), u"Galaga"_qs);
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_DOUBLE_EQ(s.ReadDateTime(u"Time"_qs), 0.0);
}

TEST_F(StartupTest, ShutdownNeverRecreatesADeletedRoot) {
    writeCurrent();
    {
        const auto main = start();
        GameListWidget& list = listBox(*main, currentList(*main).objectName());
        list.setItems({u"Galaga"_qs});
        list.setItemIndex(0);
        store().DeleteKey(StorePaths::Root());
    }
    EXPECT_FALSE(store().KeyExists(StorePaths::Root()));
}

TEST_F(StartupTest, ClosingRunsZipMagicOnlyWhenNoGameWasLaunched) {
    writeCurrent(
        [](SettingsStore& s) { s.WriteString(u"ZipMagic Path"_qs, u"C:\\ZM\\ZMCMDLN.EXE"_qs); });
    for (const bool launched : {false, true}) {
        const auto main = start();
        const size_t before = inst.starter.starts().size();
        if (launched) {
            standInForALaunch(*main);
        }
        main->close();
        const bool ran =
            inst.starter.starts().size() == before + 1 &&
            inst.starter.starts().back().arguments.last() == u"C:\\ZM\\ZMCMDLN.EXE /e+"_qs;
        EXPECT_EQ(ran, !launched);
    }
}

// A switch that cannot start is said at start-up; at close it only goes to
// the error stream, as a box would hold the shutdown up.
TEST_F(StartupTest, AZipMagicSwitchThatCannotStartIsSaidOnlyAtStartUp) {
    writeCurrent(
        [](SettingsStore& s) { s.WriteString(u"ZipMagic Path"_qs, u"C:\\ZM\\ZMCMDLN.EXE"_qs); });
    inst.starter.refuse(TempInstallation::batchInterpreter());
    const auto main = start();
    ASSERT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(inst.dialogs.messages()[0].startsWith(
        u"ZipMagic was not switched off: \"C:\\ZM\\ZMCMDLN.EXE /e-\" could not be started"_qs))
        << inst.dialogs.messages()[0].toStdString();
    main->close();
    EXPECT_EQ(inst.dialogs.messages().size(), 1);
}

TEST_F(StartupTest, RebuildGameListAskesAndThenStartsAfresh) {
    writeCurrent([](SettingsStore& s) {
        s.WriteString(u"Drives To Search"_qs, u"C:\\ONLY"_qs);
        ASSERT_TRUE(s.OpenKey(StorePaths::Entry(u"Galaga"_qs), true));
    });
    const auto main = start();
    QAction& rebuild = menuItem(*main, u"RemoveALLRegistryKeys1"_qs);
    inst.dialogs.answer(mrNo);
    rebuild.trigger();
    EXPECT_TRUE(store().KeyExists(StorePaths::Entry(u"Galaga"_qs)));
    EXPECT_EQ(shownLocations(inst, *main).drives, u"C:\\ONLY"_qs);

    inst.dialogs.answer(mrYes);
    rebuild.trigger();
    EXPECT_EQ(inst.dialogs.messages().last(),
              u"Are you sure you want to remove all games and their current settings?"_qs);
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
    EXPECT_EQ(shownLocations(inst, *main).drives, u"C:;D:"_qs);
    EXPECT_EQ(pages(*main).size(), 6);  // the pages of the first load were replaced
}

TEST_F(StartupTest, HintsGoToTheStatusBarWithoutTheirShortPart) {
    TFMain main(inst.context());
    for (const auto& [hint, shown] : {std::pair{"Short|The long part", "The long part"},
                                      std::pair{"Only one part", "Only one part"}}) {
        QStatusTipEvent tip(QString::fromLatin1(hint));
        QApplication::sendEvent(&main, &tip);
        EXPECT_EQ(statusText(main), QString::fromLatin1(shown));
    }
}

}  // namespace
