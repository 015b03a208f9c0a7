// The printed reports, to a PDF file read back with pdftotext -layout, and
// the layout's line steps on a page of known size.
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include "maintenance/ui/ReportLayout.h"
#include "support/ProcessRun.h"
#include "support/ui/OptionFixture.h"

namespace {

class ReportTest : public OptionWindowTest {
protected:
    QString pdf() const { return inst.root() + u"/report.pdf"; }

    // The text of the printed file, lines with their columns as laid out.
    QStringList printedLines() {
        QProcess p;
        p.setProgram(QStringLiteral("pdftotext"));
        p.setArguments({QStringLiteral("-layout"), pdf(), QStringLiteral("-")});
        const ProcessOutcome out = runToEnd(p);
        EXPECT_EQ(out.exitCode, 0) << "pdftotext (poppler-utils) is needed";
        QStringList lines = out.standardOutput.split(u'\n', Qt::SkipEmptyParts);
        for (QString& line : lines) {
            line = line.trimmed();
        }
        return lines;
    }
};

TEST_F(ReportTest, MissingRomsListsTheFramedGamesWithFurtherSetsAndRestoresTheView) {
    addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    addGame(QStringLiteral("Pong (Rev E) [TTL]"), QStringLiteral("MAME"), QStringLiteral("pong"));
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"),
            QStringLiteral("#"));
    setPairs(StorePaths::Entry(QStringLiteral("Galaga")),
             {QStringLiteral("RAGE"), QStringLiteral("galagao"), QStringLiteral("MAME"),
              QStringLiteral("gallag")});
    startMain();
    QAction& missing = menuItem(main(), QStringLiteral("MissingGames1"));
    missing.trigger();
    ASSERT_FALSE(missing.isChecked());
    inst.dialogs.answerText(pdf());
    menuItem(main(), QStringLiteral("PrintMissingROMs1")).trigger();
    EXPECT_FALSE(missing.isChecked());

    const QStringList lines = printedLines();
    ASSERT_GE(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Brivanel Missing ROMs - ")));
    EXPECT_EQ(lines[1].simplified(), QStringLiteral("Arcade Games Filename Emulator"));
    EXPECT_EQ(lines[2].simplified(), QStringLiteral("Galaga galaga MAME"));
    EXPECT_EQ(lines[3].simplified(), QStringLiteral("galagao RAGE"));
    EXPECT_EQ(lines[4].simplified(), QStringLiteral("gallag MAME"));
    // A name with brackets is no missing game; the Console list has none.
    EXPECT_FALSE(lines.join(u' ').contains(QStringLiteral("Pong")));
    EXPECT_FALSE(lines.join(u' ').contains(QStringLiteral("Console")));
}

// The PDF is offered in the user's documents folder, not in the working
// folder, which after a play is the emulator's.
TEST_F(ReportTest, TheReportIsOfferedAsAPdfInTheDocumentsFolder) {
    const QString config = inst.root() + u"/config";
    const QString papers = inst.root() + u"/My Papers";
    QDir().mkpath(config);
    QDir().mkpath(papers);
    QFile dirs(config + u"/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"" + papers.toUtf8() + "\"\n");
    dirs.close();
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    startMain();
    inst.dialogs.answer(mrCancel);
    menuItem(main(), QStringLiteral("PrintMissingROMs1")).trigger();
    before.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", before);
    ASSERT_EQ(inst.dialogs.shown().back().kind, QStringLiteral("print"));
    EXPECT_EQ(inst.dialogs.shown().back().text, papers + u"/Brivanel Missing ROMs.pdf");
}

TEST_F(ReportTest, MissingPicturesAskedQuestionableListsWeakPicturesWithTheirPath) {
    addGame(QStringLiteral("Pac-Man"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"));
    addGame(QStringLiteral("Xevious"), QStringLiteral("MAME"), QStringLiteral("xevious"));
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\PUCK.BMP"), "x");
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\XEVIOUS.BMP"), "x");
    startMain();
    menuItem(main(), QStringLiteral("UpdatePictureList1")).trigger();
    for (const bool questionable : {false, true}) {
        inst.dialogs.answerText(pdf());
        inst.dialogs.answer(questionable ? mrYes : mrNo);
        inst.dialogs.answer(mrYes);  // Arcade; the empty Console list is not asked about
        menuItem(main(), QStringLiteral("PrintMissingPictures1")).trigger();
        EXPECT_EQ(inst.dialogs.pending(), 0u);
        const QString all = printedLines().join(u'\n');
        EXPECT_TRUE(all.contains(QStringLiteral("Arcade Games")));
        EXPECT_TRUE(all.contains(QStringLiteral("Galaga")));
        EXPECT_FALSE(all.contains(QStringLiteral("Xevious")));
        EXPECT_FALSE(all.contains(u'{'));
        EXPECT_EQ(all.contains(QStringLiteral("...\\puck.bmp")), questionable) << questionable;
    }
    EXPECT_TRUE(
        inst.dialogs.messages().contains(QStringLiteral("Print missing picture list for Arcade?")));
    EXPECT_EQ(statusText(main()), QStringLiteral("Brivanel Missing Pictures printed"));
}

// The line steps on a page of known size, and where the next page starts.
TEST(ReportLayoutTest, ShadingColumnsAndPageBreakWhenTwoLinesNoLongerFit) {
    QTemporaryDir dir;
    QPdfWriter writer(dir.path() + u"/layout.pdf");
    writer.setResolution(72);
    QPainter painter(&writer);
    const QSize page(600, 100);
    int breaks = 0;
    ReportLayout layout(painter, page, [&breaks] { ++breaks; });
    layout.title(QStringLiteral("T"));
    const int titleHeight = layout.y();
    EXPECT_GT(titleHeight, 0);
    layout.header(QStringLiteral("Arcade Games"), QStringLiteral("Filename"), QString());
    const int h = layout.lineHeight();
    ASSERT_GT(h, 0);
    EXPECT_EQ(layout.y(), titleHeight + 3 * h);
    // Steps continue while y + 2h stays within the page.
    while (layout.y() + 2 * h <= page.height()) {
        const int before = layout.y();
        layout.nextLine();
        EXPECT_EQ(layout.y(), before + h);
    }
    EXPECT_EQ(breaks, 0);
    layout.nextLine();
    EXPECT_EQ(breaks, 1);
    EXPECT_EQ(layout.y(), 0);
    EXPECT_EQ(layout.pageCount(), 2);
}

TEST(ReportLayoutTest, ShadedRowIsAGreyBandAcrossThePage) {
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ReportLayout layout(painter, image.size(), [] {});
    layout.header(QStringLiteral("A"), QString(), QString());
    const int y = layout.y();
    layout.row({QString(), QString(), QString(), true});
    layout.row({QString(), QString(), QString(), false});
    painter.end();
    const int h = layout.lineHeight();
    EXPECT_EQ(image.pixelColor(399, y).rgb(), QColor(224, 224, 224).rgb());
    EXPECT_EQ(image.pixelColor(0, y + h - 2).rgb(), QColor(224, 224, 224).rgb());
    EXPECT_EQ(image.pixelColor(0, y + h - 1).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixelColor(0, y + h + 1).rgb(), QColor(Qt::white).rgb());
}

}  // namespace
