// The page viewer end to end: pages loaded into kelrun's page window by the
// real program, read back through its listing (from inside the process:
// records, window facts, fonts) and through the UI driver (from outside).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/test_support_win.h"
#include "tools/pageview/tests/viewer_run_win.h"
#include "tools/uidriver/uidriver.h"
#include "uninstaller/skin/placement.h"

namespace {

using namespace viewertest;

constexpr DWORD kWindowTimeoutMs = 20000;

std::string RectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

Listing ListSample(const std::string& pageFile)
{
    const ViewerRun run = RunViewer({"--list", pageFile}, SamplePages());
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0);
    return ReadListing(run.lines);
}

// A page of the window keys given, written into `folder`.
std::string WritePage(const std::string& folder, const std::string& name, const std::string& windowKeys,
                      const std::string& rest = "")
{
    const std::string path = folder + "\\" + name;
    testsupport::WriteFile(path, "[MAINWINDOW]\r\n" + windowKeys + rest);
    return path;
}

struct ExpectedControl {
    const char* idName;
    const char* kind;
    int kindIndex;
    const char* className;
    unsigned long style;
    unsigned long exStyle;
    const char* registered;  // left,top,right,bottom
    const char* text;
    const char* font;  // face,height,weight,italic,underline
};

void ExpectControl(const Listing& listing, const ExpectedControl& expected)
{
    SCOPED_TRACE(expected.idName);
    const ListedControl* control = listing.ByIdName(expected.idName);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, expected.kind);
    EXPECT_EQ(control->kindIndex, expected.kindIndex);
    EXPECT_EQ(control->className, expected.className);
    // A rich edit drops its scroll bar's style bit while it has nothing to scroll.
    const unsigned long ignored = control->kind == "RICHTEXT" ? WS_VSCROLL : 0;
    EXPECT_EQ(control->style & ~ignored, expected.style & ~ignored) << std::hex << control->style;
    EXPECT_EQ(control->exStyle, expected.exStyle) << std::hex << control->exStyle;
    EXPECT_EQ(RectText(control->registered), expected.registered);
    EXPECT_EQ(control->text, expected.text);
    EXPECT_EQ(control->font, expected.font);
}

