#include "uninstaller/skin/placement.h"

#include <algorithm>
#include <climits>

#include "uninstaller/common/lenient_integer.h"

namespace {

constexpr int CaptionHeightOfPages = 25;
constexpr int BottomMargin = 35;

int Saturate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A side's start moved into [low, high - size]; where the side is longer
// than that span, its start is `low`, so that the caption and the system
// menu at the window's top left stay on the screen.
int KeepWithin(int start, long long size, int low, int high)
{
    const long long last = std::max<long long>(low, high - size);
    return Saturate(std::clamp<long long>(start, low, last));
}

}  // namespace

PlacementScreen WholeScreen(int width, int height)
{
    PlacementScreen screen;
    screen.width = width;
    screen.height = height;
    screen.workArea = ScreenRect{0, 0, width, height};
    return screen;
}

PagePlacement PlacePage(std::string_view startup, int pageWidth, int pageHeight, int captionHeight,
                        const PlacementScreen& screen, const ScreenRect& window)
{
    long long height = pageHeight;
    if (captionHeight < CaptionHeightOfPages)
        height -= static_cast<long long>(CaptionHeightOfPages) - captionHeight;
    const long long width = pageWidth;

    PagePlacement placement;
    placement.move = true;
    placement.width = Saturate(width);
    placement.height = Saturate(height);
    // Each half is taken by itself, as integer divisions.
    switch (ReadLeadingInteger(startup.substr(0, 2))) {
    case 0:
        placement.left = Saturate(screen.width / 2 - placement.width / 2);
        placement.top = Saturate(screen.height / 2 - placement.height / 2);
        break;
    case 2:
        break;
    case 3:
        placement.left = Saturate(static_cast<long long>(screen.width) - placement.width);
        break;
    case 4:
        placement.top = Saturate(static_cast<long long>(screen.height) - placement.height - BottomMargin);
        break;
    case 5:
        placement.left = Saturate(static_cast<long long>(screen.width) - placement.width);
        placement.top = Saturate(static_cast<long long>(screen.height) - placement.height - BottomMargin);
        break;
    default:
        // Not placed by the page: the window keeps its place and size,
        // unless its caption is out of reach.
        placement.move = false;
        placement.left = window.left;
        placement.top = window.top;
        placement.width = Saturate(static_cast<long long>(window.right) - window.left);
        placement.height = Saturate(static_cast<long long>(window.bottom) - window.top);
        break;
    }
    // The bottom positions leave 35 pixels for a taskbar: a taller taskbar,
    // one at another edge, or a page taller than the screen less those 35
    // pixels would cover the page or push its caption above the screen.
    const ScreenRect& work = screen.workArea;
    const int left = KeepWithin(placement.left, placement.width, work.left, work.right);
    const int top = KeepWithin(placement.top, placement.height, work.top, work.bottom);
    if (left != placement.left || top != placement.top)
        placement.move = true;
    placement.left = left;
    placement.top = top;
    return placement;
}
