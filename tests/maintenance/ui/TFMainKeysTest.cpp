// "&Keys...", TFKeys, "&Display README...", "&About..." and "E&xit".
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include "maintenance/ui/TFAbout.h"
#include "maintenance/ui/TFKeys.h"
#include "support/ui/OptionFixture.h"

namespace {

class KeysTest : public OptionWindowTest {
protected:
    KeysTest() {
        QStringList mame =
            QString::fromUtf8(inst.readFile(QStringLiteral("C:\\BRIVANEL\\mame.ini")))
                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        mame << QStringLiteral("[KeyHelp]") << QStringLiteral("Filename=DOCS\\KEYS.TXT")
             << QStringLiteral("KeyBegin=KEYS") << QStringLiteral("KeyEnd=END")
             << QStringLiteral("GameSpecific=%sn%:") << QStringLiteral("GSBlankLines=1");
        inst.writeLines(QStringLiteral("C:\\BRIVANEL\\mame.ini"), mame);
        inst.writeLines(QStringLiteral("C:\\EMU\\DOCS\\KEYS.TXT"),
                        {QStringLiteral("KEYS"), QStringLiteral("5: coin"), QStringLiteral("END"),
                         QString(), QStringLiteral("DKONG: Donkey Kong"),
                         QStringLiteral("ctrl: jump"), QString(), QStringLiteral("tail")});
        addGame(QStringLiteral("Donkey Kong"), QStringLiteral("MAME"), QStringLiteral("dkong"));
    }

    // Runs "&Keys..." and returns the dialog's caption and text as shown.
    std::pair<QString, QString> showKeys() {
        std::pair<QString, QString> seen;
        inst.dialogs.answerDialog(mrOk, [&seen](QObject& dialog) {
            auto& keys = static_cast<TFKeys&>(dialog);
            seen = {keys.windowTitle(), keys.MKeys->toPlainText()};
        });
        main().Keys1Click();
        return seen;
    }
};

TEST_F(KeysTest, GamePassageAndTheEmulatorsGeneralList) {
    startMain();
    EXPECT_EQ(main().Keys1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    select(QStringLiteral("Donkey Kong"));
    EXPECT_EQ(showKeys(), std::pair(QStringLiteral("Keys for Donkey Kong"),
                                    QStringLiteral("DKONG: Donkey Kong\nctrl: jump")));
    select(S(kMame));
    EXPECT_EQ(showKeys(), std::pair(QString(QStringLiteral("Keys for ") + S(kMame)),
                                    QStringLiteral("KEYS\n5: coin")));
}

TEST_F(KeysTest, MissingDocumentIsReportedAndNoDialogShown) {
    inst.writeFile(QStringLiteral("C:\\EMU\\DOCS\\KEYS.TXT"), QByteArray());
    QFile::remove(inst.host(QStringLiteral("C:\\EMU\\DOCS\\KEYS.TXT")));
    startMain();
    select(QStringLiteral("Donkey Kong"));
    main().Guard([this] { main().Keys1Click(); });
    ASSERT_EQ(inst.dialogs.shown().size(), 1u);
    EXPECT_EQ(inst.dialogs.shown()[0].kind, QStringLiteral("message"));
    EXPECT_TRUE(inst.dialogs.shown()[0].text.contains(QStringLiteral("KEYS.TXT")));
}

TEST(TFKeysTest, GrowsAboutItsCentreUntilNothingScrolls) {
    TFKeys keys;
    QStringList text;
    for (int i = 0; i < 28; ++i) {
        text << QString(80, QChar(u'a' + i % 26));
    }
    keys.MKeys->setPlainText(text.join(u'\n'));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    keys.show();
    EXPECT_EQ(keys.MKeys->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(keys.MKeys->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(keys.height(), 373);
    EXPECT_GT(keys.width(), 603);
    EXPECT_LE(std::abs(keys.frameGeometry().center().y() - screen.center().y()), 6);
    EXPECT_LE(std::abs(keys.frameGeometry().center().x() - screen.center().x()), 6);
}

TEST_F(OptionWindowTest, ReadmeOpensInTheDesktopsHandlerAndAboutShowsTheVersion) {
    startMain();
    main().DisplayREADME1Click();
    ASSERT_FALSE(inst.starter.starts().empty());
    EXPECT_EQ(inst.starter.starts().back().program, QStringLiteral("xdg-open"));
    EXPECT_EQ(inst.starter.starts().back().arguments,
              QStringList{inst.host(QStringLiteral("C:\\BRIVANEL\\readme.htm"))});

    main().About1Click();
    EXPECT_EQ(inst.dialogs.shown().back().text, QStringLiteral("FAbout"));
    EXPECT_EQ(main().FAbout->LVersion->text(), QStringLiteral("Version .26"));
    EXPECT_EQ(main().FAbout->windowTitle(), QStringLiteral("About Brivanel"));
    EXPECT_EQ(main().Help1->actions(), (QList<QAction*>{main().DisplayREADME1, main().About1}));
}

}  // namespace
