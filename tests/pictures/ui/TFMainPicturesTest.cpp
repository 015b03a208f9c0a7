// The picture of the selected entry in the main window: lookup, fall-backs,
// the quality switch, the index commands and broken or refused files.
#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QListWidget>
#include <QMenu>

#include "imaging/HostilePictures.h"
#include "imaging/JpegDecoder.h"
#include "pictures/ui/PictureView.h"
#include "support/ui/OptionFixture.h"

namespace {

QImage flat(QRgb colour, int width = 40, int height = 30) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class PictureWindowTest : public OptionWindowTest {
protected:
    // A picture file below the program directory, made with Qt's writers.
    void writePicture(const QString& relative, const QImage& image, const char* format) {
        if (relative.contains(u'\\')) {
            inst.mkdir(u"C:\\BRIVANEL\\" + relative.left(relative.lastIndexOf(u'\\')));
        }
        image.save(inst.host(u"C:\\BRIVANEL\\" + relative), format);
    }
    PictureView& view() { return control<PictureView>(main(), QStringLiteral("ImageEn1")); }
    QRgb shown() { return view().picture().pixel(128, 128); }
};

TEST_F(PictureWindowTest, SelectionShowsItsPictureResampledToTheView) {
    writePicture(QStringLiteral("BITMAPS\\PAC-MAN.BMP"), flat(qRgb(10, 200, 30)), "BMP");
    addGame(QStringLiteral("Pac-Man (Midway)"), QStringLiteral("MAME"), QStringLiteral("pacman"));
    startMain();
    const QString said = statusText(main());
    select(QStringLiteral("Pac-Man (Midway)"));
    EXPECT_EQ(view().picture().size(), QSize(256, 256));
    EXPECT_EQ(shown(), qRgb(10, 200, 30));
    // "Resampling image..." gone, and what the status bar said before back.
    EXPECT_EQ(statusText(main()), said);
    EXPECT_EQ(labelText(main(), QStringLiteral("LEmu")), S(kMame));
    EXPECT_EQ(control<QFrame>(main(), QStringLiteral("PImage")).size(), QSize(271, 271));
}

TEST_F(PictureWindowTest, NoPictureFallsBackToEmulatorThenNoImageThenKeepsTheView) {
    writePicture(QStringLiteral("BITMAPS\\GALAGA.JPEG"), flat(qRgb(200, 0, 0)), "JPG");
    writePicture(QStringLiteral("BITMAPS\\RAGE.PNG"), flat(qRgb(0, 0, 200)), "PNG");
    writePicture(QStringLiteral("NOIMAGE.BMP"), flat(qRgb(90, 90, 90)), "BMP");
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"));
    addGame(QStringLiteral("Unknown"), QStringLiteral("MAME"), QStringLiteral("unknown"));
    addGame(QStringLiteral("Rage Game"), QStringLiteral("RAGE"), QStringLiteral("rg"));
    startMain();
    select(QStringLiteral("Galaga"));
    EXPECT_EQ(shown(), qRgb(200, 0, 0));
    select(QStringLiteral("Rage Game"));  // the emulator's own picture
    EXPECT_EQ(shown(), qRgb(0, 0, 200));
    select(QStringLiteral("Unknown"));  // noimage.bmp of the program directory
    EXPECT_EQ(shown(), qRgb(90, 90, 90));
    writePicture(QStringLiteral("BITMAPS\\noimage.bmp"), flat(qRgb(60, 70, 80)), "BMP");
    select(QStringLiteral("Unknown"));  // the picture folder's one comes first
    EXPECT_EQ(shown(), qRgb(60, 70, 80));

    QFile::remove(inst.host(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\noimage.bmp")));
    QFile::remove(inst.host(QStringLiteral("C:\\BRIVANEL\\NOIMAGE.BMP")));
    select(QStringLiteral("Galaga"));
    select(QStringLiteral("Unknown"));  // nothing at all: the view keeps Galaga
    EXPECT_EQ(shown(), qRgb(200, 0, 0));
    EXPECT_EQ(labelText(main(), QStringLiteral("LSn")), QStringLiteral("UNKNOWN"));
}

TEST_F(PictureWindowTest, BrokenPictureLeavesTheViewAndTheSelectionGoesOn) {
    writePicture(QStringLiteral("BITMAPS\\GOOD.JPG"), flat(qRgb(250, 250, 250)), "JPG");
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\BROKEN.JPG"),
                   inst.readFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\GOOD.JPG")).left(300));
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\LIAR.BMP"),
                   inst.readFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\GOOD.JPG")));
    // Refused for its cost: one scan more than a JPEG may have.
    inst.writeFile(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\SCANS.JPG"),
                   HostilePictures::jpegEmptyScans(64, 64, 3, kMaxJpegScans + 1));
    addGame(QStringLiteral("Good"), QStringLiteral("MAME"), QStringLiteral("good"));
    addGame(QStringLiteral("Broken"), QStringLiteral("MAME"), QStringLiteral("broken"));
    addGame(QStringLiteral("Liar"), QStringLiteral("MAME"), QStringLiteral("liar"));
    addGame(QStringLiteral("Scans"), QStringLiteral("MAME"), QStringLiteral("scans"));
    startMain();
    select(QStringLiteral("Good"));
    const QImage before = view().picture();
    for (const QString& name :
         {QStringLiteral("Broken"), QStringLiteral("Liar"), QStringLiteral("Scans")}) {
        select(name);
        EXPECT_EQ(view().picture(), before) << name.toStdString();
        EXPECT_EQ(labelText(main(), QStringLiteral("LSn")), name.toUpper());
    }
}

TEST_F(PictureWindowTest, ScrollingBackShowsTheCachedPictureUntilItsFileChanges) {
    writePicture(QStringLiteral("BITMAPS\\GALAGA.BMP"), flat(qRgb(200, 0, 0)), "BMP");
    writePicture(QStringLiteral("BITMAPS\\RAGE.BMP"), flat(qRgb(0, 0, 200)), "BMP");
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"));
    addGame(QStringLiteral("Rage"), QStringLiteral("MAME"), QStringLiteral("rage"));
    startMain();
    select(QStringLiteral("Galaga"));
    select(QStringLiteral("Rage"));
    const int decodes = view().cache().decodes();
    select(QStringLiteral("Galaga"));
    EXPECT_EQ(shown(), qRgb(200, 0, 0));
    EXPECT_EQ(view().cache().decodes(), decodes);
    // A new picture under the same name, written a moment later.
    writePicture(QStringLiteral("BITMAPS\\GALAGA.BMP"), flat(qRgb(0, 150, 0)), "BMP");
    QFile file(inst.host(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\GALAGA.BMP")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
    file.close();
    select(QStringLiteral("Rage"));
    select(QStringLiteral("Galaga"));
    EXPECT_EQ(shown(), qRgb(0, 150, 0));
    EXPECT_EQ(view().cache().decodes(), decodes + 1);
}

TEST_F(PictureWindowTest, TheMissingPicturesReportLooksWithoutShowing) {
    writePicture(QStringLiteral("BITMAPS\\GALAGA.JPEG"), flat(qRgb(200, 0, 0)), "JPG");
    writePicture(QStringLiteral("BITMAPS\\QIX.BMP"), flat(qRgb(0, 0, 200)), "BMP");
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"));
    addGame(QStringLiteral("Qix"), QStringLiteral("MAME"), QStringLiteral("qix"));
    startMain();
    select(QStringLiteral("Qix"));
    select(QStringLiteral("Galaga"));
    const QImage before = view().picture();
    inst.dialogs.answerText(inst.root() + u"/report.pdf");
    inst.dialogs.answer(mrNo);   // nothing questionable
    inst.dialogs.answer(mrYes);  // the Arcade list
    menuItem(main(), QStringLiteral("PrintMissingPictures1")).trigger();
    EXPECT_EQ(inst.dialogs.pending(), 0u);
    EXPECT_EQ(view().picture(), before);
    EXPECT_EQ(labelText(main(), QStringLiteral("LSn")), QStringLiteral("GALAGA"));
}

TEST_F(PictureWindowTest, ListBuildShowsTheEmulatorsOwnPicture) {
    writePicture(QStringLiteral("BITMAPS\\MAME.PNG"), flat(qRgb(5, 6, 7)), "PNG");
    startMain();
    inst.dialogs.answerDialog(mrOk, [](QObject& options) {
        auto& yes = control<QListWidget>(options, QStringLiteral("LBYes"));
        yes.clear();
        yes.addItem(S(kMame));
    });
    menuItem(main(), QStringLiteral("UpdateGameList1")).trigger();
    EXPECT_EQ(shown(), qRgb(5, 6, 7));
    EXPECT_EQ(labelText(main(), QStringLiteral("LEmu")), S(kMame));
}

TEST_F(PictureWindowTest, HighQualitySwitchIsStoredAndRedraws) {
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"));
    // Sharp stripes: the two filters resample them differently.
    QImage stripes(100, 100, QImage::Format_RGB32);
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 100; ++y) {
            stripes.setPixel(x, y, (x / 3) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    writePicture(QStringLiteral("BITMAPS\\GALAGA.BMP"), stripes, "BMP");
    startMain();
    select(QStringLiteral("Galaga"));
    const QImage halftone = view().picture();
    QAction& highQuality = menuItem(main(), QStringLiteral("HighQualityImages1"));
    EXPECT_FALSE(highQuality.isChecked());
    EXPECT_TRUE(
        control<QMenu>(main(), QStringLiteral("Display1")).actions().contains(&highQuality));
    highQuality.trigger();
    EXPECT_TRUE(highQuality.isChecked());
    EXPECT_TRUE(readBool(StorePaths::Root(), QStringLiteral("High Quality Images")));
    EXPECT_EQ(readString(StorePaths::Root(), QStringLiteral("Current")), QStringLiteral("Galaga"));
    EXPECT_NE(view().picture(), halftone);
    highQuality.trigger();
    EXPECT_FALSE(readBool(StorePaths::Root(), QStringLiteral("High Quality Images")));
    EXPECT_EQ(view().picture(), halftone);
}

TEST_F(PictureWindowTest, NewPicturesAreSeenAfterUpdatePictureList) {
    addGame(QStringLiteral("Galaga"), QStringLiteral("MAME"), QStringLiteral("galaga"));
    startMain();  // no picture.dir: start-up builds it
    EXPECT_TRUE(inst.fs().fileExists(QStringLiteral("C:\\BRIVANEL\\picture.dir")));
    writePicture(QStringLiteral("BITMAPS\\GALAGA.PNG"), flat(qRgb(0, 128, 0)), "PNG");
    select(QStringLiteral("Galaga"));
    EXPECT_NE(shown(), qRgb(0, 128, 0));
    QAction& update = menuItem(main(), QStringLiteral("UpdatePictureList1"));
    EXPECT_EQ(update.statusTip(), QStringLiteral("You must use this now to see new pictures!"));
    update.trigger();  // refreshes the selection itself
    EXPECT_EQ(shown(), qRgb(0, 128, 0));
    EXPECT_EQ(inst.readFile(QStringLiteral("C:\\BRIVANEL\\picture.dir")),
              QByteArray("C:\\BRIVANEL\\BITMAPS\\GALAGA.PNG\r\n"));
}

}  // namespace
