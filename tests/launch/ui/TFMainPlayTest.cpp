#include <QTest>

#include "gamelist/ui/GameListWidget.h"
#include "launch/LaunchScript.h"
#include "support/ui/OptionFixture.h"
#include "tools/ui/TFFileLocations.h"

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
        startMain();
        main().show();
    }
    QString script() { return QString::fromUtf8(inst.readFile(kScript)); }
    QString restartLine() { return u'"' + inst.context().executablePath() + u'"'; }
};

// A name with brackets of its own is a game like any other; Enter plays it.
TEST_F(PlayTest, PlayWritesTheScriptRunsItShownAndCloses) {
    main().FFileLocations->EPKUnzip->setText(kPkunzip);
    select(kPong);
    ASSERT_EQ(main().POptions->CBResolution->currentIndex(), -1);
    main().POptions->EJoyEmu->setText(QStringLiteral("  C:\\KEYS\\PONG.KS "));
    QTest::keyClick(main().LBArcade, Qt::Key_Return);

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
    EXPECT_EQ(main().POptions->EJoyEmu->text(), QStringLiteral("C:\\KEYS\\PONG.KS"));
    EXPECT_TRUE(main().state.gameLaunched);
    EXPECT_FALSE(main().isVisible());
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());
}

TEST_F(PlayTest, NothingPlayableDoesNothing) {
    main().FFileLocations->EPKUnzip->setText(kPkunzip);
    addGame(QStringLiteral("Lost"), QStringLiteral("GONE"), QStringLiteral("lost"));
    const QStringList items{u"[ " + kPong + u" ]", S(kMame), QStringLiteral("Lost")};
    for (const QString& item : items) {
        select(item, items);
        main().BPlay->click();
    }
    main().LBArcade->setItems({});
    main().BPlayClick();
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(inst.dialogs.messages().isEmpty());
    EXPECT_FALSE(main().state.gameLaunched);
    EXPECT_TRUE(main().isVisible());
}

TEST_F(PlayTest, ZippedGameWithoutUnzipToolWarnsAndStaysOpen) {
    main().FFileLocations->EPKUnzip->setText(QStringLiteral("C:\\PK\\GONE.EXE"));
    select(kPong);
    main().BPlay->click();
    EXPECT_EQ(inst.dialogs.messages(), QStringList{QString::fromUtf16(kCannotUnzipWarning)});
    EXPECT_TRUE(script().isEmpty());
    EXPECT_TRUE(inst.starter.starts().empty());
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(main().state.gameLaunched);
    // The completed selections stay stored.
    EXPECT_EQ(readString(Specific(kPong), QStringLiteral("Sound")), QStringLiteral("Silence"));
}

}  // namespace
