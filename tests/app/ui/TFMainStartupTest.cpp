#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWindow>

#include "app/StartupLogic.h"
#include "app/ui/TFMain.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"
#include "support/ui/WindowDriver.h"

namespace {

const QString kDir = QStringLiteral("C:\\BRIVANEL\\");

QByteArray definition(const char* lbName, const char* type, const char* extra = "") {
    return QByteArray("[Emulator]\r\nLBName=") + lbName + "\r\nType=" + type + "\r\n" + extra;
}

QStringList lines(int n) {
    QStringList out{QStringLiteral("[Games]")};
    for (int i = 1; i < n; ++i) {
        out << QStringLiteral("g%1=Game %1").arg(i);
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
    QString rootString(const QString& name) {
        SettingsStore s = store();
        return s.OpenKey(StorePaths::Root(), false) ? s.ReadString(name)
                                                    : QStringLiteral("<no root>");
    }
    QStringList idsOf(const TFMain& main) const {
        QStringList ids;
        for (int i = 1; i <= main.state().emulators.count(); ++i) {
            ids << main.state().emulators.at(i).emulatorId;
        }
        return ids;
    }
    static QStringList pages(const TFMain& main) {
        const auto& pageControl = control<QTabWidget>(main, QStringLiteral("PCConsole"));
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
    writeRoot(
        [](SettingsStore& s) { s.WriteString(QStringLiteral("Version"), QStringLiteral(".26")); });
    TFMain main(inst.context());
    main.FormActivate();
    EXPECT_EQ(idsOf(main),
              (QStringList{QStringLiteral("MAME"), QStringLiteral("NES"), QStringLiteral("PONG")}));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Brivanel .26"));
    main.winId();  // the platform window, whose title the frame shows
    EXPECT_EQ(main.windowHandle()->title(), QStringLiteral("Brivanel .26"));
    EXPECT_EQ(labelText(main, QStringLiteral("LVersion")), QStringLiteral("Version .26"));
    // One page per multi-game emulator after the two designed pages, then
    // "Single"; the SINGLE emulator has none of its own.
    EXPECT_EQ(pages(main), (QStringList{QStringLiteral("Arcade"), QStringLiteral("Console"),
                                        QStringLiteral("MAME"), QStringLiteral("NES"),
                                        QStringLiteral("Single")}));
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
    writeRoot([&](SettingsStore& s) {
        s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        s.WriteString(QStringLiteral("Current"), QStringLiteral("Galaga"));
        s.WriteDateTime(QStringLiteral("Time"), launch);
        ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Galaga")), true));
        s.WriteInteger(QStringLiteral("Count"), 4);
    });
    {
        TFMain main(inst.context());
        main.FormActivate();
    }
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Galaga")), false));
    EXPECT_EQ(s.ReadInteger(QStringLiteral("Count")), 5);

    // A run that ended without writing "Time" (killed, or nothing selected)
    // leaves it to the next start: that launch was counted already.
    {
        TFMain again(inst.context());
        again.FormActivate();
    }
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Galaga")), false));
    EXPECT_EQ(s.ReadInteger(QStringLiteral("Count")), 5);

    // 0.0003 days is too short; an entry without "Count" starts at 1.
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    s.WriteDateTime(QStringLiteral("Time"), launch);
    EXPECT_FALSE(StartupLogic::CountPlay(s, launch + 0.0003));
    s.WriteString(QStringLiteral("Current"), QStringLiteral("Dig Dug"));
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Dig Dug")), true));
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(StartupLogic::CountPlay(s, launch + 0.0004));
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Dig Dug")), false));
    EXPECT_EQ(s.ReadInteger(QStringLiteral("Count")), 1);

    // Time 0 and a "Current" without a key count nothing.
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    s.WriteDateTime(QStringLiteral("Time"), 0);
    EXPECT_FALSE(StartupLogic::CountPlay(s, launch + 1));
    s.WriteDateTime(QStringLiteral("Time"), launch);
    s.WriteString(QStringLiteral("Current"), QStringLiteral("Gone"));
    EXPECT_FALSE(StartupLogic::CountPlay(s, launch + 1));
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("Gone"))));
}

