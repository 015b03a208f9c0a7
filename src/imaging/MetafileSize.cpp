#include "imaging/MetafileSize.h"

#include <algorithm>
#include <cmath>

std::optional<QSize> metafilePixels(double width, double height) {
    width = std::abs(width);
    height = std::abs(height);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 0.5 || height < 0.5) {
        return std::nullopt;
    }
    const double scale = std::min(1.0, kMaxMetafileSide / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))),
                 std::max(1, int(std::lround(height * scale))));
}
