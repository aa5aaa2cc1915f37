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

TEST(PlacePageTest, StartupPositionsOnA1024By768Screen)
{
    // A 400 x 300 page with an 18-pixel caption is 293 high: pages are
    // written for a 25-pixel caption.
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
    };
    for (const PlacementCase& expected : cases)
        ExpectPlacement(PlacePage(expected.startup, 400, 300, 18, WholeScreen(1024, 768)), expected, 400, 293);
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

TEST(PlacePageTest, TheWindowStaysWithinTheWorkAreaWithItsCaptionOnTheScreen)
{
    // 1024 x 600 screens with a taskbar 30 pixels high (below the 35 the
    // bottom positions leave), 48 high, at the top or at the left; a 25-pixel
    // caption, so the page is as high as it is written.
    PlacementScreen bottomBar = WholeScreen(1024, 600);
    bottomBar.workArea.bottom = 570;
    PlacementScreen highBar = WholeScreen(1024, 600);
    highBar.workArea.bottom = 552;
    PlacementScreen topBar = WholeScreen(1024, 600);
    topBar.workArea.top = 40;
    PlacementScreen leftBar = WholeScreen(1024, 600);
    leftBar.workArea.left = 60;
    const ScreenRect templateWindow{0, 0, 280, 150};
    const struct {
        const char* what;
        const char* startup;
        int width, height;
        PlacementScreen screen;
        bool move;
        int left, top;
    } cases[] = {
        {"fits above the 35 pixels", "5", 400, 300, bottomBar, true, 624, 265},
        {"fits the screen, not above the 35", "5", 400, 580, WholeScreen(1024, 600), true, 624, 0},
        {"fits the work area, not above the 35", "4", 400, 570, bottomBar, true, 0, 0},
        {"a taskbar higher than 35 pixels", "5", 400, 300, highBar, true, 624, 252},
        {"taller than the work area", "4", 400, 580, bottomBar, true, 0, 0},
        {"centred, taller than the screen", "0", 400, 700, WholeScreen(1024, 600), true, 312, 0},
        {"wider than the work area", "3", 1100, 300, WholeScreen(1024, 600), true, 0, 0},
        {"a taskbar at the top", "2", 400, 300, topBar, true, 0, 40},
        {"a taskbar at the left", "4", 400, 300, leftBar, true, 60, 265},
        {"not placed, within the work area", "1", 400, 300, bottomBar, false, 0, 0},
        {"not placed, under a taskbar at the top", "6", 400, 300, topBar, true, 0, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PagePlacement placement = PlacePage(c.startup, c.width, c.height, 25, c.screen, templateWindow);
        ASSERT_EQ(placement.move, c.move);
        EXPECT_EQ(placement.left, c.left);
        EXPECT_EQ(placement.top, c.top);
    }
}

}  // namespace
