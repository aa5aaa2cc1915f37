// The page window in-process: what it owns is released, its background is
// drawn where it belongs, a silent run shows no box, and pages loaded again
// or after another keep to themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "framework/app_win.h"
#include "tests/support/test_support_win.h"
#include "uninstaller/common/product_values.h"
#include "uninstaller/controls/tests/control_test_support_win.h"
#include "uninstaller/skin/skin_dialog_win.h"

namespace {

CWinApp testApplication;

// The main window a page finds: hidden, it makes and owns the page font.
class TestHost : public CWnd, public PageHost {
public:
    TestHost()
    {
        const char* className = RegisterWindowClass("SkinTestHost", 0, nullptr, nullptr, nullptr);
        CreateEx(0, className, "host", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr);
        testApplication.m_pMainWnd = this;
    }
    ~TestHost() override { testApplication.m_pMainWnd = nullptr; }

    bool OnPageCommand(int, int, int, const CString&, CSkinDialog*, const CString&) override { return false; }
    const CFont* GetPageFont() const override { return &font_; }
    void CreatePageFont(const CString& faceName, int height, int bold, int italic, int pointSize) override
    {
        MakePageFont(font_, faceName, height, bold, italic, pointSize);
    }

private:
    CFont font_;
};

std::string SamplePages()
{
    return testsupport::WindowsPathOf(PAGEVIEW_TEST_PAGES) + "\\";
}

// Runs the page's pending messages, painting included.
void Pump()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

class SkinDialogTest : public ::testing::Test {
protected:
    SkinDialogTest() : scratch_("skin-dialog") {}
    ~SkinDialogTest() override { TheProduct().RunMode = RunModeNone; }

    // A page file in the scratch folder.
    std::string WritePage(const std::string& name, const std::string& contents)
    {
        testsupport::WriteFile(scratch_.Path() + "\\" + name, contents);
        return name;
    }

