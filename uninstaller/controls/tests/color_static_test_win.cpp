// CColorStatic under Wine: created as the page creates its texts and
// rectangles, then read back from what it paints and the font it gives its
// window.
#include "uninstaller/controls/color_static_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "uninstaller/controls/control_support_win.h"
#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using controltest::FontOf;
using controltest::PrintedControl;
using controltest::Rect;
using controltest::TestPage;

constexpr DWORD TextStyle = 0x50000000;  // WS_CHILD | WS_VISIBLE: TEXT, RECT, LISTVIEW
constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

std::string Describe(COLORREF color)
{
    return std::to_string(GetRValue(color)) + "," + std::to_string(GetGValue(color)) + "," +
           std::to_string(GetBValue(color));
}

int ExpectedPixelHeight(int points)
{
    HDC screen = ::GetDC(nullptr);
    const int height = ::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    return height;
}

LOGFONTA WindowFont(const CWnd& control)
{
    return FontOf(reinterpret_cast<HFONT>(control.SendMessage(WM_GETFONT)));
}

TEST(ColorStaticTest, BackColorFillsUnlessTheFaceColourIsSpelledOut)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const CString spelledFace = FormatColorText(SystemButtonFace());
    const struct {
        std::vector<CString> texts;  // applied in this order
        COLORREF shown;              // Magenta: the background was left unpainted
    } cases[] = {
        {{}, Magenta},
        {{"COLOR_BTNFACE"}, face},
        {{""}, face},
        {{spelledFace}, Magenta},
        {{"255,255,255"}, White},
        {{"300,0,0"}, RGB(44, 0, 0)},
        {{"0,128"}, RGB(0, 0, 128)},
        {{"255,255,255", spelledFace}, Magenta},
        {{spelledFace, "10,20,30"}, RGB(10, 20, 30)},
    };
    TestPage page;
    for (const auto& c : cases) {
        std::string trace = "texts:";
        for (const CString& text : c.texts)
            trace += std::string(" '") + text.GetString() + "'";
        SCOPED_TRACE(trace);
        CColorStatic rectangle;
        ASSERT_TRUE(rectangle.Create("", TextStyle, Rect(10, 10, 60, 30), &page, page.NextId()));
        for (const CString& text : c.texts)
            rectangle.SetBackColor(text);
        const PrintedControl printed(rectangle, Magenta);
        EXPECT_EQ(printed.Count(c.shown), printed.Width() * printed.Height())
            << "corner shows " << Describe(printed.At(0, 0)) << ", expected " << Describe(c.shown);
    }
}

TEST(ColorStaticTest, TextIsDrawnInTheTextColourOverTheFill)
{
    TestPage page;
    CColorStatic text;
    ASSERT_TRUE(text.Create("MMMM", TextStyle, Rect(10, 10, 120, 30), &page, page.NextId()));
    text.SetTextFont("Tahoma", 14, 255, 0);
    text.SetBackColor("255,255,255");
    text.SetTextColor(RGB(200, 0, 0));

    const PrintedControl printed(text, Magenta);
    EXPECT_EQ(printed.Count(Magenta), 0) << "the fill covers the whole control";
    EXPECT_GT(printed.Count(RGB(200, 0, 0)), 20);
    EXPECT_EQ(printed.Count(Black), 0) << "no text in the initial black";
    EXPECT_GT(printed.Count(White), printed.Width() * printed.Height() / 2);
}

enum class Place { Left, Center, Right };

