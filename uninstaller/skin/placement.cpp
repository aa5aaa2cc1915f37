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

}  // namespace

PagePlacement PlacePage(std::string_view startup, int pageWidth, int pageHeight, int captionHeight,
                        int screenWidth, int screenHeight)
{
    long long height = pageHeight;
    if (captionHeight < CaptionHeightOfPages)
        height -= static_cast<long long>(CaptionHeightOfPages) - captionHeight;
    const long long width = pageWidth;

    PagePlacement placement;
    placement.width = Saturate(width);
    placement.height = Saturate(height);
    // Each half is taken by itself, as integer divisions.
    switch (ReadLeadingInteger(startup.substr(0, 2))) {
    case 0:
        placement.left = Saturate(screenWidth / 2 - placement.width / 2);
        placement.top = Saturate(screenHeight / 2 - placement.height / 2);
        break;
    case 2:
        break;
    case 3:
        placement.left = Saturate(static_cast<long long>(screenWidth) - placement.width);
        break;
    case 4:
        placement.top = Saturate(static_cast<long long>(screenHeight) - placement.height - BottomMargin);
        break;
    case 5:
        placement.left = Saturate(static_cast<long long>(screenWidth) - placement.width);
        placement.top = Saturate(static_cast<long long>(screenHeight) - placement.height - BottomMargin);
        break;
    default:
        return PagePlacement();
    }
    placement.move = true;
    return placement;
}
