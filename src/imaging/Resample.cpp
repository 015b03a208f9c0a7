#include "imaging/Resample.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// The source pixels each target pixel draws on, and their weights; every
// target pixel has `width` slots, unused ones weigh 0.
struct Kernel {
    int width = 0;
    std::vector<int> start;
    std::vector<int> count;
    std::vector<float> weights;
};

using WeightsFor = std::function<void(int target, std::vector<double>& weights, int& start)>;

Kernel makeKernel(int targetLength, const WeightsFor& weightsFor) {
    Kernel kernel;
    std::vector<std::vector<double>> all;
    all.resize(size_t(targetLength));
    kernel.start.resize(size_t(targetLength));
    kernel.count.resize(size_t(targetLength));
    for (int t = 0; t < targetLength; ++t) {
        weightsFor(t, all[size_t(t)], kernel.start[size_t(t)]);
        kernel.width = std::max(kernel.width, int(all[size_t(t)].size()));
    }
    kernel.weights.assign(size_t(targetLength) * size_t(kernel.width), 0.0f);
    for (int t = 0; t < targetLength; ++t) {
        const std::vector<double>& w = all[size_t(t)];
        kernel.count[size_t(t)] = int(w.size());
        double sum = 0;
        for (double v : w) {
            sum += v;
        }
        // Normalised, so that the edges, where part of the window falls
        // outside the picture, keep their brightness.
        const double scale = sum != 0 ? 1.0 / sum : 1.0;
        for (size_t i = 0; i < w.size(); ++i) {
            kernel.weights[size_t(t) * kernel.width + i] = float(w[i] * scale);
        }
    }
    return kernel;
}

double sinc(double x) {
    if (x == 0) {
        return 1;
    }
    const double a = std::numbers::pi * x;
    return std::sin(a) / a;
}

Kernel lanczosKernel(int sourceLength, int targetLength) {
    constexpr double kSupport = 3;
    const double factor = double(targetLength) / sourceLength;
    const double widen = std::max(1.0 / factor, 1.0);
    const double support = kSupport * widen;
    return makeKernel(targetLength, [=](int t, std::vector<double>& w, int& start) {
        const double centre = (t + 0.5) / factor;
        start = std::max(int(centre - support + 0.5), 0);
        const int stop = std::min(int(centre + support + 0.5), sourceLength);
        for (int s = start; s < stop; ++s) {
            const double x = (s - centre + 0.5) / widen;
            w.push_back(std::abs(x) < kSupport ? sinc(x) * sinc(x / kSupport) : 0.0);
        }
        if (w.empty()) {  // a target pixel past the source keeps its nearest one
            start = std::clamp(int(centre), 0, sourceLength - 1);
            w.push_back(1.0);
        }
    });
}

Kernel halftoneKernel(int sourceLength, int targetLength) {
    const double step = double(sourceLength) / targetLength;
    return makeKernel(targetLength, [=](int t, std::vector<double>& w, int& start) {
        const double left = t * step;
        const double right = std::min((t + 1) * step, double(sourceLength));
        start = std::min(int(std::floor(left)), sourceLength - 1);
        const int stop = std::max(int(std::ceil(right)), start + 1);
        for (int s = start; s < stop; ++s) {
            w.push_back(std::max(std::min(right, s + 1.0) - std::max(left, double(s)), 0.0));
        }
    });
}

// Three channels per pixel, as floats between the two passes.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> values;
    Plane(int w, int h) : width(w), height(h), values(size_t(w) * h * 3) {}
    float* row(int y) { return values.data() + size_t(y) * width * 3; }
    const float* row(int y) const { return values.data() + size_t(y) * width * 3; }
};

inline float clampLevel(float v) {
    return std::clamp(v, 0.0f, 255.0f);
}

inline uchar toLevel(float v) {
    return uchar(std::lround(clampLevel(v)));
}

// Horizontal pass into floats (clamped, as an integer store between the
// passes would clamp them).
template <class ReadRow>
Plane horizontal(int rows, const Kernel& k, int targetWidth, ReadRow readRow) {
    Plane out(targetWidth, rows);
    for (int y = 0; y < rows; ++y) {
        float* target = out.row(y);
        for (int t = 0; t < targetWidth; ++t) {
            const float* w = k.weights.data() + size_t(t) * k.width;
            float b = 0, g = 0, r = 0;
            const int start = k.start[size_t(t)];
            const int count = k.count[size_t(t)];
            for (int i = 0; i < count; ++i) {
                float s[3];
                readRow(y, start + i, s);
                b += w[i] * s[0];
                g += w[i] * s[1];
                r += w[i] * s[2];
            }
            target[3 * t] = clampLevel(b);
            target[3 * t + 1] = clampLevel(g);
            target[3 * t + 2] = clampLevel(r);
        }
    }
    return out;
}

