// Where a page window goes on the screen: the arithmetic of the page's
// "startup" position, its size and the caption height correction. Portable.
#pragma once

#include <string_view>

struct PagePlacement {
    bool move = false;  // false: the window keeps its position and size
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Page heights are written for a caption 25 pixels high: with a lower
// caption the window is that much lower. The first two characters of
// `startup` read as a number choose the position: 0 centred, 2 top left,
// 3 top right, 4 bottom left, 5 bottom right (35 pixels above the bottom,
// where a taskbar is); any other number leaves the window where it is.
// Sums that would overflow saturate.
PagePlacement PlacePage(std::string_view startup, int pageWidth, int pageHeight, int captionHeight,
                        int screenWidth, int screenHeight);
