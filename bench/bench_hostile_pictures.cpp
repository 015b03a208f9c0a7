// Pictures that would freeze the window: each hostile file of the tests,
// larger where that costs more, and the largest files each decoder
// accepts, shown as the picture view shows them (decoded for the view's
// 256 by 256 pixels, flattened, resampled with Lanczos-3, nothing cached).
// Medians in milliseconds; the reported JPEG must be refused. Each file is
// shown by a process of its own (this program with --show), so that its
// peak resident memory is that picture's alone.
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "imaging/GifDecoder.h"
#include "imaging/HostilePictures.h"
#include "imaging/JpegDecoder.h"
#include "imaging/ResampledPictureCache.h"

using namespace HostilePictures;

#include "BenchMemory.h"
#include "BenchTiming.h"

namespace {

const QSize kView(256, 256);

struct Sample {
    const char* name;
    const char* extension;
    std::function<QByteArray()> write;
};

// The view's work on a file: whether it showed a picture, and the median.
std::pair<bool, double> show(const QString& path, int samples) {
    ResampledPictureCache cache;
    bool shown = false;
    const double ms = medianMs(samples, [&] {
        cache.clear();
        shown = cache.picture(path, kView, true, Qt::lightGray).has_value();
    });
    return {shown, ms};
}

QByteArray noiseJpeg(int width, int height, bool progressive) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(5);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x] = random.generate() | 0xff000000;
        }
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return data;
}

QByteArray bmp32(int width, int height) {
    QByteArray out("BM");
    const auto le32 = [&out](qint64 v) {
        for (int i = 0; i < 4; ++i) {
            out += char((v >> (8 * i)) & 0xff);
        }
    };
    for (const qint64 v : {54 + qint64(width) * height * 4, qint64(0), qint64(54), qint64(40),
                           qint64(width), qint64(height)}) {
        le32(v);
    }
    out += QByteArray::fromHex("01002000");  // one plane, 32 bits
    for (int i = 0; i < 6; ++i) {
        le32(0);
    }
    QByteArray pixels(qsizetype(width) * height * 4, '\0');
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        pixels[i] = char(i * 7 % 251);
    }
    return out + pixels;
}

