#include "pictures/PictureSize.h"

#include <algorithm>

namespace PictureSize {

int FrameSide(int roomWidth, int roomHeight) {
    const int side = std::min(roomWidth, std::max(kDesignFrame, roomHeight));
    return std::max(kSmallestFrame, side);
}

}  // namespace PictureSize