TEST(PageViewTest, EveryKindIsMadeAsItsInfoLineAndPropertiesSay)
{
    const Listing listing = ListSample("all_kinds.lcd");
    ASSERT_TRUE(listing.found);
    EXPECT_EQ(listing.page.controls, 24);
    EXPECT_EQ(listing.page.font, "Tahoma,-12,400,0,0");  // fontsize 9, bold and italic "No"

    // Page font controls carry the page's Tahoma 9; texts and buttons their rows' fonts.
    const char* page = "Tahoma,-12,400,0,0";
    const ExpectedControl expected[] = {
        {"IDC_TITLE", "TEXT", 3, "Static", 0x50000000, 0, "20,20,320,46", "Remove ", "Arial,-19,700,0,0"},
        {"IDC_INFO", "TEXT", 2, "Static", 0x50000000, 0, "20,50,320,90",
         "Red words on white, wrapped at word boundaries and aligned to the left.", "Times New Roman,-13,400,0,0"},
        {"IDC_LINK", "TEXT", 1, "Static", 0x50000000, 0, "20,95,220,113", "www.example.com", "Tahoma,-12,400,0,1"},
        // 20 x 8: below the width limit but not below TEXT's height limit of 8.
        {"IDC_TINY", "TEXT", 0, "Static", 0x50000000, 0, "20,118,40,126", "T", "Tahoma,-9,400,0,0"},
        // Pictures at their pictures' sizes (JPEG 40 x 30, GIF 33 x 21); a
        // missing one keeps its line's 60 x 50.
        {"IDB_BITMAP3", "BITMAP", 2, "Static", 0x5000020E, 0, "330,20,370,50", "", "-"},
        {"IDC_HOVER2", "HOVER", 1, "Static", 0x5000020E, 0, "380,20,413,41", "", "-"},
        {"IDB_BITMAP1", "BITMAP", 0, "Static", 0x5000020E, 0, "430,20,490,70", "", "-"},
        {"IDC_RECT1", "RECT", 0, "Static", 0x50000000, 0, "20,140,170,200", "", "-"},
        {"IDC_GROUPBOX1", "GROUPBOX", 0, "Button", 0x50000007, 0, "180,130,330,200", "Options", page},
        {"IDC_ACCEPTLICENSE", "RADIO", 0, "Button", 0x50010004, 0, "190,150,320,168", "I accept", page},
        {"IDC_KEEPSETTINGS", "CHECKBOX", 0, "Button", 0x50000002, 0, "190,172,320,190", "Keep my settings", page},
        // An icon is 32 x 32 whatever its line says (100 x 100 here).
        {"IDC_ICON2", "ICON", 1, "Static", 0x50000203, 0, "340,90,372,122", "", "-"},
        {"IDC_ICON1", "ICON", 0, "Static", 0x50000203, 0, "390,90,422,122", "", "-"},
        {"IDC_INSTALLDIR", "TEXTBOX", 0, "Edit", 0x50010004, WS_EX_CLIENTEDGE, "20,210,220,232", "", page},
        {"IDC_PROGRESS1", "PROGRESS", 0, "msctls_progress32", 0x50000000, 0, "20,240,330,258", "", "-"},
        {"IDC_TREEVIEW1", "TREEVIEW", 0, "SysTreeView32", 0x50000002, WS_EX_CLIENTEDGE, "340,135,500,200", "", page},
        {"IDC_LICENSE", "RICHTEXT", 0, "RICHEDIT", 0x50201004, WS_EX_CLIENTEDGE, "20,265,220,315", "", "-"},
        // "Style" 1 gives the list view its thin border.
        {"IDC_LISTVIEW1", "LISTVIEW", 0, "Static", 0x50800000, WS_EX_CLIENTEDGE, "230,265,330,315", "ListView1", "-"},
        {"IDC_FRAME1", "FRAME", 0, "Static", 0x50000000, 0, "340,210,500,270", "", "-"},
        {"IDC_ANIMATION1", "ANIMATION", 0, "Static", 0x50800000, 0, "20,325,170,345", "Animation Box 1", page},
        {"IDC_HOTSPOT1", "HOTSPOT", 0, "Static", 0x50800000, 0, "180,325,220,345", "", "-"},
        // 5 x 5 is too small to press: 90 x 25. Disabled on the first page;
        // its caption's brackets become angle brackets.
        {"IDC_BACK", "BUTTON", 1, "Button", 0x50010000 | WS_DISABLED, 0, "300,340,390,365", "<Back>", page},
        {"IDC_NEXT", "BUTTON", 0, "Button", 0x50010000 | BS_DEFPUSHBUTTON, 0, "400,340,490,365", "Next >",
         "Verdana,-13,700,1,0"},
    };
    for (const ExpectedControl& control : expected)
        ExpectControl(listing, control);
}

TEST(PageViewTest, ControlIdsRunFrom3000InReverseInfoOrderAndWindowsSitWhereRegistered)
{
    const Listing listing = ListSample("all_kinds.lcd");
    ASSERT_EQ(listing.controls.size(), 24u);
    for (std::size_t record = 0; record < listing.controls.size(); ++record) {
        const ListedControl& control = listing.controls[record];
        SCOPED_TRACE(control.idName);
        EXPECT_EQ(control.record, static_cast<int>(record));
        EXPECT_EQ(control.id, 3000 + 23 - static_cast<int>(record));
        // The combo box's window is its drop-down list; the page registers
        // its selection field plus 9.
        if (control.kind == "COMBOBOX") {
            EXPECT_EQ(RectText(control.window).substr(0, 8), "230,210,");
            EXPECT_GT(control.registered.bottom, control.registered.top + 9);
            EXPECT_LT(control.registered.bottom, 210 + 200);
        } else {
            EXPECT_EQ(RectText(control.window), RectText(control.registered));
        }
    }
}

