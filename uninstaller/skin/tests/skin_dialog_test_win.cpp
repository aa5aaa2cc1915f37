// The page window in-process: what it owns is released, its background is
// drawn where it belongs, a silent run shows no box, and pages loaded again
// or after another keep to themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/app_win.h"
#include "tests/support/test_support_win.h"
#include "uninstaller/common/product_values.h"
#include "uninstaller/controls/control_rules.h"
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
    ~SkinDialogTest() override
    {
        TheProduct().RunMode = RunModeNone;
        TheProduct().ProductDisplayName = "";
        TheProduct().ProductCode = "";
    }

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

COLORREF PixelAt(HWND window, int x, int y);
LOGFONTA FontOfChild(HWND page, int id);

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
    // Both counts are taken with the window messages of the pages handled,
    // so that what the system does for a page after it is gone is done.
    // Wine makes a few objects of its own once, at times that depend on the
    // machine's load (caches of painting); a page that leaves anything
    // behind leaves it every time, 60 or more objects here.
    constexpr int kRounds = 60;
    constexpr int kSystemOnceObjects = 8;
    for (int round = 0; round < 3; ++round)
        Show(SamplePages(), "all_kinds.lcd").reset();
    Pump();
    const int before = controltest::GdiObjectCount();
    for (int round = 0; round < kRounds; ++round)
        Show(SamplePages(), "all_kinds.lcd").reset();
    Pump();
    EXPECT_LE(controltest::GdiObjectCount(), before + kSystemOnceObjects);
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

TEST_F(SkinDialogTest, CaptionsTakeTheProductsPlaceholders)
{
    TheProduct().ProductDisplayName = "Sample Product";
    TheProduct().ProductCode = "{CODE}";
    WritePage("named.lcd",
              "[MAINWINDOW]\r\ncaption=[ProductName] <ProductCode> [Setup]\r\n[INFO]\r\nTOTAL=2\r\n"
              "0=0,10,10,200,20,TEXT,,0,0\r\n1=0,10,40,90,25,BUTTON,,0,1\r\n[DADOS]\r\n"
              "0,t=2\r\n0,0=ID|IDC_TITLE|0\r\n0,1=Caption|Remove <ProductName> [now]|0\r\n"
              "1,t=2\r\n1,0=ID|IDC_GO|0\r\n1,1=Caption|[ProductName] [Go]|0\r\n");
    auto page = Show(Folder(), "named.lcd");
    EXPECT_EQ(page->GetWindowText(), "Sample Product {CODE} <Setup>");
    // A text expands the placeholders only; a button turns brackets first.
    EXPECT_EQ(CWnd::FromHandle(::GetDlgItem(*page, 3001))->GetWindowText(), "Remove Sample Product [now]");
    EXPECT_EQ(CWnd::FromHandle(::GetDlgItem(*page, 3000))->GetWindowText(), "Sample Product <Go>");
}

TEST_F(SkinDialogTest, APoolSlotKeepsNothingOfTheControlItHeldOnAnEarlierPage)
{
    // Slot 0 of the pictures shows a 40 x 30 JPEG on the first page; on the
    // next page its image is missing, so it keeps its line's 60 x 50.
    const std::string line = "[INFO]\r\nTOTAL=1\r\n0=0,10,10,60,50,BITMAP,";
    // A picture of a control is always beside its page file.
    ASSERT_TRUE(::CopyFileA((SamplePages() + "logo.jpg").c_str(), (Folder() + "logo.jpg").c_str(), FALSE));
    WritePage("with.lcd", line + "logo.jpg,0,0\r\n");
    WritePage("without.lcd", line + "{absent.jpg},0,0\r\n");
    auto page = Show(Folder(), "with.lcd");
    ASSERT_EQ(page->Model().ControlCount(), 1);
    EXPECT_EQ(page->Model().Control(0).Rect, (ControlRect{10, 10, 50, 40}));
    page->LoadPageFile((Folder() + "without.lcd").c_str());
    ASSERT_EQ(page->Model().ControlCount(), 1);
    EXPECT_EQ(page->Model().Control(0).Rect, (ControlRect{10, 10, 70, 60}));
    auto* picture = page->Pools().ObjectOf<CPictureStatic>(page->Model().Control(0));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->IsPictureLoaded());
}

// Makes the named control current, as the page runtime does before it
// applies a colour.
void SelectNamed(CSkinDialog& page, const char* idName)
{
    const int record = page.Model().FindRecordIndex(page.Model().FindControlId(idName));
    ASSERT_GE(record, 0) << idName;
    page.Model().SelectControl(record);
}