TEST(ColorStaticTest, AlignmentWrapsOnlyOnceAWordChoseIt)
{
    const struct {
        std::vector<CString> words;
        bool wraps;
        Place place;
    } cases[] = {
        {{}, false, Place::Left},
        {{"Left"}, true, Place::Left},
        {{"Center"}, true, Place::Center},
        {{"Right"}, true, Place::Right},
        {{"Right", "center"}, true, Place::Right},
        {{"Center", "Centre"}, true, Place::Center},
        {{"Right", "Left"}, true, Place::Left},
        {{"LEFT"}, false, Place::Left},
    };
    TestPage page;
    for (const auto& c : cases) {
        std::string trace = "words:";
        for (const CString& word : c.words)
            trace += std::string(" ") + word.GetString();
        SCOPED_TRACE(trace);
        CColorStatic longText;
        CColorStatic shortText;
        ASSERT_TRUE(longText.Create("alpha beta gamma delta epsilon zeta eta theta iota", TextStyle,
                                    Rect(10, 10, 150, 80), &page, page.NextId()));
        ASSERT_TRUE(shortText.Create("ab", TextStyle, Rect(10, 100, 150, 24), &page, page.NextId()));
        for (CColorStatic* control : {&longText, &shortText}) {
            control->SetTextFont("Tahoma", 10, 0, 0);
            for (const CString& word : c.words)
                control->SetAlignment(word);
        }
        const int lineHeight = ExpectedPixelHeight(10) + 4;

        const RECT longInk = PrintedControl(longText, White).InkBounds(White);
        if (c.wraps) {
            EXPECT_GT(longInk.bottom, lineHeight) << "a second line";
        } else {
            EXPECT_LE(longInk.bottom, lineHeight) << "one line only";
            EXPECT_GE(longInk.right, 148) << "the line runs off the edge";
        }
        const RECT shortInk = PrintedControl(shortText, White).InkBounds(White);
        ASSERT_GT(shortInk.right, shortInk.left);
        switch (c.place) {
        case Place::Left:
            EXPECT_LE(shortInk.left, 2);
            break;
        case Place::Center:
            EXPECT_NEAR((shortInk.left + shortInk.right) / 2, 75, 3);
            break;
        case Place::Right:
            EXPECT_GE(shortInk.right, 146);
            EXPECT_GT(shortInk.left, 100);
            break;
        }
    }
}

TEST(ColorStaticTest, TextFontIsMadeFromTheChoiceAndGivenToTheWindow)
{
    const std::string longFace(40, 'F');
    const struct {
        std::string face;
        int points, bold, italic;
        bool linkFirst;
        std::string expectedFace;
        LONG weight;
        BYTE italicFlag, underline;
    } cases[] = {
        {"Tahoma", 12, 255, 0, false, "Tahoma", 700, 0, 0},
        {"Arial", 8, 0, 255, false, "Arial", 400, 1, 0},
        {"Tahoma", 10, 1, 254, false, "Tahoma", 400, 0, 0},
        {"Tahoma", 0, 0, 0, false, "Tahoma", 400, 0, 0},
        {"Tahoma", 9, 255, 255, true, "Tahoma", 700, 1, 1},
        {longFace, 10, 0, 0, false, std::string(31, 'F'), 400, 0, 0},
    };
    TestPage page;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face + " " + std::to_string(c.points) + " pt" + (c.linkFirst ? ", link on" : ""));
        CColorStatic text;
        ASSERT_TRUE(text.Create("Text 1", TextStyle, Rect(10, 10, 120, 30), &page, page.NextId()));
        if (c.linkFirst)
            text.SetLinkStyle(255);
        text.SetTextFont(c.face.c_str(), c.points, c.bold, c.italic);
        const LOGFONTA font = WindowFont(text);
        EXPECT_STREQ(font.lfFaceName, c.expectedFace.c_str());
        EXPECT_EQ(font.lfHeight, -ExpectedPixelHeight(c.points));
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(font.lfItalic, c.italicFlag);
        EXPECT_EQ(font.lfUnderline, c.underline);
    }
}

// The height of the row range that holds ink, and whether one row holds ink
// across nearly the whole width of the text, as an underline does.
struct InkShape {
    int height = 0;
    bool underlined = false;
};

InkShape ShapeOf(const PrintedControl& printed, COLORREF background)
{
    const RECT ink = printed.InkBounds(background);
    InkShape shape;
    shape.height = ink.bottom - ink.top;
    for (int y = ink.top; y < ink.bottom; ++y) {
        int inked = 0;
        for (int x = ink.left; x < ink.right; ++x)
            inked += printed.At(x, y) != background ? 1 : 0;
        if (inked * 10 >= (ink.right - ink.left) * 9)
            shape.underlined = true;
    }
    return shape;
}