    std::unique_ptr<CSkinDialog> Show(const std::string& folder, const std::string& name)
    {
        auto page = std::make_unique<CSkinDialog>();
        page->ShowPage(folder.c_str(), name.c_str(), 0, 0);
        page->ShowWindow(SW_SHOW);
        ::SetWindowPos(*page, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::UpdateWindow(*page);
        Pump();
        return page;
    }
    std::string Folder() const { return scratch_.Path() + "\\"; }

    TestHost host_;
    testsupport::ScratchFolder scratch_;
};

int ChildCount(HWND page)
{
    int count = 0;
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

TEST_F(SkinDialogTest, LoadingAPage200TimesHoldsNoMoreGdiObjects)
{
    // The sample names its background picture relative to the current folder.
    ::SetCurrentDirectoryA(SamplePages().c_str());
    auto page = Show(SamplePages(), "all_kinds.lcd");
    ASSERT_TRUE(page->Background().HasPicture());
    const CString path = page->Model().PagePath;
    // Painting the controls the first time makes what the system keeps for
    // them: count from a page that has been painted once.
    page->LoadPageFile(path);
    Pump();
    const int before = controltest::GdiObjectCount();
    ASSERT_GT(before, 0);
    for (int load = 0; load < 200; ++load)
        page->LoadPageFile(path);
    Pump();
    EXPECT_EQ(ChildCount(*page), 24);
    EXPECT_LE(controltest::GdiObjectCount(), before);
}

TEST_F(SkinDialogTest, PagesMadeAndDestroyedHoldNoMoreGdiObjects)
{
    ::SetCurrentDirectoryA(SamplePages().c_str());
    Show(SamplePages(), "all_kinds.lcd").reset();
    const int before = controltest::GdiObjectCount();
    for (int round = 0; round < 30; ++round)
        Show(SamplePages(), "all_kinds.lcd").reset();
    EXPECT_LE(controltest::GdiObjectCount(), before);
}

TEST_F(SkinDialogTest, LoadingTheSamePageAgainLeavesOneSetOfControls)
{
    auto page = Show(SamplePages(), "all_kinds.lcd");
    page->LoadPageFile(page->Model().PagePath);
    EXPECT_EQ(ChildCount(*page), 24);
    EXPECT_EQ(page->Model().ControlCount(), 24);
    EXPECT_EQ(page->Model().NextControlId(), 3024);
    EXPECT_NE(::GetDlgItem(*page, 3000), nullptr);
    EXPECT_EQ(::GetDlgItem(*page, 3024), nullptr);
    EXPECT_EQ(page->Model().PoolCount(ControlPool::Pictures), 3);
}

COLORREF PixelAt(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF pixel = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return pixel;
}

void ExpectNear(COLORREF actual, COLORREF expected, int tolerance)
{
    SCOPED_TRACE(testing::Message() << std::hex << "actual 0x" << actual << ", expected 0x" << expected);
    EXPECT_LE(std::abs(GetRValue(actual) - GetRValue(expected)), tolerance);
    EXPECT_LE(std::abs(GetGValue(actual) - GetGValue(expected)), tolerance);
    EXPECT_LE(std::abs(GetBValue(actual) - GetBValue(expected)), tolerance);
}

TEST_F(SkinDialogTest, TheBackgroundPictureIsStretchedOverTheWholeOuterWindow)
{
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255), yellow = RGB(255, 255, 0);
    struct {
        const char* picture;
        int tolerance;
        bool readsTheSeam;  // JPEG blurs the seam between the quarters
    } const cases[] = {{"backdrop.bmp", 0, true}, {"quarters.gif", 0, true}, {"quarters.jpg", 24, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        WritePage("picture.lcd", "[MAINWINDOW]\r\nborder=1\r\nwidth=300\r\nheight=220\r\nbkcolor=255,255,255\r\n"
                                 "bkimage=" + SamplePages() + c.picture + "\r\n");
        auto page = Show(Folder(), "picture.lcd");
        ASSERT_TRUE(page->Background().HasPicture());
        EXPECT_EQ(page->Background().PictureWidth(), 40);
        EXPECT_EQ(page->Background().PictureHeight(), 40);
        RECT outer{};
        RECT client{};
        ::GetWindowRect(*page, &outer);
        ::GetClientRect(*page, &client);
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        ASSERT_GT(height - client.bottom, 16);  // a caption and a frame
        ExpectNear(PixelAt(*page, width / 4, height / 4), red, c.tolerance);
        ExpectNear(PixelAt(*page, width * 3 / 4, height / 4), green, c.tolerance);
        ExpectNear(PixelAt(*page, width / 4, client.bottom - 3), blue, c.tolerance);
        ExpectNear(PixelAt(*page, width * 3 / 4, client.bottom - 3), yellow, c.tolerance);
        if (c.readsTheSeam) {
            // The seam lies at half the OUTER height: a few pixels above it
            // is still the top half, though below half the client height.
            ASSERT_GT(height / 2 - 4, client.bottom / 2);
            EXPECT_EQ(PixelAt(*page, width / 4, height / 2 - 4), red);
            EXPECT_EQ(PixelAt(*page, width / 4, height / 2 + 1), blue);
        }
    }
}

TEST_F(SkinDialogTest, WithoutAPictureThePageColourFillsTheWindow)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    struct {
        const char* keys;
        COLORREF colour;
    } const cases[] = {
        {"bkcolor=0,128,255\r\n", RGB(0, 128, 255)},
        {"bkcolor=300,0,0\r\n", RGB(44, 0, 0)},  // each part keeps its low 8 bits
        {"bkcolor=\r\n", face},
        {"bkcolor=COLOR_BTNFACE\r\n", face},
        {"bkcolor=0,128,255\r\nbkimage=C:\\no\\such\\picture.bmp\r\n", RGB(0, 128, 255)},
        {"bkcolor=10,20,30\r\nbkimage=" __FILE__ "\r\n", RGB(10, 20, 30)},  // a file that is no picture
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        WritePage("colour.lcd", std::string("[MAINWINDOW]\r\nborder=1\r\nwidth=200\r\nheight=150\r\n") + c.keys);
        auto page = Show(Folder(), "colour.lcd");
        EXPECT_FALSE(page->Background().HasPicture());
        EXPECT_EQ(PixelAt(*page, 20, 20), c.colour);
        EXPECT_EQ(PixelAt(*page, 150, 100), c.colour);
    }
}

TEST_F(SkinDialogTest, PictureControlsShowNoBoxInASilentRun)
{
    const std::string pageText =
        "[MAINWINDOW]\r\nborder=1\r\nwidth=200\r\nheight=150\r\n[INFO]\r\nTOTAL=1\r\n"
        "0=0,10,10,32,32,ICON,,0,0\r\n[DADOS]\r\n0,t=2\r\n0,0=ID|IDC_ICON|0\r\n0,1=Icon File:|{absent.bmp}|0\r\n";
    WritePage("icon.lcd", pageText);
    struct {
        int runMode;
        std::size_t boxes;
    } const cases[] = {{RunModeSilentUninstall, 0}, {RunModeUninstall, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.runMode);
        TheProduct().RunMode = c.runMode;
        // The page stays hidden: the watcher takes every visible dialog
        // of the process for a message box.
        controltest::MessageBoxWatcher watcher;
        CSkinDialog page;
        page.ShowPage(Folder().c_str(), "icon.lcd", 0, 0);
        const auto boxes = watcher.Stop();
        ASSERT_EQ(boxes.size(), c.boxes);
        if (c.boxes == 1) {
            EXPECT_EQ(boxes[0].text, "File not found: (" + Folder() + "absent.bmp)");
        }
    }
}

LOGFONTA FontOfChild(HWND page, int id)
{
    return controltest::FontOf(reinterpret_cast<HFONT>(::SendDlgItemMessageA(page, id, WM_GETFONT, 0, 0)));
}

TEST_F(SkinDialogTest, ASecondPageUsesTheFontOfItsOwnKeys)
{
    const std::string controls =
        "[INFO]\r\nTOTAL=1\r\n0=0,10,10,150,60,GROUPBOX,,0,0\r\n";
    WritePage("first.lcd", "[MAINWINDOW]\r\nfontname=Arial\r\nfontsize=12\r\nfontbold=No\r\nfontitalic=No\r\n" +
                               controls);
    WritePage("second.lcd", "[MAINWINDOW]\r\nfontname=Courier New\r\nfontsize=8\r\nfontbold=Yes\r\n" + controls);
    auto first = Show(Folder(), "first.lcd");
    const LOGFONTA firstFont = FontOfChild(*first, 3000);
    EXPECT_STREQ(firstFont.lfFaceName, "Arial");
    EXPECT_EQ(firstFont.lfHeight, -16);
    EXPECT_EQ(firstFont.lfWeight, FW_NORMAL);

    auto second = Show(Folder(), "second.lcd");
    const LOGFONTA secondFont = FontOfChild(*second, 3000);
    EXPECT_STREQ(secondFont.lfFaceName, "Courier New");
    EXPECT_EQ(secondFont.lfHeight, -11);
    EXPECT_EQ(secondFont.lfWeight, FW_BOLD);
    EXPECT_EQ(secondFont.lfItalic, TRUE);  // no fontitalic key: italic
    EXPECT_EQ(second->Model().Settings.fontname, "Courier New");
    EXPECT_EQ(second->Model().Settings.fontitalic, "Yes");
}

}  // namespace
