#include "uninstaller/skin/placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct PlacementCase {
    const char* startup;
    bool move;
    int left;
    int top;
    int width = 400;  // as written: an 18-pixel caption makes the page 7 pixels lower
    int height = 300;
    PlacementScreen screen = WholeScreen(1024, 768);
};

void ExpectPlacement(const PagePlacement& placement, const PlacementCase& expected, int width, int height)
{
    SCOPED_TRACE(std::string("startup \"") + expected.startup + "\"");
    ASSERT_EQ(placement.move, expected.move);
    if (!expected.move)
        return;
    EXPECT_EQ(placement.left, expected.left);
    EXPECT_EQ(placement.top, expected.top);
    EXPECT_EQ(placement.width, width);
    EXPECT_EQ(placement.height, height);
}

TEST(PlacePageTest, StartupPositionsWithinTheWorkAreaWithTheCaptionOnTheScreen)
{
    // A 400 x 300 page with an 18-pixel caption is 293 high: pages are
    // written for a 25-pixel caption. Then 1024 x 600 screens with a taskbar
    // 30 pixels high (less than the 35 the bottom positions leave), or with
    // bars at the top, at the left and 48 pixels high at the bottom.
    const PlacementScreen bottomBar{1024, 600, {0, 0, 1024, 570}};
    const PlacementScreen bars{1024, 600, {60, 40, 1024, 552}};
    const PlacementCase cases[] = {
        {"0", true, 1024 / 2 - 400 / 2, 768 / 2 - 293 / 2},
        {"", true, 312, 238},      // empty reads as 0: centred
        {"x1", true, 312, 238},    // no digits: 0
        {"2", true, 0, 0},
        {"3", true, 624, 0},
        {"4", true, 0, 768 - 293 - 35},
        {"5", true, 624, 440},
        {"05", true, 624, 440},    // two characters are read
        {"50", false, 0, 0},       // ... so "50" is fifty, no position
        {"1", false, 0, 0},
        {"6", false, 0, 0},
        {"10", false, 0, 0},
        {"-1", false, 0, 0},
        {"5", true, 624, 272, 400, 300, bottomBar},             // fits above the 35 pixels
        {"5", true, 624, 0, 400, 580, WholeScreen(1024, 600)},  // fits the screen, not above the 35
        {"5", true, 624, 259, 400, 300, bars},
        {"2", true, 0, 0, 400, 580, bottomBar},                 // taller than the work area
        {"3", true, 0, 0, 1100, 300, WholeScreen(1024, 600)},   // wider than the screen
        {"2", true, 60, 40, 400, 300, bars},
        {"1", false, 0, 0, 400, 300, bottomBar},                // not placed, within the work area
        {"6", true, 60, 40, 400, 300, bars},                    // not placed, under the bars
    };
    // A page that is not placed keeps the window where the template put it.
    const ScreenRect window{0, 0, 400, 293};
    for (const PlacementCase& c : cases)
        ExpectPlacement(PlacePage(c.startup, c.width, c.height, 18, c.screen, window), c, c.width, c.height - 7);
}

TEST(PlacePageTest, HalvesAreTakenEachByItself)
{
    // 1025 / 2 - 401 / 2 = 512 - 200; a halved difference would give 312.
    const PagePlacement placement = PlacePage("0", 401, 326, 25, WholeScreen(1025, 769));
    EXPECT_EQ(placement.left, 312);
    EXPECT_EQ(placement.top, 384 - 163);
}

TEST(PlacePageTest, CaptionHeightCorrectionOnlyBelow25)
{
    struct {
        int caption;
        int height;
    } const cases[] = {{18, 293}, {24, 299}, {25, 300}, {30, 300}, {0, 275}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(PlacePage("2", 400, 300, c.caption, WholeScreen(1024, 768)).height, c.height);
    }
}

TEST(PlacePageTest, FarOutSizesSaturateInsteadOfWrapping)
{
    const PagePlacement low = PlacePage("5", INT_MIN, INT_MIN, 0, WholeScreen(1024, 768));
    EXPECT_EQ(low.width, INT_MIN);
    EXPECT_EQ(low.height, INT_MIN);
    EXPECT_EQ(low.left, INT_MAX);  // 1024 - INT_MIN
    EXPECT_EQ(low.top, INT_MAX);

    const PagePlacement high = PlacePage("4", 10, INT_MAX, 30, WholeScreen(1024, 768));
    EXPECT_EQ(high.height, INT_MAX);
    EXPECT_EQ(high.top, 0);  // the caption stays on the screen
}

}  // namespace