// Vertical pass: whole rows at a time, which the compiler vectorises.
template <class AddRow>
void vertical(int targetHeight, int width, const Kernel& k, AddRow addRow,
              const std::function<void(int, const float*)>& storeRow) {
    std::vector<float> acc(size_t(width) * 3);
    for (int t = 0; t < targetHeight; ++t) {
        std::fill(acc.begin(), acc.end(), 0.0f);
        const float* w = k.weights.data() + size_t(t) * k.width;
        for (int i = 0; i < k.count[size_t(t)]; ++i) {
            addRow(k.start[size_t(t)] + i, w[i], acc.data());
        }
        storeRow(t, acc.data());
    }
}

// Whether the horizontal pass goes first: the axis scaled by the larger
// factor does, as ImageMagick does.
bool acrossFirst(QSize from, QSize to) {
    return double(to.width()) / from.width() > double(to.height()) / from.height();
}

QImage resample(const QImage& input, QSize size, Kernel (*kernelFor)(int, int),
                bool horizontalFirst) {
    if (input.isNull() || size.isEmpty()) {
        return QImage();
    }
    const QImage source =
        input.format() == QImage::Format_RGB32 || input.format() == QImage::Format_ARGB32
            ? input
            : input.convertToFormat(QImage::Format_RGB32);
    const int sw = source.width(), sh = source.height();
    const int tw = size.width(), th = size.height();
    const Kernel kx = kernelFor(sw, tw);
    const Kernel ky = kernelFor(sh, th);
    QImage out(tw, th, QImage::Format_RGB32);

    const auto pixelRow = [&source](int y) { return source.constScanLine(y); };
    const auto emitPixels = [&out, tw](int y, const float* acc) {
        auto* target = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < tw; ++x) {
            target[x] = qRgb(toLevel(acc[3 * x + 2]), toLevel(acc[3 * x + 1]), toLevel(acc[3 * x]));
        }
    };
    // The picture between the passes is clamped to the level range, so
    // where the filter overshoots (ringing at sharp edges) the order shows
    // in the result, by up to 38 levels.
    if (horizontalFirst) {
        const Plane across = horizontal(sh, kx, tw, [&](int y, int x, float* s) {
            const uchar* p = pixelRow(y) + 4 * x;
            s[0] = p[0];
            s[1] = p[1];
            s[2] = p[2];
        });
        vertical(
            th, tw, ky,
            [&](int y, float w, float* acc) {
                const float* row = across.row(y);
                for (int i = 0; i < tw * 3; ++i) {
                    acc[i] += w * row[i];
                }
            },
            emitPixels);
        return out;
    }
    Plane down(sw, th);
    vertical(
        th, sw, ky,
        [&](int y, float w, float* acc) {
            const uchar* row = pixelRow(y);
            for (int x = 0; x < sw; ++x) {
                acc[3 * x] += w * row[4 * x];
                acc[3 * x + 1] += w * row[4 * x + 1];
                acc[3 * x + 2] += w * row[4 * x + 2];
            }
        },
        [&](int y, const float* acc) {
            float* target = down.row(y);
            for (int i = 0; i < sw * 3; ++i) {
                target[i] = clampLevel(acc[i]);
            }
        });
    const Plane across = horizontal(th, kx, tw, [&](int y, int x, float* s) {
        const float* p = down.row(y) + 3 * x;
        s[0] = p[0];
        s[1] = p[1];
        s[2] = p[2];
    });
    for (int y = 0; y < th; ++y) {
        emitPixels(y, across.row(y));
    }
    return out;
}

}  // namespace

QImage resampleHalftone(const QImage& source, QSize size) {
    return resample(source, size, halftoneKernel, acrossFirst(source.size(), size));
}

QImage resampleLanczos3(const QImage& source, QSize size) {
    // Shrinking by a factor f reads 6f source pixels for every target pixel
    // of an axis: a picture more than eight times the target is first
    // averaged down to eight times, for about a sixth of the work, which
    // moves the result by a few levels at most. The filter's passes keep
    // the order the whole picture would give them.
    constexpr qint64 kNear = 8;
    const QSize near(int(std::min(qint64(source.width()), kNear * size.width())),
                     int(std::min(qint64(source.height()), kNear * size.height())));
    const bool horizontalFirst = acrossFirst(source.size(), size);
    if (!size.isEmpty() && !source.isNull() && near != source.size()) {
        return resample(resample(source, near, halftoneKernel, horizontalFirst), size,
                        lanczosKernel, horizontalFirst);
    }
    return resample(source, size, lanczosKernel, horizontalFirst);
}
