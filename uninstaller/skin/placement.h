// Where a page window goes on the screen: the arithmetic of the page's
// "startup" position, its size and the caption height correction, kept
// within the screen's work area. Portable.
#pragma once

#include <string_view>

// A rectangle in screen pixels, right and bottom exclusive.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The screen a page is placed on.
struct PlacementScreen {
    int width = 0;   // the whole screen
    int height = 0;
    // The screen less the taskbar and other bars docked at its edges.
    ScreenRect workArea;
};

// A screen without docked bars: the work area is the whole screen.
PlacementScreen WholeScreen(int width, int height);

struct PagePlacement {
    bool move = false;  // false: the window keeps its position and size
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Page heights are written for a caption 25 pixels high: with a lower
// caption the window is that much lower. The first two characters of
// `startup` read as a number choose the position on the screen: 0 centred,
// 2 top left, 3 top right, 4 bottom left, 5 bottom right (35 pixels above
// the bottom, where a taskbar is); any other number leaves the window
// (`window`, where it is now) where it is and as big as it is.
//
// Whatever the position, the window then lies within the work area where it
// fits, and its caption never leaves it: a window taller or wider than the
// work area is put at its top or left edge. A window whose place is already
// within the work area keeps it. Sums that would overflow saturate.
PagePlacement PlacePage(std::string_view startup, int pageWidth, int pageHeight, int captionHeight,
                        const PlacementScreen& screen, const ScreenRect& window = ScreenRect());