TEST_F(StartupTest, RestoresToolPathsViewSwitchesAndTheLock) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        s.WriteString(QStringLiteral("PKZIP Path"), QStringLiteral("C:\\PK\\PKZIP.EXE"));
        s.WriteString(QStringLiteral("JoyCP Path"), QStringLiteral("C:\\JOY\\JOYCP.EXE"));
        s.WriteString(QStringLiteral("ZipMagic Path"), QStringLiteral("C:\\ZM\\ZMCMDLN.EXE"));
        s.WriteString(QStringLiteral("Drives To Search"), QStringLiteral("C:;D:\\GAMES"));
        s.WriteBool(QStringLiteral("Display by Emulator"), true);
        s.WriteBool(QStringLiteral("Show Missing"), false);
        s.WriteString(QStringLiteral("Locked"), QStringLiteral("secret"));
    });
    TFMain main(inst.context());
    main.FormActivate();
    const auto checked = [&main](const char* item) {
        return menuItem(main, QString::fromLatin1(item)).isChecked();
    };
    EXPECT_TRUE(checked("byEmulator1"));
    EXPECT_FALSE(checked("byName1"));
    EXPECT_FALSE(checked("MissingGames1"));
    EXPECT_FALSE(checked("byCount1"));
    EXPECT_TRUE(main.state().locked);
    EXPECT_FALSE(menuItem(main, QStringLiteral("RemoveALLRegistryKeys1")).isEnabled());
    // ZipMagic is switched off for the run, minimised and not awaited.
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_EQ(inst.starter.starts()[0].arguments.last(), QStringLiteral("C:\\ZM\\ZMCMDLN.EXE /e-"));
    EXPECT_TRUE(inst.starter.starts()[0].arguments.contains(QStringLiteral("minimised")));

    EXPECT_EQ(shownSearchDrives(main), QStringLiteral("C:;D:\\GAMES"));
    inst.dialogs.answerText(QStringLiteral("secret"));
    menuItem(main, QStringLiteral("Lock1")).trigger();
    const ToolLocations shown = shownLocations(inst, main);
    EXPECT_EQ(shown.pkzip, QStringLiteral("C:\\PK\\PKZIP.EXE"));
    EXPECT_EQ(shown.joyCp, QStringLiteral("C:\\JOY\\JOYCP.EXE"));
    EXPECT_EQ(shown.uniVbe, QString());
    EXPECT_EQ(shown.drives, QStringLiteral("C:;D:\\GAMES"));
}

TEST_F(StartupTest, AnEmptyDrivesValueBecomesC) {
    writeRoot(
        [](SettingsStore& s) { s.WriteString(QStringLiteral("Version"), QStringLiteral(".26")); });
    TFMain main(inst.context());
    main.FormActivate();
    EXPECT_EQ(shownLocations(inst, main).drives, QStringLiteral("C:"));
    EXPECT_EQ(shownSearchDrives(main), QString());
}

// The real program, before any window or store: every path it deletes goes
// through the drive map, so a map it cannot read ends it.
TEST(Startup, AnUnusableDrivesVariableEndsTheProgramWithAMessage) {
    const QString program = QCoreApplication::applicationDirPath() + u"/brivanel";
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("BRIVANEL_STORE"), home.path() + u"/store.sqlite");
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("BRIVANEL_DRIVES"), QStringLiteral("C:/srv/c"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(60000)) << "brivanel did not end";
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(process.readAllStandardError())
                    .contains(QStringLiteral("brivanel: BRIVANEL_DRIVES: ")));
    EXPECT_FALSE(QFileInfo::exists(home.path() + u"/store.sqlite"));
}

