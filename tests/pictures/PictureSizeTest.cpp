#include <gtest/gtest.h>

#include "pictures/PictureSize.h"

namespace {

TEST(PictureSizeTest, GrowsWithTheRoomShrinksOnlyForTheListsWidth) {
    const struct {
        const char* window;
        int roomWidth;
        int roomHeight;
        int side;
    } cases[] = {
        {"as designed, options scrolling", 540, 150, 271},
        {"tall and wide: as tall as the room", 1500, 560, 560},
        {"tall but narrow: as wide as the list leaves", 400, 900, 400},
        {"narrow: smaller than designed", 200, 300, 200},
        {"very narrow: never below the smallest", 40, 20, PictureSize::kSmallestFrame},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureSize::FrameSide(c.roomWidth, c.roomHeight), c.side) << c.window;
    }
    EXPECT_EQ(PictureSize::ViewSide(PictureSize::kDesignFrame), 256);
}

}  // namespace
