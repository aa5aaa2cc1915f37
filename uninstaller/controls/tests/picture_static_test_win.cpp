// CPictureStatic under Wine: pictures generated at build time (BMP, JPEG,
// GIF), the eight icons of the test program's resources, and the message
// box for a missing file, answered by the test.
#include "uninstaller/controls/picture_static_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "framework/app_win.h"
#include "tests/support/test_support_win.h"
#include "uninstaller/common/resource.h"
#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using controltest::DrawnIcon;
using controltest::MessageBoxWatcher;
using controltest::PrintedControl;
using controltest::Rect;
using controltest::TestPage;
using controltest::TestPicture;

// The application object gives message boxes their title, as in kelrun.
CWinApp testApplication;

// Pictures are COM objects; kelrun starts OLE before it shows a page.
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::OleInitialize(nullptr); }
    void TearDown() override { ::OleUninitialize(); }
};
[[maybe_unused]] ::testing::Environment* const oleEnvironment =
    ::testing::AddGlobalTestEnvironment(new OleEnvironment);

constexpr DWORD BitmapStyle = 0x5000020E;  // BITMAP and HOVER
constexpr DWORD IconStyle = 0x50000203;    // ICON
constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Green = RGB(0, 255, 0);

std::string Describe(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," +
           std::to_string(GetBValue(color));
}

// Each component of the pixel at x, y within `tolerance` of `expected`.
void ExpectPixelNear(const PrintedControl& printed, int x, int y, COLORREF expected, int tolerance)
{
    const COLORREF actual = printed.At(x, y);
    const int difference = std::max({std::abs(GetRValue(actual) - GetRValue(expected)),
                                     std::abs(GetGValue(actual) - GetGValue(expected)),
                                     std::abs(GetBValue(actual) - GetBValue(expected))});
    EXPECT_LE(difference, tolerance) << "pixel " << x << "," << y << " is " << Describe(actual) << ", expected "
                                     << Describe(expected);
}

TEST(PictureStaticTest, LoadPictureReadsSizesInHimetricAndPixels)
{
    const struct {
        const char* file;
        int himetricWidth, himetricHeight, width, height;
    } cases[] = {
        {"halves64x48.bmp", 1693, 1270, 64, 48},
        {"halves40x30.jpg", 1058, 794, 40, 30},
        {"transparent33x21.gif", 873, 556, 33, 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        // The page loads the picture before it makes the window, to size it.
        CPictureStatic picture;
        EXPECT_FALSE(picture.IsPictureLoaded());
        picture.LoadPicture(TestPicture(c.file).c_str());
        ASSERT_TRUE(picture.IsPictureLoaded());
        EXPECT_EQ(picture.GetHimetricWidth(), c.himetricWidth);
        EXPECT_EQ(picture.GetHimetricHeight(), c.himetricHeight);
        EXPECT_EQ(picture.GetPixelWidth(), c.width);
        EXPECT_EQ(picture.GetPixelHeight(), c.height);
    }
}

TEST(PictureStaticTest, PictureIsDrawnUprightAtItsOwnSizeFromTheTopLeft)
{
    const struct {
        const char* file;
        int width, height, tolerance;
    } cases[] = {
        {"halves64x48.bmp", 64, 48, 0},
        {"halves40x30.jpg", 40, 30, 40},  // JPEG: near the colours, not on them
    };
    TestPage page;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CPictureStatic picture;
        picture.LoadPicture(TestPicture(c.file).c_str());
        // Larger than the picture: neither stretched nor centred.
        ASSERT_TRUE(picture.Create("", BitmapStyle, Rect(10, 10, 100, 80), &page, page.NextId()));
        const PrintedControl printed(picture, Magenta);
        ExpectPixelNear(printed, 2, 2, Red, c.tolerance);
        ExpectPixelNear(printed, c.width - 3, c.height / 2 - 3, Red, c.tolerance);
        ExpectPixelNear(printed, 2, c.height - 3, Blue, c.tolerance);
        ExpectPixelNear(printed, c.width - 3, c.height / 2 + 3, Blue, c.tolerance);
        EXPECT_EQ(printed.At(c.width + 2, 2), Magenta) << "nothing drawn right of the picture";
        EXPECT_EQ(printed.At(2, c.height + 2), Magenta) << "nothing drawn below the picture";
    }
}

TEST(PictureStaticTest, TransparentPartsShowTheBackgroundColour)
{
    TestPage page;
    CPictureStatic picture;
    picture.LoadPicture(TestPicture("transparent33x21.gif").c_str());
    ASSERT_TRUE(picture.Create("", BitmapStyle, Rect(10, 10, 60, 40), &page, page.NextId()));
    picture.SetBackColor("0,255,0");
    const PrintedControl printed(picture, Magenta);
    EXPECT_EQ(printed.At(4, 10), Red);
    EXPECT_EQ(printed.At(28, 10), Green) << "the transparent right part";
    EXPECT_EQ(printed.At(45, 10), Magenta) << "only the picture's own rectangle is drawn";
}