TEST(PageViewTest, TheProgressBarIsFoundByItsNameAndClosingThePageEndsTheViewer)
{
    const Listing listing = ListSample("all_kinds.lcd");
    const ListedControl* progress = listing.ByIdName("IDC_PROGRESS1");
    ASSERT_NE(progress, nullptr);

    uidriver::Process viewer;
    ASSERT_TRUE(viewer.Start(uidriver::BuildCommandLine({ViewerProgram(), "all_kinds.lcd"}), SamplePages()));
    uidriver::WindowQuery query;
    query.processId = viewer.Id();
    query.className = "#32770";
    query.caption = "Viewer of <Sample> pages";
    const HWND page = uidriver::WaitForTopLevel(query, kWindowTimeoutMs);
    ASSERT_NE(page, nullptr);
    const HWND bar = uidriver::WaitForChildById(page, progress->id, kWindowTimeoutMs);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(uidriver::GetClassNameOf(bar), "msctls_progress32");
    EXPECT_EQ(uidriver::ListChildren(page).size(), 24u);
    // The page has its own taskbar button although its owner is never shown.
    EXPECT_NE(::GetWindowLongA(page, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_TRUE(::IsWindowVisible(::GetWindow(page, GW_OWNER)) == FALSE);

    ::PostMessageA(page, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(viewer.WaitForExit(kWindowTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(PageViewTest, EnterLeavesThePageUpAndEscapeEndsTheViewer)
{
    // No default button: without the page's filter the dialog manager ends
    // the dialog on Enter, which hides the page.
    testsupport::ScratchFolder folder("pageview-keys");
    const std::string path = WritePage(folder.Path(), "keys.lcd", "caption=Keys\r\nborder=1\r\nwidth=300\r\nheight=200\r\n",
                                       "[INFO]\r\nTOTAL=2\r\n"
                                       "0=0,20,20,120,24,BUTTON,,0,0\r\n"
                                       "1=0,20,60,200,22,TEXTBOX,,0,1\r\n"
                                       "[DADOS]\r\n0,t=2\r\n0,0=ID|IDC_OTHER|0\r\n0,1=Caption|Other|0\r\n"
                                       "1,t=1\r\n1,0=ID|IDC_NAME|0\r\n");
    uidriver::Process viewer;
    ASSERT_TRUE(viewer.Start(uidriver::BuildCommandLine({ViewerProgram(), path}), folder.Path()));
    uidriver::WindowQuery query;
    query.processId = viewer.Id();
    query.className = "#32770";
    query.caption = "Keys";
    const HWND page = uidriver::WaitForTopLevel(query, kWindowTimeoutMs);
    ASSERT_NE(page, nullptr);
    for (const int id : {3000, 3001}) {
        SCOPED_TRACE(id);
        const HWND target = uidriver::WaitForChildById(page, id, kWindowTimeoutMs);
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(uidriver::PressKey(target, VK_RETURN));
        ::Sleep(500);
        EXPECT_TRUE(viewer.IsRunning());
        EXPECT_TRUE(uidriver::IsVisible(page));
    }
    ASSERT_TRUE(uidriver::PressKey(page, VK_ESCAPE));
    DWORD exitCode = 1;
    ASSERT_TRUE(viewer.WaitForExit(kWindowTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(PageViewTest, WindowKeysSwitchTheFrameBits)
{
    struct StyleCase {
        const char* keys;
        DWORD on;
        DWORD off;
    } const cases[] = {
        // border 0 (or none) takes the thin border off: no title bar.
        {"border=0\r\n", WS_DLGFRAME, WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
        {"", WS_DLGFRAME, WS_BORDER},
        {"border=1\r\n", WS_CAPTION, 0},
        {"border=7\r\n", WS_CAPTION, 0},  // 2 to 9 keep the template's captioned frame
        {"border=1\r\ncloseWindow=Yes\r\n", WS_SYSMENU, 0},
        {"border=1\r\nclosewindow=yes\r\n", 0, WS_SYSMENU},  // exactly "Yes" only
        {"border=1\r\nminwindow=Yes\r\nmaxwindow=Yes\r\n", WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
        {"border=1\r\nminwindow=YES\r\nmaxwindow=no\r\n", 0, WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
    };
    testsupport::ScratchFolder folder("pageview-styles");
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.keys);
        const std::string page = WritePage(folder.Path(), "style.lcd", std::string("caption=Styles\r\n") + c.keys);
        const ViewerRun run = RunViewer({"--list", page}, folder.Path());
        const Listing listing = ReadListing(run.lines);
        ASSERT_TRUE(listing.found);
        EXPECT_EQ(listing.page.style & c.on, c.on) << std::hex << listing.page.style;
        EXPECT_EQ(listing.page.style & c.off, 0u) << std::hex << listing.page.style;
        EXPECT_EQ(listing.page.exStyle & WS_EX_APPWINDOW, static_cast<unsigned long>(WS_EX_APPWINDOW));
    }
}

TEST(PageViewTest, StartupPlacesTheWindowOrLeavesIt)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    // The prefix's desktop has a taskbar: the work area is not the screen.
    PlacementScreen screen = WholeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    screen.workArea = ScreenRect{work.left, work.top, work.right, work.bottom};
    testsupport::ScratchFolder folder("pageview-placement");

    std::vector<RECT> unmoved;
    for (const char* startup : {"0", "2", "3", "4", "5", "x1", "", "1", "6", "10"}) {
        SCOPED_TRACE(std::string("startup ") + startup);
        const std::string page = WritePage(folder.Path(), "placed.lcd",
                                           std::string("border=1\r\nwidth=400\r\nheight=300\r\nstartup=") +
                                               startup + "\r\n");
        const Listing listing = ReadListing(RunViewer({"--list", page}, folder.Path()).lines);
        ASSERT_TRUE(listing.found);
        const RECT& window = listing.page.window;
        const PagePlacement expected =
            PlacePage(startup, 400, 300, metrics.iCaptionHeight, screen, ScreenRect{0, 0, 1, 1});
        if (!expected.move) {
            unmoved.push_back(window);
            EXPECT_NE(window.right - window.left, 400);
            continue;
        }
        EXPECT_EQ(window.left, expected.left);
        EXPECT_EQ(window.top, expected.top);
        EXPECT_EQ(window.right - window.left, 400);
        EXPECT_EQ(window.bottom - window.top, metrics.iCaptionHeight < 25 ? 300 - (25 - metrics.iCaptionHeight) : 300);
    }
    // Not moved and not resized: where and how big the template made it.
    ASSERT_EQ(unmoved.size(), 3u);
    EXPECT_EQ(RectText(unmoved[1]), RectText(unmoved[0]));
    EXPECT_EQ(RectText(unmoved[2]), RectText(unmoved[0]));
}

TEST(PageViewTest, APageBeyondEveryTableReportsWhatItLeftOut)
{
    const ViewerRun run = RunViewer({"--list", "over_limits.lcd"}, SamplePages());
    EXPECT_EQ(run.exitCode, 0);
    const Listing listing = ReadListing(run.lines);
    const std::vector<std::string> expected = {
        "INFO key 15: the page has 15 BUTTON controls already; the control is left out",
        "INFO key 16: \"WIDGET\" is no control kind; the line creates nothing",
        "INFO key 72: the page has 70 controls already; the control is left out",
        "INFO key 73: the page has 70 controls already; the control is left out",
        "INFO key 74: the page has 70 controls already; the control is left out",
        "DADOS key 0,20 (INFO key 0): the control has 20 properties already; the property is left out",
        "DADOS key 0,21 (INFO key 0): the control has 20 properties already; the property is left out",
    };
    EXPECT_EQ(listing.other, expected);
    EXPECT_EQ(listing.page.controls, 70);
    ASSERT_EQ(listing.controls.size(), 70u);
    EXPECT_EQ(listing.controls.front().idName, "IDC_FIRST");
    // Key 71, the 70th kept, is made first: slot 0 of the frames, id 3000.
    EXPECT_EQ(listing.controls.back().idName, "IDC_FRAME1");
    EXPECT_EQ(listing.controls.back().id, 3000);
}

TEST(PageViewTest, APageWithinTheTablesPrintsNothing)
{
    const ViewerRun run = RunViewer({"--list", "all_kinds.lcd"}, SamplePages());
    EXPECT_TRUE(ReadListing(run.lines).other.empty());
}

TEST(PageViewTest, AMissingPageFileGivesAnEmptyWindowAndNoMessage)
{
    const ViewerRun listed = RunViewer({"--list", "no_such_page.lcd"}, SamplePages());
    EXPECT_EQ(listed.exitCode, 0);
    const Listing listing = ReadListing(listed.lines);
    ASSERT_TRUE(listing.found);
    EXPECT_TRUE(listing.other.empty());
    EXPECT_EQ(listing.page.controls, 0);
    EXPECT_EQ(listing.page.caption, "");
    // Empty settings: no thin border, no boxes; and the page font is bold
    // and italic, as missing font switches say.
    EXPECT_EQ(listing.page.style & (WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(listing.page.font.find(",700,1,0"), std::string::npos) << listing.page.font;

    uidriver::Process viewer;
    ASSERT_TRUE(viewer.Start(uidriver::BuildCommandLine({ViewerProgram(), "no_such_page.lcd"}), SamplePages()));
    uidriver::WindowQuery query;
    query.processId = viewer.Id();
    query.className = "#32770";
    const HWND page = uidriver::WaitForTopLevel(query, kWindowTimeoutMs);
    ASSERT_NE(page, nullptr);
    uidriver::MessageBoxInfo box;
    EXPECT_FALSE(uidriver::WaitForMessageBox(viewer.Id(), 1500, &box)) << box.text;
    EXPECT_TRUE(uidriver::ListChildren(page).empty());
    ::PostMessageA(page, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(viewer.WaitForExit(kWindowTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(PageViewTest, WithoutAPageFileItPrintsItsUsage)
{
    const ViewerRun run = RunViewer({}, SamplePages());
    EXPECT_EQ(run.exitCode, 2);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0], "usage: pageview.exe [--list] PAGEFILE [language.lan]");
}

}  // namespace
