#include <QBuffer>
#include <QImage>
#include <QTest>

#include "launch/LaunchScript.h"
#include "support/FullDisk.h"
#include "support/ProcessRun.h"
#include "support/StandIn.h"
#include "support/ui/OptionFixture.h"

namespace {

const QString kPong = QStringLiteral("Pong (Rev E) [TTL]");
const QString kScript = QStringLiteral("C:\\BRIVANEL\\Execute.bat");
const QString kPkunzip = QStringLiteral("C:\\PK\\PKUNZIP.EXE");

class PlayTest : public OptionWindowTest {
protected:
    PlayTest() {
        addGame(kPong, QStringLiteral("MAME"), QStringLiteral("pong"),
                QStringLiteral("C:\\ZIPS\\PONG.ZIP"));
        inst.writeFile(kPkunzip, "#!/bin/sh\n");
    }
    void startWithUnzip(const QString& pkunzip) {
        setValue(StorePaths::Root(), QStringLiteral("PKUNZIP Path"), pkunzip);
        startMain();
    }
    void play() { control<QPushButton>(main(), QStringLiteral("BPlay")).click(); }
    QString script() { return QString::fromUtf8(inst.readFile(kScript)); }
    QString restartLine() { return u'"' + inst.context().executablePath() + u'"'; }

    // Plays Pong in a stand-in MAME running `body` in its folder, runs the
    // launch script to its end with the real interpreter, and starts the
    // program again, as the script's last line does.
    void playAndComeBack(const QString& body) {
        StandIn::writeProgram(inst, QStringLiteral("C:\\EMU\\MAME.EXE"), body);
        startWithUnzip(kPkunzip);
        select(kPong);
        play();
        endMain();
        QProcess batch;
        const RecordingProcessStarter::Start& start = inst.starter.starts().back();
        batch.setProgram(start.program);
        batch.setArguments(start.arguments);
        batch.setWorkingDirectory(start.workingFolder);
        runToEnd(batch);
        startMain();
    }
    QString notice() {
        const auto& label = control<QLabel>(main(), QStringLiteral("StatusNotice"));
        return label.isVisible() ? label.text() : QString();
    }
};

// Back from a play, the window says how the emulator failed, with the last
// thing it said, once; a play that went well says nothing.
TEST_F(PlayTest, BackFromAFailedPlayTheFailureIsShownOnce) {
    const struct {
        const char* body;
        const char* notice;
    } cases[] = {
        {"echo 'pong.rom NOT FOUND' >&2\n"
         "echo 'Fatal error: Required files are missing, the machine cannot be run.' >&2\nexit 2",
         "\"Pong (Rev E) [TTL]\": the emulator failed (exit status 2): Fatal error: Required "
         "files are missing, the machine cannot be run."},
        {"exit 3", "\"Pong (Rev E) [TTL]\": the emulator failed (exit status 3)."},
        {"echo 'all fine' >&2", ""},
    };
    for (const auto& c : cases) {
        playAndComeBack(QString::fromUtf8(c.body));
        EXPECT_EQ(notice(), QString::fromUtf8(c.notice)) << c.body;
        EXPECT_TRUE(inst.dialogs.messages().isEmpty());  // nothing waits for an answer
        endMain();
        startMain();
        EXPECT_EQ(notice(), QString()) << c.body;
        endMain();
    }
}

// A snapshot taken during the play becomes the picture of a game that has
// none, the newest when there are several; a game's own picture stays.
TEST_F(PlayTest, BackFromAPlayASnapshotBecomesThePictureOfAGameWithout) {
    const auto picture = [](Qt::GlobalColor colour) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray png;
        QBuffer buffer(&png);
        image.save(&buffer, "PNG");
        return png;
    };
    const QByteArray older = picture(Qt::red);
    const QByteArray newest = picture(Qt::blue);
    inst.writeFile(QStringLiteral("C:\\EMU\\snap\\pong\\0000.png"), older);
    inst.writeFile(QStringLiteral("C:\\SHOT.PNG"), newest);
    const QString shot = StandIn::shellQuoted(inst.host(QStringLiteral("C:\\SHOT.PNG")));
    const QString takesSnapshot = u"cp " + shot + u" snap/pong/0001.png";
    const QString adopted = QStringLiteral("C:\\BRIVANEL\\BITMAPS\\pong.png");

    playAndComeBack(takesSnapshot);
    EXPECT_EQ(inst.readFile(adopted), newest);
    EXPECT_TRUE(inst.readFile(QStringLiteral("C:\\BRIVANEL\\picture.dir"))
                    .contains("C:\\BRIVANEL\\BITMAPS\\PONG.PNG\r\n"));
    endMain();

    // Its own picture now: a later snapshot does not replace it.
    inst.writeFile(QStringLiteral("C:\\SHOT.PNG"), older);
    playAndComeBack(takesSnapshot);
    EXPECT_EQ(inst.readFile(adopted), newest);
}