const std::vector<Sample> kHostile = {
    {"jpeg_blocks", "jpg", [] { return jpegEmptyScans(2048, 2048, 3, 82); }},
    {"jpeg_progressive_bytes", "jpg",
     [] { return jpegWithComment(kMaxProgressiveJpegBytes + 65536, true); }},
    {"jpeg_file_bytes", "jpg", [] { return jpegWithComment(kMaxJpegFileBytes + 65536, false); }},
    {"tiff_tiles", "tif",
     [] {
         return tiffSharedPieces({2048, 2064, 3, 8, 0, 16});
     }},
    {"tiff_samples", "tif",
     [] {
         return tiffSharedPieces({4096, 2049, 4, 16, 64});
     }},
    {"tiff_jpeg_strips", "tif", [] { return tiffJpegStrips(2048, 2048, 256, 82); }},
    {"gif_extensions", "gif", [] { return gif(int(kMaxGifBlocks / 2), 1, 0); }},
    {"gif_sub_blocks", "gif", [] { return gif(1, 10'000'000, 0); }},
    {"gif_clear_codes", "gif", [] { return gif(0, 0, 10'000'000); }},
    {"bmp_runs", "bmp", [] { return bmpRle8Runs(1'000'000); }},
    {"pcx_padding", "pcx", [] { return pcxPadded(16, 16384, 65534); }},
    {"emf_rectangles", "emf", [] { return emf(Drawing::Rectangle, 100'000); }},
    {"emf_stars", "emf", [] { return emf(Drawing::Star, 1000); }},
    {"emf_fonts", "emf", [] { return emf(Drawing::NewFontText, 10'000); }},
    {"emf_bitmaps", "emf", [] { return emf(Drawing::Bitmap, 40); }},
    // The reported text, path and line: 34 MB, 80 MB and 240 MB.
    {"emf_tiny_text", "emf", [] { return emf(Drawing::TinyText, 16'000'000); }},
    {"emf_path_points", "emf", [] { return emf(Drawing::PathPoints, 20'000'000); }},
    {"emf_line_points", "emf", [] { return emf(Drawing::LinePoints, 60'000'000); }},
    {"wmf_rectangles", "wmf", [] { return wmf(Drawing::Rectangle, 100'000); }},
    {"wmf_stars", "wmf", [] { return wmf(Drawing::Star, 1000); }},
    {"wmf_fonts", "wmf", [] { return wmf(Drawing::NewFontText, 10'000); }},
    {"wmf_bitmaps", "wmf", [] { return wmf(Drawing::Bitmap, 40); }},
    {"wmf_tiny_text", "wmf", [] { return wmf(Drawing::TinyText, 16'000'000); }},
    {"wmf_path_points", "wmf", [] { return wmf(Drawing::PathPoints, 20'000'000); }},
    {"wmf_line_points", "wmf", [] { return wmf(Drawing::LinePoints, 60'000'000); }},
    // 12 MB of deflate blocks that hold nothing, 240 MB of empty chunks.
    {"png_empty_blocks", "png", [] { return pngEmptyBlocks(1'000'000); }},
    {"png_chunks", "png", [] { return pngAfterChunks(20'000'000, 0); }},
};

// The largest of each kind that is shown, with content that costs most.
const std::vector<Sample> kLargest = {
    {"jpeg_noise_40m", "jpg", [] { return noiseJpeg(8000, 5000, false); }},
    {"jpeg_progressive_noise_10mb", "jpg", [] { return noiseJpeg(3600, 3600, true); }},
    {"tiff_rgba16_64mb", "tif",
     [] {
         return tiffSharedPieces({4096, 2048, 4, 16, 64});
     }},
    {"tiff_tiles_16k", "tif",
     [] {
         return tiffSharedPieces({2048, 2048, 3, 8, 0, 16});
     }},
    {"bmp32_16m", "bmp", [] { return bmp32(4000, 4000); }},
    {"pcx_16m", "pcx", [] { return pcxPadded(4000, 4000, 4000); }},
};

// What showing one file cost: whether it was shown, the median time and
// the peak resident memory of the process that showed it.
struct Shown {
    bool shown = false;
    double ms = 0;
    double peakMb = 0;
};

// Shows the file `samples` times in a process of its own.
Shown showApart(const QString& path, int samples) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--show"), path, QString::number(samples)});
    child.waitForFinished(-1);
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (child.exitStatus() != QProcess::NormalExit || fields.size() != 3) {
        std::fprintf(stderr, "bench_hostile_pictures: showing %s failed\n", qPrintable(path));
        return {};
    }
    return {fields[0] == "1", fields[1].toDouble(), fields[2].toDouble()};
}

struct Worst {
    double ms = 0;
    const char* slowest = "";
    double peakMb = 0;
    const char* dearest = "";
    int shown = 0;
    void add(const char* name, const Shown& s) {
        shown += s.shown ? 1 : 0;
        if (s.ms > ms) {
            ms = s.ms;
            slowest = name;
        }
        if (s.peakMb > peakMb) {
            peakMb = s.peakMb;
            dearest = name;
        }
    }
};

// With --each, every sample's figure goes to stderr.
bool each = false;

Shown writeAndShow(const QTemporaryDir& dir, const Sample& s, int samples) {
    const QString path = dir.filePath(QLatin1String(s.name) + u'.' + QLatin1String(s.extension));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(s.write()) < 0) {
        std::fprintf(stderr, "bench_hostile_pictures: cannot write %s\n", s.name);
        return {};
    }
    file.close();
    const Shown shown = showApart(path, samples);
    if (each) {
        std::fprintf(stderr, "  %s: %.1f ms, %.1f MB, %s\n", s.name, shown.ms, shown.peakMb,
                     shown.shown ? "shown" : "refused");
    }
    QFile::remove(path);
    return shown;
}

Worst worstOf(const QTemporaryDir& dir, const std::vector<Sample>& set) {
    Worst worst;
    for (const Sample& s : set) {
        worst.add(s.name, writeAndShow(dir, s, 3));
    }
    return worst;
}

void print(const char* name, double value) {
    std::printf("%s: %.1f\n", name, value);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--show") {
        const auto [shown, ms] = show(args[2], args[3].toInt());
        std::printf("%d %.3f %.1f\n", shown ? 1 : 0, ms, memoryMiB("VmHWM:"));
        return 0;
    }
    each = args.contains(QStringLiteral("--each"));
    QTemporaryDir dir;
    const Sample scans{"jpeg_scans", "jpg", [] { return jpegEmptyScans(6000, 6000, 3, 10000); }};
    const Shown reported = writeAndShow(dir, scans, 5);
    print("hostile_jpeg_scans_ms", reported.ms);
    // The reported PNG: 20.9 MB, 20 GB of zeros once inflated.
    const Sample idat{"png_idat", "png", [] { return pngTrailingZeros(20LL << 30); }};
    const Shown png = writeAndShow(dir, idat, 3);
    print("hostile_png_idat_ms", png.ms);
    const Worst hostile = worstOf(dir, kHostile);
    print("hostile_slowest_ms", hostile.ms);
    Worst all = hostile;
    all.add(scans.name, reported);
    all.add(idat.name, png);
    print("hostile_peak_rss_mb", all.peakMb);
    std::fprintf(stderr, "bench_hostile_pictures: slowest hostile file: %s, dearest: %s\n",
                 hostile.slowest, all.dearest);
    const Worst largest = worstOf(dir, kLargest);
    print("largest_shown_slowest_ms", largest.ms);
    print("largest_shown_peak_rss_mb", largest.peakMb);
    std::fprintf(stderr, "bench_hostile_pictures: slowest large file: %s, dearest: %s\n",
                 largest.slowest, largest.dearest);
    if (reported.shown || largest.shown != int(kLargest.size())) {
        std::fprintf(stderr,
                     "bench_hostile_pictures: the 10,000-scan JPEG was shown, or a large "
                     "picture was not\n");
        return 1;
    }
    return 0;
}
