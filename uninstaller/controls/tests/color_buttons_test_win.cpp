// CColorButton and CColorCheckButton under Wine: their brushes reach the
// parent's colour requests through the framework's reflection, as on a page.
#include "uninstaller/controls/color_button_win.h"
#include "uninstaller/controls/color_check_button_win.h"

#include <gtest/gtest.h>

#include <string>

#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using controltest::FontOf;
using controltest::PrintedControl;
using controltest::Rect;
using controltest::TestPage;

constexpr DWORD PushButtonStyle = 0x50010000;  // BUTTON
constexpr DWORD GroupBoxStyle = 0x50000007;    // GROUPBOX
constexpr DWORD RadioStyle = 0x5001000B;       // RADIO, made a radio button after creation
constexpr DWORD CheckBoxStyle = 0x50000000;    // CHECKBOX, made a check box after creation

// Asks the page for the colours of `control` as the control itself does
// while it paints: the page offers the request to the control first.
struct ColourAnswer {
    HBRUSH brush = nullptr;
    COLORREF textColor = 0;
    int backMode = 0;
};

ColourAnswer AskPage(TestPage& page, HWND control, UINT message)
{
    HDC dc = ::GetDC(control);
    ::SetTextColor(dc, RGB(9, 8, 7));
    ::SetBkMode(dc, OPAQUE);
    ColourAnswer answer;
    answer.brush = reinterpret_cast<HBRUSH>(
        page.SendMessage(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    answer.textColor = ::GetTextColor(dc);
    answer.backMode = ::GetBkMode(dc);
    ::ReleaseDC(control, dc);
    return answer;
}

COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH description{};
    if (::GetObjectA(brush, sizeof description, &description) != sizeof description)
        return CLR_INVALID;
    EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_SOLID));
    return description.lbColor;
}

void ExpectDeviceContextUntouched(const ColourAnswer& answer)
{
    EXPECT_EQ(answer.textColor, RGB(9, 8, 7)) << "the handler hands out a brush only";
    EXPECT_EQ(answer.backMode, OPAQUE);
}

TEST(ColorButtonTest, PageDecidesUntilABackColourIsSetThenTheButtonsBrushAnswers)
{
    const struct {
        const char* kind;
        DWORD style;
        UINT message;
    } kinds[] = {
        {"BUTTON", PushButtonStyle, WM_CTLCOLORBTN},
        {"GROUPBOX", GroupBoxStyle, WM_CTLCOLORSTATIC},
    };
    TestPage page;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        CColorButton button;
        ASSERT_TRUE(button.Create("Button 1", kind.style, Rect(10, 10, 90, 25), &page, page.NextId()));

        ColourAnswer answer = AskPage(page, button, kind.message);
        EXPECT_EQ(answer.brush, page.OwnBrush()) << "no brush made yet: the page's own colour handling";

        button.SetBackColor("10,20,30");
        answer = AskPage(page, button, kind.message);
        ASSERT_NE(answer.brush, page.OwnBrush());
        EXPECT_EQ(BrushColor(answer.brush), RGB(10, 20, 30));
        ExpectDeviceContextUntouched(answer);

        const HBRUSH first = answer.brush;
        button.SetBackColor("COLOR_BTNFACE");
        answer = AskPage(page, button, kind.message);
        EXPECT_EQ(BrushColor(answer.brush), ::GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(::GetObjectType(first), 0u) << "the replaced brush is deleted";
    }
}

TEST(ColorButtonTest, TextFontFollowsTheChoiceWithTheSystemsUnderline)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const struct {
        const char* face;
        int points, bold, italic;
        LONG weight;
        BYTE italicFlag;
    } cases[] = {
        {"Tahoma", 12, 255, 0, 700, 0},
        {"Arial", 9, 0, 255, 400, 1},
        {"Tahoma", 8, 254, 1, 400, 0},
    };
    TestPage page;
    CColorButton button;
    ASSERT_TRUE(button.Create("Next >", PushButtonStyle, Rect(10, 10, 90, 25), &page, page.NextId()));
    HFONT previous = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.points));
        button.SetTextFont(c.face, c.points, c.bold, c.italic);
        const HFONT font = reinterpret_cast<HFONT>(button.SendMessage(WM_GETFONT));
        const LOGFONTA description = FontOf(font);
        EXPECT_STREQ(description.lfFaceName, c.face);
        EXPECT_EQ(description.lfHeight, -::MulDiv(c.points, dpi, 72));
        EXPECT_EQ(description.lfWeight, c.weight);
        EXPECT_EQ(description.lfItalic, c.italicFlag);
        EXPECT_EQ(description.lfUnderline, 0);
        if (previous) {
            EXPECT_EQ(::GetObjectType(previous), 0u) << "the replaced font is deleted";
        }
        previous = font;
    }
}

TEST(ColorCheckButtonTest, AnswersWithOneBrushOfItsBackgroundColour)
{
    const struct {
        const char* kind;
        DWORD style;
        UINT buttonStyle;
    } kinds[] = {
        {"RADIO", RadioStyle, BS_RADIOBUTTON},
        {"CHECKBOX", CheckBoxStyle, BS_CHECKBOX},
    };
    TestPage page;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        CColorCheckButton button;
        ASSERT_TRUE(button.Create("Radio 1", kind.style, Rect(10, 10, 120, 20), &page, page.NextId()));
        button.SetButtonStyle(kind.buttonStyle, true);

        // Before any colour: a brush of the initial black, kept for later requests.
        ColourAnswer answer = AskPage(page, button, WM_CTLCOLORSTATIC);
        EXPECT_EQ(BrushColor(answer.brush), RGB(0, 0, 0));
        EXPECT_EQ(AskPage(page, button, WM_CTLCOLORSTATIC).brush, answer.brush);
        ExpectDeviceContextUntouched(answer);

        const HBRUSH black = answer.brush;
        button.SetBackColor("0,128,255");
        answer = AskPage(page, button, WM_CTLCOLORSTATIC);
        EXPECT_EQ(BrushColor(answer.brush), RGB(0, 128, 255));
        EXPECT_EQ(::GetObjectType(black), 0u) << "one brush per colour: the old colour's brush is gone";
        EXPECT_EQ(AskPage(page, button, WM_CTLCOLORBTN).brush, answer.brush);

        // The second colour is kept apart from the background.
        button.SetSecondColor("1,2,3");
        EXPECT_EQ(button.GetSecondColor(), RGB(1, 2, 3));
        EXPECT_EQ(BrushColor(AskPage(page, button, WM_CTLCOLORSTATIC).brush), RGB(0, 128, 255));

        button.SetBackColor("");
        EXPECT_EQ(BrushColor(AskPage(page, button, WM_CTLCOLORSTATIC).brush), ::GetSysColor(COLOR_BTNFACE));
    }
}

TEST(ColorCheckButtonTest, ButtonPaintsItsBackgroundWithTheBrush)
{
    TestPage page;
    CColorCheckButton box;
    ASSERT_TRUE(box.Create("CheckBox1", CheckBoxStyle, Rect(10, 10, 200, 24), &page, page.NextId()));
    box.SetButtonStyle(BS_CHECKBOX, true);
    box.SetBackColor("0,200,100");
    // The button draws itself and asks the page for its colours on the way.
    const PrintedControl printed(box, RGB(255, 0, 255));
    EXPECT_EQ(printed.At(printed.Width() - 2, printed.Height() / 2), RGB(0, 200, 100));
    EXPECT_EQ(printed.At(printed.Width() - 2, 1), RGB(0, 200, 100));
}

}  // namespace
