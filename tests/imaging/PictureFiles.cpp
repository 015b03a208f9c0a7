#include "PictureFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace PictureFiles {

QImage pattern(Pattern kind, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    static const QRgb sixteen[16] = {0xff000000, 0xff800000, 0xff008000, 0xff808000,
                                     0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
                                     0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00,
                                     0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            QRgb c = 0;
            switch (kind) {
                case Pattern::Mono:
                    c = ((x / 3 + y / 2) % 2) ? 0xffffffff : 0xff000000;
                    break;
                case Pattern::Sixteen:
                    c = sixteen[(x / 2 + y * 3) % 16];
                    break;
                case Pattern::Palette:
                    c = qRgb((x % 16) * 16, (y % 16) * 16, 96);
                    break;
                case Pattern::Colour:
                    c = qRgb((x * 7) % 256, (y * 11) % 256, ((x + y) * 5) % 256);
                    break;
                case Pattern::Blocks:  // flat 16 by 16 cells: what a lossy coder keeps
                    c = sixteen[((x / 16) + (y / 16) * 3 + 9) % 16];
                    break;
                case Pattern::Grey:
                    c = qRgb((x * 7) % 256, (x * 7) % 256, (x * 7) % 256);
                    break;
            }
            image.setPixel(x, y, c);
        }
    }
    return image;
}

QString convertProgram() {
    const QString debian = QStandardPaths::findExecutable(u"convert-im6.q16"_qs);
    return debian.isEmpty() ? QStandardPaths::findExecutable(u"convert"_qs) : debian;
}

QByteArray convert(const QString& folder, const QImage& source, const QStringList& options,
                   const QString& output) {
    const QString input = folder + u"/source.png";
    source.save(input, "PNG");
    QProcess process;
    process.start(convertProgram(), QStringList{input} + options + QStringList{output});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QByteArray();
    }
    const qsizetype colon = output.indexOf(u':');
    return readFile(colon > 1 ? output.mid(colon + 1) : output);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(data);
    }
}

int maxDifference(const QImage& a, const QImage& b, bool withAlpha) {
    if (a.size() != b.size()) {
        return 255;
    }
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q)),
                              withAlpha ? std::abs(qAlpha(p) - qAlpha(q)) : 0});
        }
    }
    return worst;
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

void expectCutShortGivesNothing(const QByteArray& whole, PictureFormat format,
                                std::initializer_list<qsizetype> sizes) {
    EXPECT_FALSE(decodePicture(QByteArray(), format)) << "empty";
    for (const qsizetype size : sizes) {
        EXPECT_FALSE(decodePicture(whole.left(size), format)) << "cut to " << size;
    }
}

void expectBentCopiesNeverCrash(const QByteArray& whole, PictureFormat format, uint32_t seed,
                                int rounds, qsizetype head) {
    for (int round = 0; round < rounds; ++round) {
        QByteArray bent = whole;
        const qsizetype span = head > 0 && round % 2 ? std::min(bent.size(), head) : bent.size();
        for (int i = 0; i < 1 + round % 8; ++i) {
            seed = seed * 1103515245u + 12345u;
            const qsizetype at = (seed >> 8) % span;
            bent[at] = char(bent[at] ^ (1 << ((seed >> 4) % 8)));
        }
        const auto decoded = decodePicture(bent, format);
        if (decoded) {
            EXPECT_FALSE(decoded->isNull()) << "round " << round;
        }
    }
}

}  // namespace PictureFiles