TEST_F(StartupTest, MigratesAStoreOfAnOlderVersion) {
    for (const QString& version : {QStringLiteral(".25"), QString()}) {
        TempInstallation fresh;
        fresh.writeFile(kDir + u"mame.ini", definition("MAME {team}", "MAME"));
        {
            SettingsStore s(fresh.database());
            ASSERT_TRUE(s.OpenKey(StorePaths::Root(), true));
            if (!version.isEmpty()) {
                s.WriteString(QStringLiteral("Version"), version);
            }
            for (const char* old : {"MAME", "KEM", "SYSTEM 16", "Galaga"}) {
                ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QString::fromLatin1(old)), true));
            }
            ASSERT_TRUE(s.OpenKey(
                StorePaths::Specific(QString::fromUtf16(StartupLogic::kOldIkariKey)), true));
            s.WriteString(QStringLiteral("Sound"), QStringLiteral("Silence"));
        }
        TFMain main(fresh.context());
        main.FormActivate();
        SettingsStore s(fresh.database());
        ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
        EXPECT_EQ(s.ReadString(QStringLiteral("Version")), QStringLiteral(".26"));
        EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("MAME"))));
        EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("KEM"))));
        EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("SYSTEM 16"))));
        EXPECT_TRUE(s.KeyExists(StorePaths::Entry(QStringLiteral("Galaga"))));
        EXPECT_FALSE(
            s.KeyExists(StorePaths::Entry(QString::fromUtf16(StartupLogic::kOldIkariKey))));
        ASSERT_TRUE(
            s.OpenKey(StorePaths::Specific(QString::fromUtf16(StartupLogic::kNewRageKey)), false));
        EXPECT_EQ(s.ReadString(QStringLiteral("Sound")), QStringLiteral("Silence"));
    }
}

TEST_F(StartupTest, FirstStartSearchesDrivesWithFreeSpace) {
    TFMain main(inst.context());  // D: is a temporary folder with space, E: is not mapped
    main.FormActivate();
    EXPECT_EQ(shownLocations(inst, main).drives, QStringLiteral("C:;D:"));
    EXPECT_EQ(shownSearchDrives(main), QStringLiteral("C:"));
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
    EXPECT_FALSE(s.ValueExists(QStringLiteral("Version")));
}

TEST_F(StartupTest, AStoreValueOfTheWrongTypeIsShownAndSkipsTheRest) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(QStringLiteral("Time"), QStringLiteral("yesterday"));
        s.WriteString(QStringLiteral("PKZIP Path"), QStringLiteral("C:\\PKZIP.EXE"));
    });
    TFMain main(inst.context());
    main.FormActivate();
    EXPECT_EQ(inst.dialogs.messages(), QStringList{QStringLiteral("Invalid data type for 'Time'")});
    EXPECT_EQ(pages(main).size(), 5);  // started: a second activation starts nothing again
    main.FormActivate();
    EXPECT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(shownLocations(inst, main).pkzip.isEmpty());
    EXPECT_EQ(rootString(QStringLiteral("Time")), QStringLiteral("yesterday"));
}

TEST_F(StartupTest, AStoreFileThatIsNoDatabaseEndsTheProgramAndIsKept) {
    QDir().mkpath(QFileInfo(inst.storeFile()).absolutePath());
    {
        QFile f(inst.storeFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'z'));
    }
    {
        TFMain main(inst.context());
        main.FormActivate();
        ASSERT_EQ(inst.dialogs.messages().size(), 1);
        EXPECT_TRUE(inst.dialogs.messages()[0].contains(inst.storeFile()));
        EXPECT_EQ(inst.exitCodes, QList<int>{1});
    }
    QFile f(inst.storeFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(8192, 'z'));
}

TEST_F(StartupTest, ShutdownWritesCurrentTimeAndRomLocations) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("MAME {team}")), true));
        s.WriteString(QStringLiteral("ROMLocation"), QStringLiteral("C:\\ROMS\\"));
    });
    {
        TFMain main(inst.context());
        main.FormActivate();
        EmulatorDefinition& mame = main.state().emulators.at(
            main.state().emulators.EmulatorIndexById(QStringLiteral("MAME")));
        EXPECT_EQ(mame.romLocation, QStringLiteral("C:\\ROMS\\"));
        mame.romLocation = QStringLiteral("D:\\OTHER\\");
        menuItem(main, QStringLiteral("byCount1")).trigger();
        GameListWidget& list = listBox(main, currentList(main).objectName());
        list.setItems({QStringLiteral("0005 Galaga")});
        list.setItemIndex(0);
        main.state().gameLaunched = true;
        inst.clock.set(46000.5);
    }
    EXPECT_EQ(rootString(QStringLiteral("Current")), QStringLiteral("Galaga"));
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_DOUBLE_EQ(s.ReadDateTime(QStringLiteral("Time")), 46000.5);
    ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("MAME {team}")), false));
    EXPECT_EQ(s.ReadString(QStringLiteral("ROMLocation")), QStringLiteral("D:\\OTHER\\"));
    EXPECT_FALSE(s.KeyExists(StorePaths::Entry(QStringLiteral("NES {someone}"))));
}