TEST(ColorStaticTest, LinkStyleOnThenOffLeavesBlueTextWithoutUnderline)
{
    TestPage page;
    CColorStatic link;
    ASSERT_TRUE(link.Create("visit us", TextStyle, Rect(10, 10, 160, 30), &page, page.NextId()));
    link.SetTextFont("Tahoma", 12, 255, 255);
    link.SetTextColor(RGB(0, 128, 0));
    const InkShape plain = ShapeOf(PrintedControl(link, White), White);
    EXPECT_FALSE(plain.underlined);

    link.SetLinkStyle(255);
    LOGFONTA font = WindowFont(link);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfWeight, 700) << "weight and italic stay as the font choice gave them";
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfHeight, -ExpectedPixelHeight(12));
    PrintedControl printed(link, White);
    EXPECT_GT(printed.Count(RGB(0, 0, 255)), 10);
    EXPECT_EQ(printed.Count(RGB(0, 128, 0)), 0);
    EXPECT_TRUE(ShapeOf(printed, White).underlined) << "the link font is the one painted";

    link.SetLinkStyle(7);  // neither on nor off: only a repaint
    EXPECT_EQ(WindowFont(link).lfUnderline, 1);

    link.SetLinkStyle(0);
    font = WindowFont(link);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    printed = PrintedControl(link, White);
    EXPECT_GT(printed.Count(RGB(0, 0, 255)), 10) << "the text stays blue";
    EXPECT_EQ(printed.Count(RGB(0, 128, 0)), 0);
    EXPECT_FALSE(ShapeOf(printed, White).underlined);
}

TEST(ColorStaticTest, LinkStyleBeforeAnyFontStartsFromTheSystemsStatusFont)
{
    TestPage page;
    CColorStatic link;
    ASSERT_TRUE(link.Create("visit us", TextStyle, Rect(10, 10, 160, 30), &page, page.NextId()));
    link.SetLinkStyle(255);
    const LOGFONTA font = WindowFont(link);
    EXPECT_NE(font.lfFaceName[0], '\0') << "a font with a face, not an empty description";
    EXPECT_STREQ(font.lfFaceName, ReadNonClientMetrics().lfStatusFont.lfFaceName);
    EXPECT_EQ(font.lfUnderline, 1);
}

TEST(ColorStaticTest, PageFontIsBorrowedForDrawingOnly)
{
    TestPage page;
    LOGFONTA big{};
    big.lfHeight = -32;
    big.lfWeight = FW_BOLD;
    lstrcpyA(big.lfFaceName, "Tahoma");
    CFont pageFont;
    ASSERT_TRUE(pageFont.CreateFontIndirect(big));

    auto text = std::make_unique<CColorStatic>();
    ASSERT_TRUE(text->Create("Hg", TextStyle, Rect(10, 10, 200, 60), &page, page.NextId()));
    const LRESULT windowFontBefore = text->SendMessage(WM_GETFONT);
    const int heightBefore = ShapeOf(PrintedControl(*text, White), White).height;

    text->UsePageFont(&pageFont);
    EXPECT_EQ(text->SendMessage(WM_GETFONT), windowFontBefore) << "nothing is sent to the window";
    const int heightAfter = ShapeOf(PrintedControl(*text, White), White).height;
    EXPECT_GT(heightAfter, heightBefore + 8) << "painted in the page's 32-pixel font";

    // The page font belongs to the main window: the control never deletes it.
    text.reset();
    EXPECT_EQ(::GetObjectType(pageFont.GetSafeHandle()), static_cast<DWORD>(OBJ_FONT));
}

TEST(ColorStaticTest, PageFontRemadeByItsOwnerIsWhatTheNextPaintUses)
{
    TestPage page;
    LOGFONTA description{};
    description.lfHeight = -12;
    lstrcpyA(description.lfFaceName, "Tahoma");
    CFont pageFont;
    ASSERT_TRUE(pageFont.CreateFontIndirect(description));
    CColorStatic text;
    ASSERT_TRUE(text.Create("Hg", TextStyle, Rect(10, 10, 200, 60), &page, page.NextId()));
    text.UsePageFont(&pageFont);
    const int smallHeight = ShapeOf(PrintedControl(text, White), White).height;

    // The owner remakes its font for the next page; the borrowed font object
    // is the same, its handle new.
    description.lfHeight = -36;
    ASSERT_TRUE(pageFont.CreateFontIndirect(description));
    const int bigHeight = ShapeOf(PrintedControl(text, White), White).height;
    EXPECT_GT(bigHeight, smallHeight * 2);
}

}  // namespace
