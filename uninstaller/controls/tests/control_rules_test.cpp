#include "uninstaller/controls/control_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "uninstaller/common/resource.h"

namespace {

TEST(AlignmentFlagsFor, TakesOnlyTheThreeExactWords)
{
    const struct {
        const char* word;
        int current;
        int expected;
    } cases[] = {
        {"Left", AlignNone, AlignWrapLeft},
        {"Center", AlignNone, AlignWrapCenter},
        {"Right", AlignWrapLeft, AlignWrapRight},
        {"Left", AlignWrapRight, AlignWrapLeft},
        // Anything else keeps what the control had.
        {"center", AlignWrapRight, AlignWrapRight},
        {"LEFT", AlignNone, AlignNone},
        {"Centre", AlignWrapLeft, AlignWrapLeft},
        {"Left ", AlignNone, AlignNone},
        {" Right", AlignWrapCenter, AlignWrapCenter},
        {"", AlignWrapCenter, AlignWrapCenter},
        {"0", AlignWrapRight, AlignWrapRight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.word + "' from " + std::to_string(c.current));
        EXPECT_EQ(AlignmentFlagsFor(c.word, c.current), c.expected);
    }
}

TEST(PageIconResourceFor, MapsTheEightNumbersAndNothingElse)
{
    const int expected[] = {141, 132, 135, 133, 134, 138, 137, 136};
    for (int index = 0; index < 8; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(PageIconResourceFor(index), expected[index]);
    }
    EXPECT_EQ(PageIconResourceFor(6), IDI_PAGE_SETUP);
    EXPECT_EQ(PageIconResourceFor(0), IDI_PAGE_EXCLAMATION);
    for (int outside : {-1, 8, 9, 141, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(outside);
        EXPECT_EQ(PageIconResourceFor(outside), 0);
    }
}

TEST(HimetricToPixels, RoundsToTheNearestPixel)
{
    const struct {
        int himetric;
        int dpi;
        int pixels;
    } cases[] = {
        {2540, 96, 96},
        {1270, 96, 48},
        {100, 96, 4},    // 3.78
        {1693, 96, 64},  // what a 64 x 48 bitmap reports
        {1058, 96, 40},
        {794, 96, 30},
        {873, 96, 33},
        {556, 96, 21},
        {13, 96, 0},   // 0.49
        {14, 96, 1},   // 0.53
        {0, 96, 0},
        {2540, 120, 120},
        {2540, 72, 72},
        // Far beyond any real picture: the product does not wrap round in
        // 32 bits.
        {INT_MAX, 96, 81164736},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.himetric) + " at " + std::to_string(c.dpi));
        EXPECT_EQ(HimetricToPixels(c.himetric, c.dpi), c.pixels);
    }
}

TEST(BackColorPaintsBackground, OnlyTheSpelledOutFaceColourLeavesTheBackground)
{
    const ColorRgb face{212, 208, 200};
    const struct {
        const char* text;
        bool paints;
    } cases[] = {
        {"COLOR_BTNFACE", true},
        {"", true},
        {"212,208,200", false},
        {"255,255,255", true},
        {"212,208,201", true},
        {" 212,208,200", true},   // the same colour, but not the same text
        {"212,208,200,", true},
        {"color_btnface", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(BackColorPaintsBackground(c.text, face), c.paints);
    }
}

TEST(ResolveColorText, FaceWordAndEmptyTextAreTheFaceColour)
{
    const ColorRgb face{212, 208, 200};
    const struct {
        const char* text;
        ColorRgb color;
    } cases[] = {
        {"COLOR_BTNFACE", face},
        {"", face},
        {"255,255,255", {255, 255, 255}},
        {"300,0,0", {44, 0, 0}},
        {"0,128", {0, 0, 128}},
        {"255", {0, 0, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ResolveColorText(c.text, face), c.color);
    }
}

}  // namespace
