#pragma once

// How large the picture is shown: a square frame around a square view,
// 271 pixels as designed (a 256-pixel view), larger when the window gives it
// room, smaller only when the game list would otherwise lose its usable
// width.
namespace PictureSize {

inline constexpr int kDesignFrame = 271;
inline constexpr int kSmallestFrame = 151;
// Between the frame's edge and the view.
inline constexpr int kViewInset = 7;
inline constexpr int kFrameExtra = 2 * kViewInset + 1;

// The frame's side for a window that leaves `roomWidth` beside the list's
// usable width and `roomHeight` above the whole option panel. The height
// alone never shrinks the picture below its design size: the panel scrolls
// instead.
int FrameSide(int roomWidth, int roomHeight);

// The view's side in a frame of that side.
inline int ViewSide(int frameSide) {
    return frameSide - kFrameExtra;
}

}  // namespace PictureSize
