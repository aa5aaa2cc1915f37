#include "uninstaller/common/color_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ParseColorText, CarriesTheRestWhereNoCommaIsLeft)
{
    const struct {
        std::string text;
        int red, green, blue;
    } cases[] = {
        {"0,128,255", 0, 128, 255},
        {"255,255,255", 255, 255, 255},
        {"300,0,0", 44, 0, 0},
        {"0,128", 0, 0, 128},
        {"255", 0, 0, 255},
        {"1,2", 1, 0, 2},
        {",,", 0, 0, 0},
        {"", 0, 0, 0},
        {"-1,-1,-1", 255, 255, 255},
        {"1,2,3,4", 1, 2, 3},
        {" 7, 8 ,9", 7, 8, 9},
        {"red,green,blue", 0, 0, 0},
        {"99999999999,0,0", 255, 0, 0},
        {"256,512,257", 0, 0, 1},
        {"COLOR_BTNFACE", 0, 0, 0},
        {std::string(600, '9') + ",1,1", 255, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const ColorRgb color = ParseColorText(c.text);
        EXPECT_EQ(color.red, c.red);
        EXPECT_EQ(color.green, c.green);
        EXPECT_EQ(color.blue, c.blue);
    }
}

TEST(ColorText, ButtonFaceIsSpelledOutOnlyForTheWordOrAnEmptyText)
{
    const ColorRgb face{212, 208, 200};
    EXPECT_EQ(FormatColorText(face), "212,208,200");
    EXPECT_EQ(SpellOutColorText("", face), "212,208,200");
    EXPECT_EQ(SpellOutColorText("COLOR_BTNFACE", face), "212,208,200");
    // The word is compared exactly.
    EXPECT_EQ(SpellOutColorText("color_btnface", face), "color_btnface");
    EXPECT_EQ(SpellOutColorText("1,2,3", face), "1,2,3");
}

}  // namespace
