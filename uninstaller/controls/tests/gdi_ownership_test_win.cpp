// Every font, brush, icon and picture a control makes is released by the
// setter that replaces it or by the control's end: the process's GDI object
// count does not grow however often the page sets them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/gdi_win.h"
#include "uninstaller/controls/color_button_win.h"
#include "uninstaller/controls/color_check_button_win.h"
#include "uninstaller/controls/color_static_win.h"
#include "uninstaller/controls/picture_static_win.h"
#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using controltest::GdiObjectCount;
using controltest::PrintedControl;
using controltest::Rect;
using controltest::TestPage;
using controltest::TestPicture;

// One page's worth of styled controls.
struct StyledControls {
    CColorStatic text;
    CColorButton button;
    CColorCheckButton radio;
    CPictureStatic picture;
    CPictureStatic icon;

    explicit StyledControls(TestPage& page)
    {
        text.Create("Text 1", 0x50000000, Rect(10, 10, 150, 30), &page, page.NextId());
        button.Create("Button 1", 0x50010000, Rect(10, 50, 90, 25), &page, page.NextId());
        radio.Create("Radio 1", 0x5001000B, Rect(10, 80, 120, 20), &page, page.NextId());
        radio.SetButtonStyle(BS_RADIOBUTTON, true);
        picture.Create("", 0x5000020E, Rect(200, 10, 64, 48), &page, page.NextId());
        icon.Create("", 0x50000203, Rect(200, 80, 32, 32), &page, page.NextId());
    }

    // Every setter once, with values that change from round to round, and
    // everything painted and asked for colours as on a live page.
    void SetEverything(TestPage& page, int round)
    {
        const CString color = CString::Format("%d,%d,%d", round % 256, (round * 7) % 256, 40);
        text.SetTextFont("Tahoma", 8 + round % 5, round % 2 ? 255 : 0, 0);
        text.SetBackColor(color);
        text.SetLinkStyle(round % 2 ? 255 : 0);
        button.SetTextFont("Tahoma", 9 + round % 3, 255, 0);
        button.SetBackColor(color);
        radio.SetBackColor(color);
        radio.SetSecondColor(color);
        picture.LoadPicture(TestPicture(round % 2 ? "halves64x48.bmp" : "transparent33x21.gif").c_str());
        picture.SetBackColor(color);
        icon.SetIconIndex(round % 8);
        icon.SetBackColor(color);

        for (CWnd* control : std::vector<CWnd*>{&button, &radio}) {
            HDC dc = ::GetDC(*control);
            page.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control->GetSafeHwnd()));
            ::ReleaseDC(*control, dc);
        }
        for (CWnd* control : std::vector<CWnd*>{&text, &picture, &icon})
            PrintedControl(*control, RGB(255, 0, 255));
    }
};

TEST(GdiOwnershipTest, CountSeesObjectsComeAndGo)
{
    // The measure itself must work, or the tests below could not fail.
    const int before = GdiObjectCount();
    ASSERT_GT(before, 0);
    {
        std::vector<CBrush> brushes(25);
        for (std::size_t i = 0; i < brushes.size(); ++i)
            brushes[i].CreateSolidBrush(RGB(static_cast<int>(i), 0, 0));
        EXPECT_EQ(GdiObjectCount(), before + 25);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(GdiOwnershipTest, SettersReleaseWhatTheyReplace)
{
    TestPage page;
    StyledControls controls(page);
    // The first rounds make what a control then keeps (one font, one brush,
    // one icon, one picture each) and let the system settle its caches.
    for (int round = 0; round < 4; ++round)
        controls.SetEverything(page, round);
    const int settled = GdiObjectCount();

    for (int round = 4; round < 204; ++round)
        controls.SetEverything(page, round);
    EXPECT_LE(GdiObjectCount(), settled + 2) << "200 rounds of every setter";
}

TEST(GdiOwnershipTest, ControlsReleaseWhatTheyHoldWhenTheyGo)
{
    TestPage page;
    {
        // Warm the system's own caches (fonts, icons, picture decoders) first.
        StyledControls warmUp(page);
        warmUp.SetEverything(page, 1);
        warmUp.SetEverything(page, 2);
    }
    const int before = GdiObjectCount();
    for (int round = 0; round < 10; ++round) {
        auto controls = std::make_unique<StyledControls>(page);
        controls->SetEverything(page, round);
        controls->SetEverything(page, round + 1);
    }
    EXPECT_LE(GdiObjectCount(), before + 2) << "ten sets of controls made, styled and gone";
}

}  // namespace
