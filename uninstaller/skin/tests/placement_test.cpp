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
        ExpectPlacement(PlacePage(expected.startup, 400, 300, 18, 1024, 768), expected, 400, 293);
}

TEST(PlacePageTest, HalvesAreTakenEachByItself)
{
    // 1025 / 2 - 401 / 2 = 512 - 200; a halved difference would give 312.
    const PagePlacement placement = PlacePage("0", 401, 326, 25, 1025, 769);
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
        EXPECT_EQ(PlacePage("2", 400, 300, c.caption, 1024, 768).height, c.height);
    }
}

TEST(PlacePageTest, FarOutSizesSaturateInsteadOfWrapping)
{
    const PagePlacement low = PlacePage("5", INT_MIN, INT_MIN, 0, 1024, 768);
    EXPECT_EQ(low.width, INT_MIN);
    EXPECT_EQ(low.height, INT_MIN);
    EXPECT_EQ(low.left, INT_MAX);  // 1024 - INT_MIN
    EXPECT_EQ(low.top, INT_MAX);

    const PagePlacement high = PlacePage("4", 10, INT_MAX, 30, 1024, 768);
    EXPECT_EQ(high.height, INT_MAX);
    EXPECT_EQ(high.top, 768 - INT_MAX - 35);
}

}  // namespace