TEST_F(StartupTest, ShutdownWithAnEmptyListKeepsCurrentAndTime) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        s.WriteString(QStringLiteral("Current"), QStringLiteral("Galaga"));
        s.WriteDateTime(QStringLiteral("Time"), 0);
    });
    {
        TFMain main(inst.context());
        main.FormActivate();
        main.state().gameLaunched = true;
    }
    EXPECT_EQ(rootString(QStringLiteral("Current")), QStringLiteral("Galaga"));
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_DOUBLE_EQ(s.ReadDateTime(QStringLiteral("Time")), 0.0);
}

TEST_F(StartupTest, ShutdownNeverRecreatesADeletedRoot) {
    writeRoot(
        [](SettingsStore& s) { s.WriteString(QStringLiteral("Version"), QStringLiteral(".26")); });
    {
        TFMain main(inst.context());
        main.FormActivate();
        GameListWidget& list = listBox(main, currentList(main).objectName());
        list.setItems({QStringLiteral("Galaga")});
        list.setItemIndex(0);
        store().DeleteKey(StorePaths::Root());
    }
    EXPECT_FALSE(store().KeyExists(StorePaths::Root()));
}

TEST_F(StartupTest, ClosingRunsZipMagicOnlyWhenNoGameWasLaunched) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        s.WriteString(QStringLiteral("ZipMagic Path"), QStringLiteral("C:\\ZM\\ZMCMDLN.EXE"));
    });
    for (const bool launched : {false, true}) {
        TFMain main(inst.context());
        main.FormActivate();
        main.state().gameLaunched = launched;
        const size_t before = inst.starter.starts().size();
        main.close();
        const bool ran = inst.starter.starts().size() == before + 1 &&
                         inst.starter.starts().back().arguments.last() ==
                             QStringLiteral("C:\\ZM\\ZMCMDLN.EXE /e+");
        EXPECT_EQ(ran, !launched);
    }
}

TEST_F(StartupTest, RebuildGameListAskesAndThenStartsAfresh) {
    writeRoot([](SettingsStore& s) {
        s.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        s.WriteString(QStringLiteral("Drives To Search"), QStringLiteral("C:\\ONLY"));
        ASSERT_TRUE(s.OpenKey(StorePaths::Entry(QStringLiteral("Galaga")), true));
    });
    TFMain main(inst.context());
    main.FormActivate();
    QAction& rebuild = menuItem(main, QStringLiteral("RemoveALLRegistryKeys1"));
    inst.dialogs.answer(mrNo);
    rebuild.trigger();
    EXPECT_TRUE(store().KeyExists(StorePaths::Entry(QStringLiteral("Galaga"))));
    EXPECT_EQ(shownLocations(inst, main).drives, QStringLiteral("C:\\ONLY"));

    inst.dialogs.answer(mrYes);
    rebuild.trigger();
    EXPECT_EQ(
        inst.dialogs.messages().last(),
        QStringLiteral("Are you sure you want to remove all games and their current settings?"));
    SettingsStore s = store();
    ASSERT_TRUE(s.OpenKey(StorePaths::Root(), false));
    EXPECT_TRUE(s.GetKeyNames().isEmpty());
    EXPECT_EQ(shownLocations(inst, main).drives, QStringLiteral("C:;D:"));
    EXPECT_EQ(pages(main).size(), 5);  // the pages of the first load were replaced
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
