// The frame as the screen and the user meet it: its size on small and large
// screens, its icon, and what its status bar says about commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include "app/ui/MainStatusBar.h"
#include "pictures/PictureSize.h"
#include "pictures/ui/PictureView.h"
#include "support/ui/OptionFixture.h"

namespace {

// The demo's MAME definition offers every option group: the tallest panel.
class FrameTest : public OptionWindowTest {
protected:
    FrameTest() {
        QFile demo(QStringLiteral(BRIVANEL_DEMO_PROGRAM_DIR "/mame.ini"));
        EXPECT_TRUE(demo.open(QIODevice::ReadOnly));
        QString mame = QString::fromUtf8(demo.readAll());
        // Under the fixture's name for MAME, so that its store entries apply.
        mame.replace(QStringLiteral("MAME {The MAME Team}"), S(kMame));
        inst.writeFile(QStringLiteral("C:\\BRIVANEL\\mame.ini"), mame.toUtf8());
        addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    }
    QWidget& widget(const char* name) {
        return control<QWidget>(main(), QString::fromLatin1(name));
    }
    // Gives the window a size, as a window manager does, and lets it settle.
    void sizeTo(int width, int height) {
        main().resize(width, height);
        QTest::qWait(20);
        QApplication::processEvents();
    }
};

TEST_F(FrameTest, FitsA1024By768ScreenAndUsesTheRoomOfALargerOne) {
    startMain();
    select(QStringLiteral("Pac-Man"));
    ASSERT_FALSE(widget("CBController2").isHidden());  // all 17 groups shown
    const QSize least = main().minimumSizeHint().expandedTo(main().minimumSize());
    EXPECT_LE(least.width(), 1000);
    EXPECT_LE(least.height(), 700);

    // What a 1024x768 screen leaves a window below its title bar.
    sizeTo(1024, 740);
    EXPECT_EQ(main().size(), QSize(1024, 740));
    const QWidget& status = widget("StatusBar1");
    EXPECT_TRUE(status.isVisible());
    EXPECT_LE(status.geometry().bottom(), main().height());
    auto& options = control<QScrollArea>(main(), QStringLiteral("POptionsScroll"));
    // The panel is whole in width; what its height lacks it scrolls to.
    EXPECT_LE(widget("POptions").width(), options.viewport()->width());
    EXPECT_LE(options.viewport()->height() + options.verticalScrollBar()->maximum(),
              widget("POptions").height());
    const int designSide = PictureSize::kDesignFrame;
    EXPECT_GE(widget("PImage").width(), designSide);

    // Maximised on a large screen the picture grows and the list takes the width.
    sizeTo(1920, 1040);
    const int grown = widget("PImage").width();
    EXPECT_GT(grown, designSide * 3 / 2);
    EXPECT_EQ(widget("PImage").height(), grown);
    EXPECT_GT(widget("GameLists").width(), 1920 / 2);
    // The picture is resampled for the new size once the size has settled.
    const auto& view = control<PictureView>(main(), QStringLiteral("ImageEn1"));
    EXPECT_EQ(view.size(),
              QSize(grown - PictureSize::kFrameExtra, grown - PictureSize::kFrameExtra));

    // Made as narrow as it goes, the list keeps a usable width; the picture,
    // narrower than the option panel below it, keeps its design size.
    sizeTo(least.width(), 600);
    EXPECT_GE(widget("GameLists").width(), 280);
    EXPECT_EQ(widget("PImage").width(), designSide);
}

// The next run's window comes back where and as large as this one was,
// maximised or not, before it is first shown.
TEST_F(FrameTest, KeepsItsPlaceSizeAndMaximisedStateAcrossRuns) {
    for (const bool maximised : {false, true}) {
        startMain();
        main().setGeometry(QRect(QPoint(31, 42), QSize(700, 560)));
        if (maximised) {
            main().showMaximized();
        }
        QApplication::processEvents();
        const QRect normal = main().normalGeometry();
        endMain();
        const TFMain next(inst.context());
        EXPECT_EQ(next.isMaximized(), maximised);
        EXPECT_EQ(next.normalGeometry().size(), QSize(700, 560)) << maximised;
        EXPECT_EQ(next.normalGeometry(), normal) << maximised;
    }
}

// A menu's access keys reach each of its items: no letter serves two.
TEST_F(FrameTest, NoAccessKeyServesTwoItemsOfAMenu) {
    startMain();
    for (const QMenu* menu : main().findChildren<QMenu*>()) {
        QHash<QChar, QString> taken;
        for (const QAction* item : menu->actions()) {
            const QString text = QString(item->text()).replace(u"&&"_qs, QString());
            const qsizetype at = text.indexOf(u'&');
            if (at < 0 || at + 1 >= text.size()) {
                continue;
            }
            const QChar key = text[at + 1].toLower();
            EXPECT_FALSE(taken.contains(key))
                << menu->objectName().toStdString() << ": " << taken.value(key).toStdString()
                << " and " << text.toStdString();
            taken.insert(key, text);
        }
    }
}

TEST_F(FrameTest, TheWindowAndItsDialogsShowTheInstallersIcon) {
    startMain();
    EXPECT_FALSE(main().windowIcon().pixmap(32, 32).isNull());
    EXPECT_FALSE(widget("FAbout").windowIcon().pixmap(32, 32).isNull());
    const QPixmap about = control<QLabel>(main(), QStringLiteral("ProgramIcon")).pixmap();
    EXPECT_EQ(about.size(), QSize(64, 64));
}

TEST_F(FrameTest, ACommandThatDoesNothingOrMuchSaysWhatInTheStatusBar) {
    addGame(QStringLiteral("Lost Game"), QStringLiteral("MAME"), QStringLiteral("lost"),
            QStringLiteral("#"));
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\MAME.lst"),
                    {QStringLiteral("[Games]"), QStringLiteral("pacman=Pac-Man")});
    inst.writeFile(QStringLiteral("C:\\ZIPS\\GAME.ZIP"), "rom");
    inst.writeFile(QStringLiteral("C:\\TOOLS\\PKZIP.EXE"), "tool");
    // The emulators are installed: List Box Cleanup keeps their entries.
    for (const char* emulator : {"MAME", "RAGE", "IKARI"}) {
        inst.writeFile(u"C:\\EMU\\" + QString::fromLatin1(emulator) + u".EXE", "emulator");
    }
    for (const char* picture : {"PACMAN.PNG", "GALAXIAN.GIF", "NES\\SMB.BMP"}) {
        inst.writeFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\") + QString::fromLatin1(picture),
                       "picture");
    }
    startMain();
    const auto said = [this](const std::function<void()>& command) {
        control<QLabel>(main(), QStringLiteral("StatusText")).clear();
        command();
        return statusText(main());
    };
    const auto run = [this](const char* item) {
        return [this, item] { menuItem(main(), QString::fromLatin1(item)).trigger(); };
    };

    select(QStringLiteral("[ Lost Game ]"), {QStringLiteral("[ Lost Game ]"), S(kIkari)});
    EXPECT_EQ(
        said([this] { typeKey(listBox(main(), QStringLiteral("LBArcade")), Qt::Key_Return); }),
        QStringLiteral("\"Lost Game\" cannot be played: its ROM was not found (Add to "
                       "list searches for it)."));
    select(S(kIkari), {QStringLiteral("[ Lost Game ]"), S(kIkari)});
    EXPECT_EQ(said(run("Keys1")),
              u"No key help: the definition of " + S(kIkari) + u" names no key document.");
    EXPECT_EQ(said(run("UpdatePictureList1")), QStringLiteral("3 pictures indexed"));
    inst.dialogs.answer(mrYes);
    EXPECT_EQ(said(run("LongNameCleanup1")), QStringLiteral("1 outdated entry deleted"));

    inst.dialogs.answerDialog(mrCancel, [](QObject& dialog) {
        control<QPushButton>(dialog, QStringLiteral("BSearchDrives")).click();
    });
    const QString searched = said(run("Locations1"));
    EXPECT_TRUE(searched.contains(QRegularExpression(
        QStringLiteral("^\\d+ files found on C:; PKZIP found at C:\\\\TOOLS\\\\PKZIP.EXE; "
                       "not found: PKUNZIP, ZMCMDLN, JOYEMU, JOYCP, UNIVBE$"))))
        << searched.toStdString();
    EXPECT_FALSE(widget("StatusProgressBar").isVisible());  // gone with the work
}

TEST(StatusCountBarTest, CountsOfAKnownOrAnOpenEnd) {
    StatusCountBar bar;
    bar.setRange(0, 45000);
    bar.setValue(1234);
    EXPECT_EQ(bar.text(), QLocale().toString(1234) + u" of " + QLocale().toString(45000));
    bar.setCountOnly(true);
    EXPECT_EQ(bar.text(), QLocale().toString(1234));
}

}  // namespace