TEST(PictureStaticTest, NewPictureReplacesTheOldOneAndABadFileChangesNothing)
{
    testsupport::ScratchFolder scratch("pictures");
    const std::string notAPicture = scratch.Path() + "\\notes.bmp";
    testsupport::WriteFile(notAPicture, "these are not the pixels you are looking for");

    MessageBoxWatcher watcher;
    CPictureStatic picture;
    picture.LoadPicture(notAPicture.c_str());
    EXPECT_FALSE(picture.IsPictureLoaded()) << "a file that does not decode is ignored";

    picture.LoadPicture(TestPicture("halves64x48.bmp").c_str());
    picture.LoadPicture(TestPicture("transparent33x21.gif").c_str());
    EXPECT_EQ(picture.GetPixelWidth(), 33);
    EXPECT_EQ(picture.GetPixelHeight(), 21);

    picture.LoadPicture(notAPicture.c_str());
    picture.LoadPicture(scratch.Path().c_str());  // a folder exists too, but is no picture
    EXPECT_TRUE(picture.IsPictureLoaded());
    EXPECT_EQ(picture.GetPixelWidth(), 33);
    EXPECT_EQ(picture.GetHimetricWidth(), 873);
    EXPECT_TRUE(watcher.Stop().empty()) << "no message for a file that exists";
}

TEST(PictureStaticTest, MissingFileIsReportedByAMessageBoxUnlessSilenced)
{
    const std::string missing = "C:\\no such folder\\logo.bmp";
    const struct {
        bool silent;
        bool boxShown;
    } cases[] = {{false, true}, {true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.silent ? "silenced" : "default");
        CPictureStatic picture;
        picture.LoadPicture(TestPicture("halves64x48.bmp").c_str());
        if (c.silent)
            picture.SetSilent(true);

        MessageBoxWatcher watcher;  // answers the box, so that the call returns
        picture.LoadPicture(missing.c_str());
        const auto boxes = watcher.Stop();

        if (c.boxShown) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "File not found: (" + missing + ")");
            EXPECT_EQ(boxes[0].caption, std::string(AfxGetAppName()));
            EXPECT_FALSE(boxes[0].caption.empty());
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_TRUE(picture.IsPictureLoaded()) << "the control keeps its picture";
        EXPECT_EQ(picture.GetPixelWidth(), 64);
        EXPECT_EQ(picture.GetPixelHeight(), 48);
    }
}

TEST(PictureStaticTest, EachIconNumberShowsItsIconOverTheBackground)
{
    const int resources[] = {IDI_PAGE_EXCLAMATION, IDI_PAGE_INFO,   IDI_PAGE_ERROR, IDI_PAGE_TYPICAL,
                             IDI_PAGE_MINIMAL,     IDI_PAGE_CUSTOM, IDI_PAGE_SETUP, IDI_PAGE_FOLDER};
    TestPage page;
    for (int index = 0; index < 8; ++index) {
        SCOPED_TRACE("icon " + std::to_string(index));
        CPictureStatic icon;
        ASSERT_TRUE(icon.Create("", IconStyle, Rect(10, 10, 32, 32), &page, page.NextId()));
        icon.SetBackColor("0,255,0");
        icon.SetIconIndex(index);
        EXPECT_NE(icon.GetIcon(), nullptr) << "the static window holds the icon too";

        const PrintedControl printed(icon, Magenta);
        EXPECT_GT(printed.Count(Green), 0) << "the background colour shows round the picture";
        EXPECT_EQ(printed.Count(Magenta), 0);
        for (int other = 0; other < 8; ++other) {
            SCOPED_TRACE("compared with resource " + std::to_string(resources[other]));
            EXPECT_EQ(printed == DrawnIcon(resources[other], 32, 32, Green), other == index);
        }
    }
}

TEST(PictureStaticTest, SetupIconIsDrawnAt32PixelsInTheTopLeftCorner)
{
    TestPage page;
    CPictureStatic icon;
    ASSERT_TRUE(icon.Create("", BitmapStyle, Rect(10, 10, 60, 50), &page, page.NextId()));
    icon.SetBackColor("255,255,255");
    icon.SetIconIndex(6);
    const PrintedControl printed(icon, Magenta);
    EXPECT_EQ(printed, DrawnIcon(IDI_PAGE_SETUP, 60, 50, RGB(255, 255, 255)));
    const RECT ink = printed.InkBounds(RGB(255, 255, 255));
    EXPECT_LE(ink.right, 32);
    EXPECT_LE(ink.bottom, 32);
    EXPECT_GT(ink.right - ink.left, 24) << "drawn at 32 pixels, not at 16";
}

TEST(PictureStaticTest, NumberOutsideTheEightOnlySwitchesToTheIcon)
{
    TestPage page;
    CPictureStatic icon;
    ASSERT_TRUE(icon.Create("", IconStyle, Rect(10, 10, 32, 32), &page, page.NextId()));
    icon.SetBackColor("0,255,0");
    EXPECT_EQ(PrintedControl(icon, Magenta).Count(Magenta), 32 * 32) << "nothing to paint yet";

    icon.SetIconIndex(-1);
    EXPECT_EQ(PrintedControl(icon, Magenta).Count(Green), 32 * 32) << "icon mode without an icon: the background";

    icon.SetIconIndex(6);
    icon.SetIconIndex(8);
    EXPECT_EQ(PrintedControl(icon, Magenta), DrawnIcon(IDI_PAGE_SETUP, 32, 32, Green)) << "the icon stays";
}

}  // namespace
