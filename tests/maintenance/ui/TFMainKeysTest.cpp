// "&Keys...", TFKeys, "&Display README...", "&About..." and "E&xit".
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBrowser>

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
        inst.dialogs.answerDialog(mrOk, [&seen](QObject& keys) {
            seen = {static_cast<QWidget&>(keys).windowTitle(),
                    control<QPlainTextEdit>(keys, QStringLiteral("MKeys")).toPlainText()};
        });
        menuItem(main(), QStringLiteral("Keys1")).trigger();
        return seen;
    }
};

TEST_F(KeysTest, GamePassageAndTheEmulatorsGeneralList) {
    startMain();
    EXPECT_EQ(menuItem(main(), QStringLiteral("Keys1")).shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_K));
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
    menuItem(main(), QStringLiteral("Keys1")).trigger();
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
    keys.Show(QStringLiteral("Keys"), text.join(u'\n'));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    keys.show();
    const auto& memo = control<QPlainTextEdit>(keys, QStringLiteral("MKeys"));
    EXPECT_EQ(memo.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(memo.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(keys.height(), 373);
    EXPECT_GT(keys.width(), 603);
    EXPECT_LE(std::abs(keys.frameGeometry().center().y() - screen.center().y()), 6);
    EXPECT_LE(std::abs(keys.frameGeometry().center().x() - screen.center().x()), 6);
}

TEST_F(OptionWindowTest, ReadmeOpensInTheDesktopsHandlerAndAboutShowsTheVersion) {
    startMain();
    menuItem(main(), QStringLiteral("DisplayREADME1")).trigger();
    ASSERT_FALSE(inst.starter.starts().empty());
    EXPECT_EQ(inst.starter.starts().back().program, QStringLiteral("xdg-open"));
    EXPECT_EQ(inst.starter.starts().back().arguments,
              QStringList{inst.host(QStringLiteral("C:\\BRIVANEL\\readme.htm"))});
    // The opener showed it: nothing more.
    const size_t shownBefore = inst.dialogs.shown().size();
    EXPECT_TRUE(inst.starter.endWatched(true));
    EXPECT_EQ(inst.dialogs.shown().size(), shownBefore);

    menuItem(main(), QStringLiteral("About1")).trigger();
    EXPECT_EQ(inst.dialogs.shown().back().text, QStringLiteral("FAbout"));
    EXPECT_EQ(labelText(main(), QStringLiteral("LVersion")), QStringLiteral("Version .26"));
    EXPECT_EQ(control<QWidget>(main(), QStringLiteral("FAbout")).windowTitle(),
              QStringLiteral("About Brivanel"));
    EXPECT_EQ(control<QMenu>(main(), QStringLiteral("Help1")).actions(),
              (QList<QAction*>{&menuItem(main(), QStringLiteral("DisplayREADME1")),
                               &menuItem(main(), QStringLiteral("About1"))}));
}

// Without a program to open it, or with one that fails (xdg-open without a
// browser), the manual is shown in the program.
TEST_F(OptionWindowTest, WithoutAWorkingProgramToOpenItTheManualIsShownInTheProgram) {
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\readme.htm"),
                   "<html><body><h1>Brivanel</h1><p>The manual.</p></body></html>");
    for (const bool openerInstalled : {false, true}) {
        if (!openerInstalled) {
            inst.starter.refuse(QStringLiteral("xdg-open"));
        }
        startMain();
        QString shown;
        inst.dialogs.answerDialog(mrCancel, [&shown](QObject& viewer) {
            shown = control<QTextBrowser>(viewer, QStringLiteral("MReadme")).toPlainText();
        });
        menuItem(main(), QStringLiteral("DisplayREADME1")).trigger();
        if (openerInstalled) {
            EXPECT_TRUE(inst.starter.endWatched(false));
        }
        EXPECT_TRUE(inst.dialogs.messages().isEmpty());
        EXPECT_EQ(inst.dialogs.shown().back().text, QStringLiteral("FReadme"));
        EXPECT_TRUE(shown.contains(QStringLiteral("The manual."))) << shown.toStdString();
        endMain();
        inst.starter = RecordingProcessStarter();
    }
}

}  // namespace
