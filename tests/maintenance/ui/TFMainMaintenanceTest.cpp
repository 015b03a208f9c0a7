// Game maintenance from the main window: the scripts run to their end by
// brivanel-batch with the shipped PKZIP and PKUNZIP on real archives.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <functional>
#include <string_view>

#include "support/ProcessRun.h"
#include "support/ui/OptionFixture.h"

namespace {

const QString kPacman = QStringLiteral("Pac-Man");
const QString kPacZip = QStringLiteral("D:\\ROMS\\PACMAN.ZIP");

class MaintenanceTest : public OptionWindowTest {
protected:
    MaintenanceTest() {
        QStringList mame =
            QString::fromUtf8(inst.readFile(QStringLiteral("C:\\BRIVANEL\\mame.ini")))
                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        mame.insert(2, QStringLiteral("ROMPath=ROMS\\"));
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\mame.ini"), mame);
        inst.mkdir(QStringLiteral("C:\\EMU"));
        inst.mkdir(QStringLiteral("C:\\TOOLS"));
        QFile::copy(QStringLiteral(BRIVANEL_PKZIP),
                    inst.host(QStringLiteral("C:\\TOOLS\\PKZIP.EXE")));
        QFile::copy(QStringLiteral(BRIVANEL_PKUNZIP),
                    inst.host(QStringLiteral("C:\\TOOLS\\PKUNZIP.EXE")));
    }

    void startWithTools(const QString& pkzip = QStringLiteral("C:\\TOOLS\\PKZIP.EXE")) {
        setValue(StorePaths::Root(), QStringLiteral("PKZIP Path"), pkzip);
        setValue(StorePaths::Root(), QStringLiteral("PKUNZIP Path"),
                 QStringLiteral("C:\\TOOLS\\PKUNZIP.EXE"));
        startMain();
    }
    void run(const char* command) { menuItem(main(), QString::fromLatin1(command)).trigger(); }

