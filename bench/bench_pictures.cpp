// Pictures: decoding and resampling a 640x480 and a 1600x1200 JPEG to the
// 256x256 view, the same work by ImageMagick's convert on the same files,
// how close our Lanczos-3 comes to ImageMagick's, and the selection refresh
// with its picture. Medians in milliseconds.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/ui/TFMain.h"
#include "gamelist/ui/GameListWidget.h"
#include "imaging/PictureDecoder.h"
#include "imaging/Resample.h"
#include "pictures/ui/PictureView.h"
#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

#include "BenchTiming.h"

namespace {

const QSize kView(256, 256);

// A screenshot-like picture: gradients, hard-edged shapes, text and noise.
QImage scene(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(20, 30, 120));
    gradient.setColorAt(1, QColor(230, 180, 40));
    painter.fillRect(image.rect(), gradient);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate() | 0xff000000));
        painter.setPen(QPen(QColor::fromRgb(random.generate() | 0xff000000), 3));
        const int x = random.bounded(width), y = random.bounded(height);
        const int w = random.bounded(width / 4) + 4, h = random.bounded(height / 4) + 4;
        (i % 2 ? painter.drawEllipse(x, y, w, h) : painter.drawRect(x, y, w, h));
    }
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Sans"), height / 20));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("SCORE 0012345"));
    painter.end();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(17)) - 8;
            const QRgb p = row[x];
            row[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                          std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return image;
}

QString convertProgram() {
    const QString debian = QStandardPaths::findExecutable(QStringLiteral("convert-im6.q16"));
    return debian.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("convert")) : debian;
}

bool imageMagickResize(const QString& in, const QString& out) {
    QProcess process;
    process.start(convertProgram(), {in, QStringLiteral("-filter"), QStringLiteral("Lanczos"),
                                     QStringLiteral("-resize"), QStringLiteral("256x256!"), out});
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

void print(const char* name, double value) {
    std::printf("%s: %.3f\n", name, value);
    std::fflush(stdout);
}

// The selection refresh of one game with a 640x480 JPEG, Lanczos-3 on:
// its first show, or shown again from the cache.
double showSelectedWithPicture(const QImage& picture, bool cached) {
    TempInstallation inst;
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\mame.ini"),
                    {QStringLiteral("[Emulator]"), QStringLiteral("LBName=MAME {Bench}"),
                     QStringLiteral("Type=MAME")});
    inst.mkdir(QStringLiteral("C:\\BRIVANEL\\BITMAPS"));
    picture.save(inst.host(QStringLiteral("C:\\BRIVANEL\\BITMAPS\\GAME.JPG")), "JPG", 90);
    {
        SettingsStore store = inst.context().store();
        store.OpenKey(StorePaths::Root(), true);
        store.WriteString(QStringLiteral("Version"), QStringLiteral(".26"));
        store.WriteBool(QStringLiteral("High Quality Images"), true);
        store.OpenKey(StorePaths::Entry(QStringLiteral("Game")), true);
        store.WriteString(QStringLiteral("Emulator"), QStringLiteral("MAME"));
        store.WriteString(QStringLiteral("Shortname"), QStringLiteral("game"));
        store.WriteString(QStringLiteral("Location"), QStringLiteral("C:\\ROMS\\GAME.ZIP"));
    }
    TFMain main(inst.context());
    main.FormActivate();
    auto* list = main.findChild<GameListWidget*>(QStringLiteral("LBArcade"));
    list->setItems({QStringLiteral("Game")});
    list->setItemIndex(0);
    if (!main.findChild<QAction*>(QStringLiteral("HighQualityImages1"))->isChecked()) {
        std::fprintf(stderr, "bench_pictures: the quality switch was not restored\n");
    }
    auto* view = main.findChild<PictureView*>(QStringLiteral("ImageEn1"));
    return medianMs(31, [list, view, cached] {
        if (!cached) {
            view->cache().clear();
        }
        // The release of a key in the list refreshes the selection.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        QApplication::sendEvent(list, &release);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString small = dir.path() + u"/small.jpg";
    const QString large = dir.path() + u"/large.jpg";
    const QImage smallScene = scene(640, 480, 1);
    smallScene.save(small, "JPG", 90);
    scene(1600, 1200, 2).save(large, "JPG", 90);

    const double lanczos640 = medianMs(31, [&] { resampleLanczos3(*loadPicture(small), kView); });
    const double lanczos1600 = medianMs(21, [&] { resampleLanczos3(*loadPicture(large), kView); });
    const double halftone640 = medianMs(31, [&] { resampleHalftone(*loadPicture(small), kView); });
    print("lanczos_640_ms", lanczos640);
    print("lanczos_1600_ms", lanczos1600);
    print("halftone_640_ms", halftone640);
    print("halftone_1600_ms", medianMs(21, [&] { resampleHalftone(*loadPicture(large), kView); }));

    if (convertProgram().isEmpty()) {
        std::fprintf(stderr, "bench_pictures: ImageMagick's convert is not installed\n");
    } else {
        // The whole convert run, start-up included: what a user would pay.
        const double im640 = medianMs(7, [&] { imageMagickResize(small, dir.path() + u"/o.png"); });
        const double im1600 =
            medianMs(7, [&] { imageMagickResize(large, dir.path() + u"/o.png"); });
        print("imagemagick_640_ms", im640);
        print("imagemagick_1600_ms", im1600);
        print("lanczos_vs_imagemagick_ratio", (lanczos640 + lanczos1600) / (im640 + im1600));

        // Accuracy: several pictures, both directions of change.
        double sum = 0;
        qint64 count = 0;
        int worst = 0;
        const QSize sizes[] = {{640, 480}, {1600, 1200}, {320, 224}, {96, 80}, {256, 600}};
        for (int i = 0; i < 5; ++i) {
            const QString source = dir.path() + QStringLiteral("/a%1.png").arg(i);
            const QString theirs = dir.path() + QStringLiteral("/b%1.png").arg(i);
            scene(sizes[i].width(), sizes[i].height(), 10 + i).save(source, "PNG");
            if (!imageMagickResize(source, theirs)) {
                continue;
            }
            const QImage ours = resampleLanczos3(*loadPicture(source), kView);
            const QImage reference = QImage(theirs).convertToFormat(QImage::Format_RGB32);
            for (int y = 0; y < kView.height(); ++y) {
                for (int x = 0; x < kView.width(); ++x) {
                    const QRgb p = ours.pixel(x, y), q = reference.pixel(x, y);
                    for (const int d :
                         {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                        sum += std::abs(d);
                        worst = std::max(worst, std::abs(d));
                        ++count;
                    }
                }
            }
        }
        print("lanczos_vs_imagemagick_mean_abs_diff", count ? sum / count : -1);
        print("lanczos_vs_imagemagick_max_diff", worst);
    }
    print("show_selected_with_picture_ms_median", showSelectedWithPicture(smallScene, false));
    print("show_selected_cached_picture_ms_median", showSelectedWithPicture(smallScene, true));
    return 0;
}