TEST_F(SkinDialogTest, SetControlColorActsByKindAndWhich)
{
    auto page = Show(SamplePages(), "all_kinds.lcd");
    const COLORREF sky = RGB(0, 128, 255);
    const auto backOfRect = [&] {
        const HWND rect = ::GetDlgItem(*page, page->Model().FindControlId("IDC_RECT1"));
        return controltest::PrintedControl(rect, RGB(1, 2, 3)).At(10, 10);
    };
    SelectNamed(*page, "IDC_RECT1");
    page->SetControlColor("0,128,255", 0);  // a rectangle has no text colour
    EXPECT_EQ(backOfRect(), RGB(255, 200, 0));
    page->SetControlColor("0,128,255", 2);
    EXPECT_EQ(backOfRect(), RGB(255, 200, 0));
    page->SetControlColor("0,128,255", 1);
    EXPECT_EQ(backOfRect(), sky);

    const struct {
        const char* idName;
        const char* colorText;
        int which;
        COLORREF expected;
    } checks[] = {
        {"IDC_ACCEPTLICENSE", "1,1,1", 0, RGB(220, 230, 250)},  // no text colour: unchanged
        {"IDC_ACCEPTLICENSE", "0,128,255", 1, sky},
        {"IDC_KEEPSETTINGS", "0,128,255", 1, sky},
        {"IDC_KEEPSETTINGS", "COLOR_BTNFACE", 1, ::GetSysColor(COLOR_BTNFACE)},
        {"IDC_KEEPSETTINGS", "", 1, ::GetSysColor(COLOR_BTNFACE)},
    };
    for (const auto& c : checks) {
        SCOPED_TRACE(std::string(c.idName) + " \"" + c.colorText + "\" which " + std::to_string(c.which));
        SelectNamed(*page, c.idName);
        page->SetControlColor(c.colorText, c.which);
        auto* check = page->Pools().ObjectOf<CColorCheckButton>(page->Model().Control(page->Model().CurrentControl()));
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->GetBackColor(), c.expected);
    }

    // The window's own colour while the window is current.
    page->Model().SelectWindow();
    page->SetControlColor("10,20,30", 1);
    Pump();
    ::RedrawWindow(*page, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PixelAt(*page, 5, 5), RGB(10, 20, 30));
}

TEST_F(SkinDialogTest, APageFontSetLaterReachesTheControlsAlreadyThere)
{
    auto page = Show(SamplePages(), "all_kinds.lcd");
    page->SetPageFont("Courier New", 10, 255, 0, 0);
    EXPECT_EQ(page->Model().Settings.fontname, "Courier New");
    EXPECT_EQ(page->Model().Settings.fontbold, "Yes");
    // Every control that was made with the page font holds the new one, not
    // the deleted handle of the font it replaced.
    for (const char* idName : {"IDC_GROUPBOX1", "IDC_ACCEPTLICENSE", "IDC_KEEPSETTINGS", "IDC_INSTALLDIR",
                               "IDC_COMBO1", "IDC_ANIMATION1", "IDC_TREEVIEW1", "IDC_BACK"}) {
        SCOPED_TRACE(idName);
        const int id = page->Model().FindControlId(idName);
        ASSERT_NE(id, -1);
        const LOGFONTA font = FontOfChild(*page, id);
        EXPECT_STREQ(font.lfFaceName, "Courier New");
        EXPECT_EQ(font.lfWeight, FW_BOLD);
    }
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

// The background and the BITMAP and ICON pictures are files of at most
// 32 MB: a larger one is no picture, reported in the load report and, as
// the file is there, without a box.
TEST_F(SkinDialogTest, APictureFileOver32MegabytesIsNoPicture)
{
    const std::string picture = Folder() + "big.bmp";
    WritePage("big.lcd", "[MAINWINDOW]\r\nbkimage=" + picture + "\r\n[INFO]\r\nTOTAL=2\r\n"
                         "0=0,10,10,60,50,BITMAP,big.bmp,0,0\r\n1=0,80,10,32,32,ICON,,0,1\r\n"
                         "[DADOS]\r\n1,t=2\r\n1,1=Icon File:|{big.bmp}|0\r\n");
    for (const long long size : {MaxPictureFileBytes, MaxPictureFileBytes + 1}) {
        SCOPED_TRACE(size);
        const bool shown = size == MaxPictureFileBytes;
        // A picture padded with zeros: the file is sparse, made at no cost.
        testsupport::WriteFile(picture, testsupport::ReadFile(SamplePages() + "backdrop.bmp"));
        std::filesystem::resize_file(picture, static_cast<std::uintmax_t>(size));
        std::vector<std::string> reported;
        controltest::MessageBoxWatcher watcher;
        CSkinDialog page;
        page.SetLoadReport([&reported](const CString& line) { reported.push_back(line.GetString()); });
        page.ShowPage(Folder().c_str(), "big.lcd", 0, 0);
        EXPECT_TRUE(watcher.Stop().empty());
        EXPECT_EQ(page.Background().HasPicture(), shown);
        // One line for each picture that was too large: the background, the BITMAP and the ICON.
        EXPECT_EQ(reported, std::vector<std::string>(shown ? 0 : 3, OversizedPictureLine(picture.c_str()).GetString()));
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