// A name with brackets of its own is a game like any other; Enter plays it.
TEST_F(PlayTest, PlayWritesTheScriptRunsItShownAndCloses) {
    startWithUnzip(kPkunzip);
    const LaunchCount launches(main());
    select(kPong);
    ASSERT_EQ(option<QComboBox>("CBResolution").currentIndex(), -1);
    option<QLineEdit>("EJoyEmu").setText(QStringLiteral("  C:\\KEYS\\PONG.KS "));
    QTest::keyClick(&listBox(main(), QStringLiteral("LBArcade")), Qt::Key_Return);

    EXPECT_EQ(
        script(),
        QStringList({QStringLiteral("C:\\PK\\PKUNZIP.EXE C:\\ZIPS\\PONG.ZIP C:\\EMU\\pong -d -o"),
                     QStringLiteral("C:"), QStringLiteral("cd C:\\EMU\\"),
                     QStringLiteral("C:\\EMU\\MAME.EXE pong -320x240 -vesa1 -noscan -nosound"),
                     QStringLiteral("deltree /y C:\\EMU\\pong"), restartLine(), QString()})
            .join(QStringLiteral("\r\n")));
    ASSERT_EQ(inst.starter.starts().size(), 1u);
    EXPECT_TRUE(inst.starter.starts()[0].arguments.join(u' ').contains(u"--show normal"));
    EXPECT_EQ(readString(Specific(kPong), QStringLiteral("Resolution")), QStringLiteral("320x240"));
    EXPECT_EQ(option<QLineEdit>("EJoyEmu").text(), QStringLiteral("C:\\KEYS\\PONG.KS"));
    EXPECT_EQ(launches.count(), 1);
    EXPECT_FALSE(main().isVisible());
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());
}

TEST_F(PlayTest, NothingPlayableDoesNothing) {
    addGame(QStringLiteral("Lost"), QStringLiteral("GONE"), QStringLiteral("lost"));
    startWithUnzip(kPkunzip);
    const LaunchCount launches(main());
    const QStringList items{u"[ " + kPong + u" ]", S(kMame), QStringLiteral("Lost")};
    for (const QString& item : items) {
        select(item, items);
        play();
    }
    listBox(main(), QStringLiteral("LBArcade")).setItems({});
    play();
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());
    EXPECT_EQ(launches.count(), 0);
    EXPECT_TRUE(main().isVisible());
}

// MAME reads a set from a folder of its name, so users keep such folders:
// the play would unpack into the user's and delete it afterwards.
TEST_F(PlayTest, AFolderOfTheGamesNameIsNeverPlayedIntoOrDeleted) {
    inst.writeFile(QStringLiteral("C:\\EMU\\pong\\mine.rom"), "the user's");
    startWithUnzip(kPkunzip);
    const LaunchCount launches(main());
    select(kPong);
    play();
    EXPECT_EQ(inst.dialogs.messages(),
              QStringList{u"\"" + kPong +
                          u"\" cannot be played: the folder the game is unpacked into "
                          u"\"C:\\EMU\\pong\" is there already, and a script deletes or "
                          u"overwrites only what it made."});
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(launches.count(), 0);
}

TEST_F(PlayTest, ZippedGameWithoutUnzipToolWarnsAndStaysOpen) {
    startWithUnzip(QStringLiteral("C:\\PK\\GONE.EXE"));
    const LaunchCount launches(main());
    select(kPong);
    play();
    EXPECT_EQ(inst.dialogs.messages(), QStringList{QString::fromUtf16(kCannotUnzipWarning)});
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(launches.count(), 0);
    // The completed selections stay stored.
    EXPECT_EQ(readString(Specific(kPong), QStringLiteral("Sound")), QStringLiteral("Silence"));
}

// A script that did not reach the disk in full is never started: the
// window says why and stays, and nothing counts as played.
TEST_F(PlayTest, OnAFullDiskNothingStartsAndTheWindowStays) {
    // Every list group chosen already: the click itself writes no option.
    setSpecific(kPong, {{u"Resolution"_qs, u"320x240"_qs},
                        {u"VESA Mode"_qs, u"VESA 1"_qs},
                        {u"Pixel Doubling"_qs, u"No Scanlines"_qs},
                        {u"Sound"_qs, u"Silence"_qs}});
    startWithUnzip(kPkunzip);
    const LaunchCount launches(main());
    select(kPong);
    {
        const FullDisk full;
        play();
    }
    ASSERT_EQ(inst.dialogs.messages().size(), 1);
    EXPECT_TRUE(inst.dialogs.messages()[0].startsWith(
        u'"' + kPong + u"\" cannot be played: " + kScript +
        u" could not be written, so nothing was started (cannot write "))
        << inst.dialogs.messages()[0].toStdString();
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(launches.count(), 0);
}

}  // namespace