    // A zip of the given files (host-relative names, contents their names),
    // added to the archive when it exists; `options` go to zip ("-0", "-P").
    void makeZip(const QString& dosZip, const QStringList& names, const QStringList& options = {}) {
        QDir().mkpath(inst.root() + u"/src");
        const QString src = inst.root() + u"/src/" + QString::number(++zips_);
        for (const QString& name : names) {
            QDir().mkpath(QFileInfo(src + u'/' + name).path());
            QFile f(src + u'/' + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(name.toUtf8());
        }
        inst.mkdir(dosZip.left(dosZip.lastIndexOf(u'\\')));
        QProcess zip;
        zip.setProgram(QStringLiteral("zip"));
        zip.setArguments(QStringList{QStringLiteral("-q")} + options +
                         QStringList{inst.host(dosZip)} + names);
        zip.setWorkingDirectory(src);
        ASSERT_EQ(runToEnd(zip).exitCode, 0);
    }

    QStringList entries(const QString& dosZip) {
        QProcess unzip;
        unzip.setProgram(QStringLiteral("unzip"));
        unzip.setArguments({QStringLiteral("-Z1"), inst.host(dosZip)});
        QStringList out = runToEnd(unzip).standardOutput.split(u'\n', Qt::SkipEmptyParts);
        out.sort();
        return out;
    }

    QByteArray content(const QString& dosZip, const QString& entry) {
        QProcess unzip;
        unzip.setProgram(QStringLiteral("unzip"));
        unzip.setArguments({QStringLiteral("-p"), inst.host(dosZip), entry});
        return runToEnd(unzip).standardOutput.toUtf8();
    }

    QStringList script() {
        return QString::fromUtf8(inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.bat")))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    // Runs the script that the last command started, as the starter would,
    // and tells the command how it ended when it watches for that.
    void runScript(bool succeeds = true) {
        ASSERT_FALSE(inst.starter.starts().empty());
        const auto& start = inst.starter.starts().back();
        EXPECT_TRUE(start.arguments.contains(QStringLiteral("minimised")));
        QProcess batch;
        batch.setProgram(start.program);
        batch.setArguments(start.arguments);
        batch.setWorkingDirectory(start.workingFolder);
        const ProcessOutcome outcome = runToEnd(batch);
        EXPECT_EQ(outcome.exitCode == 0, succeeds)
            << outcome.standardError.toStdString()
            << inst.readFile(QStringLiteral("C:\\BRIVANEL\\Execute.log")).toStdString();
        if (start.watched) {
            EXPECT_TRUE(inst.starter.endWatched(outcome.exitCode == 0));
        }
    }

    // Fix ROM on Pac-Man refused with that reason: nothing started, the
    // archive as it was.
    void expectFixRomRefused(
        const QString& because, const std::function<void()>& beforeClick = [] {}) {
        const QByteArray before = inst.readFile(kPacZip);
        addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
        startWithTools();
        select(kPacman);
        beforeClick();
        run("FixROM1");
        EXPECT_EQ(inst.dialogs.messages(),
                  QStringList{u"Fix ROM left \"Pac-Man\" as it was: " + because + u'.'});
        EXPECT_TRUE(inst.starter.starts().empty());
        EXPECT_EQ(inst.readFile(kPacZip), before);
    }

    // Fix ROM on Pac-Man run to its end; no work folder or new archive is
    // left, and a file that was there under one of their names is kept.
    void fixRomRun(bool succeeds = true, std::string_view kept = {}) {
        addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
        startWithTools();
        select(kPacman);
        run("FixROM1");
        ASSERT_TRUE(inst.dialogs.messages().isEmpty()) << inst.dialogs.messages()[0].toStdString();
        EXPECT_EQ(statusText(main()), u"Fix ROM for \"Pac-Man\": running...");
        runScript(succeeds);
        EXPECT_EQ(statusText(main()),
                  succeeds ? u"Fix ROM for \"Pac-Man\": done."_qs
                           : u"Fix ROM for \"Pac-Man\": failed (Execute.log says which line)."_qs);
        for (const char* left : {"FixRom", "FixRom.zip", "FixRom1", "FixRom1.zip"}) {
            EXPECT_EQ(inst.fs().exists(u"C:\\BRIVANEL\\" + QString::fromUtf8(left)), left == kept)
                << left;
        }
    }

    int zips_ = 0;
};

// The emulator keeps its file in its own folder; the archive's copy goes too.
TEST_F(MaintenanceTest, HighScoreFileOfAZippedGameDeletedInTheArchiveAndTheEmulatorsFolder) {
    makeZip(kPacZip, {QStringLiteral("pacman.rom"), QStringLiteral("hi/pacman.hi"),
                      QStringLiteral("hi/other.hi")});
    inst.writeFile(QStringLiteral("C:\\EMU\\HI\\pacman.hi"), "hi");
    inst.writeFile(QStringLiteral("C:\\EMU\\HI\\other.hi"), "hi");
    addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
    startWithTools();
    select(kPacman);
    run("DeleteHighScoreFile1");
    EXPECT_EQ(
        script(),
        QStringList({QStringLiteral("C:\\TOOLS\\PKZIP.EXE D:\\ROMS\\PACMAN.ZIP -d HI\\pacman.HI"),
                     QStringLiteral("C:"), QStringLiteral("cd C:\\EMU\\"),
                     QStringLiteral("del HI\\pacman.HI")}));
    runScript();
    EXPECT_EQ(statusText(main()), u"Delete High Score File for \"Pac-Man\": done."_qs);
    EXPECT_EQ(entries(kPacZip),
              QStringList({QStringLiteral("hi/other.hi"), QStringLiteral("pacman.rom")}));
    EXPECT_FALSE(inst.fs().exists(QStringLiteral("C:\\EMU\\HI\\pacman.hi")));
    EXPECT_TRUE(inst.fs().exists(QStringLiteral("C:\\EMU\\HI\\other.hi")));
}

TEST_F(MaintenanceTest, ConfigFileOfAFolderGameDeletedInTheEmulatorsFolder) {
    inst.writeFile(QStringLiteral("C:\\EMU\\CFG\\pacman.cfg"), "cfg");
    inst.writeFile(QStringLiteral("C:\\EMU\\CFG\\galaga.cfg"), "cfg");
    addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"),
            QStringLiteral("D:\\ROMS\\PACMAN"));
    startWithTools();
    select(kPacman);
    run("DeleteConfigFile1");
    EXPECT_EQ(script(), QStringList({QStringLiteral("C:"), QStringLiteral("cd C:\\EMU\\"),
                                     QStringLiteral("del CFG\\pacman.CFG")}));
    runScript();
    EXPECT_FALSE(inst.fs().exists(QStringLiteral("C:\\EMU\\CFG\\pacman.cfg")));
    EXPECT_TRUE(inst.fs().exists(QStringLiteral("C:\\EMU\\CFG\\galaga.cfg")));
}

TEST_F(MaintenanceTest, FixRomRepacksFlatAndReplacesTheArchiveOnlyWhenWhole) {
    makeZip(kPacZip, {QStringLiteral("pacman/a.rom"), QStringLiteral("pacman/deep/b.rom"),
                      QStringLiteral("c.rom")});
    fixRomRun();
    const QStringList expected{
        QStringLiteral("C:"),
        QStringLiteral("cd C:\\BRIVANEL\\"),
        QStringLiteral("md FixRom"),
        QStringLiteral("if errorlevel 1 exit"),
        QStringLiteral("cd FixRom"),
        QStringLiteral("C:\\TOOLS\\PKUNZIP.EXE D:\\ROMS\\PACMAN.ZIP"),
        QStringLiteral("if not errorlevel 1 C:\\TOOLS\\PKZIP.EXE C:\\BRIVANEL\\FixRom.zip"),
        QStringLiteral(
            "if errorlevel 1 if exist C:\\BRIVANEL\\FixRom.zip del C:\\BRIVANEL\\FixRom.zip"),
        QStringLiteral("if not errorlevel 1 copy C:\\BRIVANEL\\FixRom.zip D:\\ROMS\\PACMAN.ZIP"),
        QStringLiteral("if not errorlevel 1 del C:\\BRIVANEL\\FixRom.zip"),
        QStringLiteral("cd .."),
        QStringLiteral("deltree /y FixRom"),
    };
    EXPECT_EQ(script(), expected);
    EXPECT_EQ(entries(kPacZip), QStringList({QStringLiteral("a.rom"), QStringLiteral("b.rom"),
                                             QStringLiteral("c.rom")}));
    EXPECT_EQ(content(kPacZip, QStringLiteral("b.rom")), QByteArray("pacman/deep/b.rom"));
}

// The work folder's name is in use by a file: the script takes another name
// and leaves that file alone.
TEST_F(MaintenanceTest, FixRomWorksBesideAFileNamedLikeItsWorkFolder) {
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\FixRom"), "mine");
    makeZip(kPacZip, {QStringLiteral("pacman/a.rom"), QStringLiteral("c.rom")});
    fixRomRun(true, "FixRom");
    EXPECT_TRUE(script().contains(QStringLiteral("md FixRom1")));
    EXPECT_EQ(entries(kPacZip), QStringList({QStringLiteral("a.rom"), QStringLiteral("c.rom")}));
    EXPECT_EQ(inst.readFile(QStringLiteral("C:\\BRIVANEL\\FixRom")), QByteArray("mine"));
}

// One entry of five fails its CRC check: PKUNZIP fails and the archive stays.
TEST_F(MaintenanceTest, FixRomKeepsAnArchiveWithADamagedEntry) {
    QStringList names;
    for (const char* name : {"set/1.rom", "set/2.rom", "set/3.rom", "set/4.rom", "set/5.rom"}) {
        names << QString::fromUtf8(name);
    }
    makeZip(kPacZip, names, {QStringLiteral("-0")});
    QByteArray bytes = inst.readFile(kPacZip);
    const qsizetype data = bytes.indexOf("set/3.rom", bytes.indexOf("set/3.rom") + 1);
    ASSERT_GT(data, 0);
    bytes[data] = 'X';
    inst.writeFile(kPacZip, bytes);
    fixRomRun(false);
    EXPECT_EQ(inst.readFile(kPacZip), bytes);
}

TEST_F(MaintenanceTest, FixRomRefusedWithoutPkunzip) {
    makeZip(kPacZip, {QStringLiteral("pacman/a.rom")});
    expectFixRomRefused(
        QStringLiteral("PKUnzip is not set. You can set its location by selecting Locations from "
                       "the File Menu"),
        [this] { enterLocation(inst, main(), QStringLiteral("EPKUnzip"), QString()); });
}

TEST_F(MaintenanceTest, FixRomRefusedForAnEncryptedEntry) {
    makeZip(kPacZip, {QStringLiteral("pacman/a.rom")});
    makeZip(kPacZip, {QStringLiteral("pacman/b.rom")},
            {QStringLiteral("-P"), QStringLiteral("pw")});
    expectFixRomRefused(QStringLiteral("the entry \"pacman/b.rom\" is encrypted"));
}

TEST_F(MaintenanceTest, FixRomRefusedForEntriesThatBecomeOneName) {
    makeZip(kPacZip, {QStringLiteral("set1/a.rom"), QStringLiteral("set2/A.ROM")});
    expectFixRomRefused(QStringLiteral(
        "the entries \"set1/a.rom\" and \"set2/A.ROM\" would both become \"A.ROM\""));
}

TEST_F(MaintenanceTest, SoundSamplesGoIntoTheGamesArchive) {
    makeZip(kPacZip, {QStringLiteral("pacman.rom")});
    makeZip(QStringLiteral("C:\\SAMPLES\\PACSND.ZIP"),
            {QStringLiteral("chomp.wav"), QStringLiteral("death.wav")});
    addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
    startWithTools();
    EXPECT_EQ(menuItem(main(), QStringLiteral("AddSoundSample1")).shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_S));
    select(kPacman);
    inst.dialogs.answerText(inst.host(QStringLiteral("C:\\SAMPLES\\PACSND.ZIP")));
    run("AddSoundSample1");
    EXPECT_EQ(inst.dialogs.shown().back().text, QStringLiteral("Zipped Sound Samples for Pac-Man"));
    EXPECT_EQ(script().size(), 4);
    runScript();
    EXPECT_EQ(entries(kPacZip),
              QStringList({QStringLiteral("chomp.wav"), QStringLiteral("death.wav"),
                           QStringLiteral("pacman.rom")}));
    // The folder the game was unpacked into was the script's own.
    EXPECT_FALSE(inst.fs().exists(QStringLiteral("C:\\EMU\\ROMS\\pacman")));
}

TEST_F(MaintenanceTest, SoundSamplesNeedBothZipTools) {
    addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
    startWithTools(QStringLiteral("C:\\TOOLS\\NONE.EXE"));
    select(kPacman);
    run("AddSoundSample1");
    EXPECT_EQ(inst.dialogs.messages(),
              QStringList{QStringLiteral(
                  "Cannot use zipped samples! PKZip or PKUnzip is missing. You can set its "
                  "location by selecting Locations from the File Menu")});
    EXPECT_TRUE(inst.starter.starts().empty());
}

// The settings go only once the script that removes the program has
// started: an uninstall that cannot start leaves them and says why.
TEST_F(MaintenanceTest, UninstallNoKeepsAllYesDeletesTheStoreOnceTheScriptStarted) {
    startWithTools();
    inst.dialogs.answer(mrNo);
    run("Uninstall1");
    EXPECT_EQ(inst.dialogs.messages(),
              QStringList{QStringLiteral(
                  "This will delete ALL FILES AND FOLDERS under C:\\BRIVANEL, including any "
                  "emulators or ROMs you have placed there!  Are you sure you want to "
                  "uninstall?")});
    EXPECT_TRUE(inst.context().store().KeyExists(StorePaths::Root()));
    EXPECT_TRUE(inst.starter.starts().empty());

    inst.starter.refuse(TempInstallation::batchInterpreter());
    inst.dialogs.answer(mrYes);
    run("Uninstall1");
    EXPECT_TRUE(inst.dialogs.messages().back().startsWith(
        u"Nothing was uninstalled: C:\\BRIVANEL\\Execute.bat could not be started"_qs));
    EXPECT_TRUE(inst.context().store().KeyExists(StorePaths::Root()));
    EXPECT_TRUE(main().isVisible());

    inst.starter = RecordingProcessStarter();
    inst.dialogs.answer(mrYes);
    run("Uninstall1");
    EXPECT_FALSE(inst.context().store().KeyExists(StorePaths::Root()));
    EXPECT_EQ(script(),
              QStringList({QStringLiteral("C:"), QStringLiteral("cd C:\\BRIVANEL\\"),
                           QStringLiteral("cd .."), QStringLiteral("deltree /y C:\\BRIVANEL")}));
    EXPECT_EQ(inst.starter.starts().size(), 1u);
    endMain();  // shutdown does not bring the tree back
    EXPECT_FALSE(inst.context().store().KeyExists(StorePaths::Root()));
}

// A script that cannot start is said to have done nothing, naming the game.
TEST_F(MaintenanceTest, ACommandWhoseScriptCannotStartSaysSo) {
    makeZip(kPacZip, {QStringLiteral("pacman/a.rom")});
    makeZip(QStringLiteral("C:\\SAMPLES\\PACSND.ZIP"), {QStringLiteral("chomp.wav")});
    addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
    startWithTools();
    select(kPacman);
    inst.starter.refuse(TempInstallation::batchInterpreter());
    const struct {
        const char* command;
        const char16_t* notDone;
    } commands[] = {
        {"DeleteHighScoreFile1", u"No file of \"Pac-Man\" was deleted"},
        {"FixROM1", u"\"Pac-Man\" was not fixed"},
        {"AddSoundSample1", u"No samples were added to \"Pac-Man\""},
    };
    for (const auto& c : commands) {
        if (c.command == std::string_view("AddSoundSample1")) {
            inst.dialogs.answerText(inst.host(QStringLiteral("C:\\SAMPLES\\PACSND.ZIP")));
        }
        run(c.command);
        ASSERT_FALSE(inst.dialogs.messages().isEmpty()) << c.command;
        EXPECT_TRUE(inst.dialogs.messages().back().startsWith(
            QString::fromUtf16(c.notDone) + u": C:\\BRIVANEL\\Execute.bat could not be started"_qs))
            << c.command;
    }
    EXPECT_EQ(inst.dialogs.messages().size(), 3);
}

TEST_F(MaintenanceTest, EnterAtADeletingQuestionKeepsEverything) {
    addGame(kPacman, QStringLiteral("MAME"), QStringLiteral("pacman"), kPacZip);
    startWithTools();
    for (const char* command : {"Uninstall1", "RemoveALLRegistryKeys1"}) {
        run(command);  // answered by Enter
        ASSERT_FALSE(inst.dialogs.shown().empty());
        EXPECT_TRUE(inst.dialogs.shown().back().defaultNo) << command;
        EXPECT_TRUE(inst.context().store().KeyExists(StorePaths::Entry(kPacman))) << command;
        EXPECT_TRUE(inst.starter.starts().empty()) << command;
    }
}

TEST_F(MaintenanceTest, UninstallRefusedForAFolderWithoutDefinitions) {
    startWithTools();
    for (const QString& ini :
         {QStringLiteral("mame.ini"), QStringLiteral("rage.ini"), QStringLiteral("ikari.ini")}) {
        ASSERT_TRUE(QFile::remove(inst.fs().resolve(QStringLiteral("C:\\BRIVANEL\\") + ini)));
    }
    run("Uninstall1");
    ASSERT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(inst.dialogs.messages()[0].startsWith(QStringLiteral("Uninstall refused")));
    EXPECT_TRUE(inst.context().store().KeyExists(StorePaths::Root()));
    EXPECT_TRUE(inst.starter.starts().empty());
}

}  // namespace
