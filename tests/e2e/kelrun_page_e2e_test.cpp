// kelrun end to end with its uninstall page: the page during the removal and
// at completion, its keys, its clicks on every control, the licence and
// scope pairs, the folder browse, and silent runs that show the page.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/kelrun_e2e_support_win.h"
#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using namespace testsupport;
using namespace kelrune2e;

constexpr DWORD kPageTimeoutMs = 30000;

// One control of a test page: its INFO line's place and kind, and its
// properties in DADOS order ("Name|Value").
struct PageControlSpec {
    int x, y, width, height;
    std::string kind;
    std::vector<std::string> properties;
    std::string image;  // field 6 of the INFO line
};

std::string PageFile(const std::string& windowKeys, const std::vector<PageControlSpec>& controls)
{
    std::string page = "[MAINWINDOW]\r\ncaption=Removing [ProductName] [beta]\r\nborder=1\r\nstartup=0\r\n"
                       "width=480\r\nheight=320\r\nfontname=Tahoma\r\nfontsize=9\r\nfontbold=No\r\nfontitalic=No\r\n" +
                       windowKeys + "[INFO]\r\nTOTAL=" + std::to_string(controls.size()) + "\r\n";
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const PageControlSpec& c = controls[i];
        page += std::to_string(i) + "=0," + std::to_string(c.x) + "," + std::to_string(c.y) + "," +
                std::to_string(c.width) + "," + std::to_string(c.height) + "," + c.kind + "," + c.image + ",0," +
                std::to_string(i) + "\r\n";
    }
    page += "[DADOS]\r\n";
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::string n = std::to_string(i);
        page += n + ",t=" + std::to_string(controls[i].properties.size()) + "\r\n";
        for (std::size_t p = 0; p < controls[i].properties.size(); ++p)
            page += n + "," + std::to_string(p) + "=" + controls[i].properties[p] + "|0\r\n";
    }
    return page;
}

// The progress page every test starts from: status texts, the bar, Back,
// Next (the default button) and Cancel.
std::vector<PageControlSpec> ProgressControls()
{
    return {
        {20, 20, 440, 20, "TEXT", {"ID|IDC_INFO", "Caption|Preparing..."}, ""},
        {20, 50, 440, 18, "PROGRESS", {"ID|IDC_PROGRESS1"}, ""},
        {20, 80, 440, 40, "TEXT", {"ID|IDC_STATIC1", "Caption|"}, ""},
        {180, 250, 80, 24, "BUTTON", {"ID|IDC_BACK", "Caption|< Back"}, ""},
        {270, 250, 80, 24, "BUTTON", {"ID|IDC_NEXT", "Caption|Next >"}, ""},
        {370, 250, 80, 24, "BUTTON", {"ID|IDCANCEL", "Caption|Cancel"}, ""},
    };
}

const char kLanguage[] =
    "[SetupProgress]\r\n10=All of <ProductName> is gone.\r\n"
    "[SetupCompleteSuccess]\r\n1=Close\r\n5=Thank you for using [ProductName].\r\n";

// A plain message send that crosses processes (no pointers).
LRESULT SendPlain(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

// The page of a kelrun run and its controls by id name, as the page file
// numbers them: ids from 3000, the last INFO line first.
class PageRun {
public:
    PageRun(Product& product, const std::string& arguments, std::size_t controlCount)
        : run_(arguments + " " + product.Code()), controlCount_(controlCount)
    {
    }

    KelrunRun& Run() { return run_; }

    // Waits for the page; with /R answers the question first.
    bool WaitForPage(bool answerQuestion)
    {
        if (answerQuestion) {
            uidriver::MessageBoxInfo question = run_.NextBox();
            if (!question.window || !run_.Answer(question, IDYES))
                return false;
        }
        uidriver::WindowQuery query;
        query.processId = run_.Id();
        query.className = "#32770";
        query.caption = "Removing Sample Page <beta>";
        page_ = uidriver::WaitForTopLevel(query, kPageTimeoutMs);
        return page_ && uidriver::WaitForChildById(page_, 3000, kPageTimeoutMs) != nullptr;
    }

    HWND Page() const { return page_; }
    // The control of INFO line `index`.
    HWND Control(std::size_t index) const
    {
        return ::GetDlgItem(page_, 3000 + static_cast<int>(controlCount_ - 1 - index));
    }
    // The pages of the run that are shown.
    std::vector<HWND> ShownPages() const
    {
        uidriver::WindowQuery query;
        query.processId = run_.Id();
        query.className = "#32770";
        query.caption = "Removing Sample Page <beta>";
        return uidriver::FindAllTopLevel(query);
    }

private:
    KelrunRun run_;
    std::size_t controlCount_;
    HWND page_ = nullptr;
};

// A removal program that takes a few seconds: the page can be looked at
// while the removal waits for it.
class SlowRemoval {
public:
    // `delayMs`: how long the removal program holds the removal up, long
    // enough for the test to look at the page meanwhile.
    explicit SlowRemoval(Product& product, const char* delayMs = "4000")
        : scratch_("slow"),
          recordTo_("KELRUN_RECORD_FILE", scratch_.Path() + "\\records.txt"),
          delay_("KELRUN_RECORD_DELAY_MS", delayMs)
    {
        ::CopyFileA(HelperProgram("record_run.exe"), (product.InstallFolder() + "\\slow.exe").c_str(), FALSE);
    }
    static std::string LogLines() { return "RUN3RD=slow.exe\r\nRUN3RDCMD=slow.exe\r\n"; }
    // True once the removal program has started: the removal waits for it.
    bool WaitUntilRunning() const
    {
        return WaitUntil([&] { return !ReadLines(scratch_.Path() + "\\records.txt").empty(); }, 20000);
    }

private:
    ScratchFolder scratch_;
    ScopedEnvironment recordTo_;
    ScopedEnvironment delay_;
};

void ExpectText(HWND control, const std::string& text)
{
    SCOPED_TRACE("text of control " + std::to_string(::GetDlgCtrlID(control)));
    EXPECT_TRUE(WaitUntil([&] { return uidriver::GetText(control) == text; }, 10000))
        << "shows [" << uidriver::GetText(control) << "], expected [" << text << "]";
}

// Waits for the completion state: the cancel control enabled with its caption.
bool WaitForCompletion(HWND cancel, const std::string& caption = "Close")
{
    return WaitUntil([&] { return uidriver::IsEnabled(cancel) && uidriver::GetText(cancel) == caption; },
                     kExitTimeoutMs);
}

TEST(KelrunPageE2E, AWholeUninstallShowsProgressAndCompletesOnThePage)
{
    Product product("page-run");
    product.Register("Sample Page");
    const std::string a = product.File("a.txt");
    const std::string b = product.File("b.txt");
    SlowRemoval slow(product);
    // A count above 16 bits: the bar's range is the whole count.
    product.WriteLog("TOTALFILE=70000\r\nFILE=" + a + "\r\nFILE=" + b + "\r\n" + SlowRemoval::LogLines() +
                     "REMOVEALL=1\r\n");
    product.WriteLanguage(kLanguage);
    // A background picture drawn when the tests were built.
    product.WritePage(PageFile("bkimage=" + WindowsPathOf(E2E_PAGE_PICTURE) + "\r\n", ProgressControls()));

    PageRun run(product, "/R", 6);
    ASSERT_TRUE(run.WaitForPage(true));
    HWND info = run.Control(0);
    HWND bar = run.Control(1);
    HWND status = run.Control(2);
    HWND back = run.Control(3);
    HWND next = run.Control(4);
    HWND cancel = run.Control(5);
    EXPECT_EQ(uidriver::GetClassNameOf(bar), "msctls_progress32");

    // While the removal runs: the range is set, the status is the removal's,
    // and Back, Next and Cancel cannot be pressed.
    ASSERT_TRUE(slow.WaitUntilRunning());
    int low = -1;
    int high = -1;
    EXPECT_TRUE(WaitUntil([&] { return uidriver::GetProgressRange(bar, &low, &high) && high == 70000; }, 10000));
    EXPECT_EQ(low, 0);
    ExpectText(info, "Removing Files...");
    EXPECT_FALSE(uidriver::IsEnabled(back));
    EXPECT_FALSE(uidriver::IsEnabled(next));
    EXPECT_FALSE(uidriver::IsEnabled(cancel));
    EXPECT_EQ(uidriver::GetText(cancel), "Cancel");

    // At the end: the final status and position exactly, the completion
    // texts, and the cancel control enabled with its new caption.
    ASSERT_TRUE(WaitForCompletion(cancel));
    EXPECT_EQ(uidriver::GetProgressPos(bar), 70000);
    ASSERT_TRUE(uidriver::GetProgressRange(bar, &low, &high));
    EXPECT_EQ(high, 70000);
    ExpectText(info, "All of Sample Page is gone.");
    ExpectText(status, "Thank you for using Sample Page.");
    EXPECT_FALSE(PathExists(a));
    EXPECT_FALSE(PathExists(product.InstallFolder()));
    EXPECT_FALSE(product.KeyExists());
    EXPECT_TRUE(run.Run().IsRunning());

    ASSERT_TRUE(uidriver::Click(cancel));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

TEST(KelrunPageE2E, EnterDoesNothingAndEscapeEndsOnlyThroughAnEnabledCancel)
{
    Product product("page-keys");
    product.Register("Sample Page");
    SlowRemoval slow(product);
    product.WriteLog("TOTALFILE=1\r\nFILE=" + product.File("a.txt") + "\r\n" + SlowRemoval::LogLines());
    product.WriteLanguage(kLanguage);
    // A text box as well: Enter in an edit box goes to the default button.
    std::vector<PageControlSpec> controls = ProgressControls();
    controls.push_back({20, 150, 200, 22, "TEXTBOX", {"ID|IDC_NAME"}, ""});
    product.WritePage(PageFile("", controls));

    PageRun run(product, "/I", controls.size());
    ASSERT_TRUE(run.WaitForPage(false));
    HWND next = run.Control(4);
    HWND cancel = run.Control(5);
    HWND edit = run.Control(6);
    ASSERT_TRUE(slow.WaitUntilRunning());
    // During the removal, with the cancel control disabled: nothing at all.
    for (HWND target : {run.Page(), next, edit}) {
        ASSERT_TRUE(uidriver::PressKey(target, VK_RETURN));
        ASSERT_TRUE(uidriver::PressKey(target, VK_ESCAPE));
    }
    ::Sleep(500);
    EXPECT_TRUE(run.Run().IsRunning());
    EXPECT_TRUE(uidriver::IsVisible(run.Page()));

    ASSERT_TRUE(WaitForCompletion(cancel));
    // At completion Enter still does nothing: Next is the default button,
    // and pressing it would open the page again and hide this one.
    for (HWND target : {run.Page(), next, edit}) {
        SCOPED_TRACE(uidriver::GetClassNameOf(target));
        ASSERT_TRUE(uidriver::PressKey(target, VK_RETURN));
        ::Sleep(300);
        EXPECT_TRUE(uidriver::IsVisible(run.Page()));
        EXPECT_EQ(run.ShownPages().size(), 1u);
    }
    EXPECT_TRUE(run.Run().IsRunning());
    // Escape does what the enabled cancel control does: the end.
    ASSERT_TRUE(uidriver::PressKey(edit, VK_ESCAPE));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

TEST(KelrunPageE2E, ThePageOfASilentRunEndsByItselfWithoutABox)
{
    const struct {
        const char* name;
        bool holdAFile;
        long long exitCode;
    } cases[] = {{"silent-page", false, 0}, {"silent-page-restart", true, 3010}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Product product(c.name);
        product.Register("Sample Page");
        const std::string a = product.File("a.txt");
        const std::string held = product.File("held.txt");
        SlowRemoval slow(product);
        product.WriteLog("TOTALFILE=2\r\nFILE=" + a + "\r\nFILE=" + held + "\r\n" + SlowRemoval::LogLines());
        product.WriteLanguage(kLanguage);
        // Pictures that are not there: neither the background nor the
        // picture control may ask anything.
        std::vector<PageControlSpec> controls = ProgressControls();
        controls.push_back({300, 120, 100, 80, "BITMAP", {"ID|IDB_LOGO", "Image|{missing.bmp}"}, "{missing.bmp}"});
        product.WritePage(PageFile("bkimage=C:\\no such folder\\back.bmp\r\n", controls));
        std::unique_ptr<HeldFile> holder;
        if (c.holdAFile)
            holder = std::make_unique<HeldFile>(held);

        PageRun run(product, "/S", controls.size());
        ASSERT_TRUE(run.WaitForPage(false));
        ASSERT_TRUE(slow.WaitUntilRunning());
        EXPECT_TRUE(uidriver::IsVisible(run.Page()));
        // Nothing waits for a click: the run ends by itself, boxless.
        uidriver::MessageBoxInfo box;
        const bool boxShown = uidriver::WaitForMessageBox(run.Run().Id(), 100, &box);
        EXPECT_EQ(run.Run().ExitCode(), c.exitCode);
        EXPECT_FALSE(boxShown) << box.text;
        EXPECT_FALSE(PathExists(a));
        EXPECT_FALSE(product.KeyExists());
    }
}

TEST(KelrunPageE2E, EveryControlOfAFullPageAnswersItsClick)
{
    Product product("page-40");
    product.Register("Sample Page");
    product.WriteLog("TOTALFILE=1\r\nFILE=" + product.File("a.txt") + "\r\n");
    product.WriteLanguage(kLanguage);
    // INFO key 0 is made last: with 40 controls its id is 3039.
    std::vector<PageControlSpec> controls = {{370, 250, 80, 24, "BUTTON", {"ID|IDCANCEL", "Caption|Cancel"}, ""}};
    // Fifteen a kind at most: texts, rectangles and hot spots.
    const char* const kinds[] = {"TEXT", "RECT", "HOTSPOT"};
    for (int i = 1; i < 40; ++i)
        controls.push_back({10 + (i % 8) * 55, 10 + (i / 8) * 30, 50, 20, kinds[(i - 1) / 15], {"Caption|t"}, ""});
    product.WritePage(PageFile("", controls));

    PageRun run(product, "/I", controls.size());
    ASSERT_TRUE(run.WaitForPage(false));
    HWND cancel = run.Control(0);
    ASSERT_EQ(::GetDlgCtrlID(cancel), 3039);
    ASSERT_TRUE(WaitForCompletion(cancel));
    ASSERT_TRUE(uidriver::Click(cancel));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

// A page closed before the removal has started cancels the run: nothing is
// removed, the Uninstall key stays, and the exit code and the report say so.
// The removal starts half a second after the page is shown: a close that a
// busy machine delays past it ends the run after it, and is tried again.
TEST(KelrunPageE2E, ClosingThePageBeforeTheRemovalStartsCancelsTheRun)
{
    for (int attempt = 1;; ++attempt) {
        Product product("page-early-close");
        product.Register("Sample Page");
        const std::string a = product.File("a.txt");
        product.WriteLog("TOTALFILE=1\r\nFILE=" + a + "\r\n");
        product.WritePage(PageFile("closewindow=Yes\r\n", ProgressControls()));
        PageRun run(product, "/R", 6);
        ASSERT_TRUE(run.WaitForPage(true));
        ASSERT_TRUE(::PostMessageA(run.Page(), WM_SYSCOMMAND, SC_CLOSE, 0));  // the close box
        const long long exitCode = run.Run().ExitCode();
        if (PathExists(a) || attempt == 3) {
            EXPECT_EQ(exitCode, 1602);
            EXPECT_TRUE(PathExists(a));
            EXPECT_TRUE(product.KeyExists());
            EXPECT_TRUE(HasLine(product.Report(), "The page was closed before the removal started: the user "
                                                  "cancelled, nothing was removed."));
            EXPECT_EQ(product.Report().back(), "Exit code: 1602 (the user cancelled: nothing was removed)");
            return;
        }
    }
}

// Next during the removal opens the page anew and ends the one clicked: the
// new page shows where the run stands, then its completion; the ended one
// goes with all it holds; a cancel control that is no button is disabled
// during the run. The probe that holds the removal up reads the error mode.
TEST(KelrunPageE2E, PagesOpenedDuringTheRemovalShowItAndEndedPagesGo)
{
    Product product("page-next");
    product.Register("Sample Page");
    const std::string probe = product.InstallFolder() + "\\probe";
    ScopedEnvironment probeFile("KELRUN_PROBE_FILE", probe);
    ::CopyFileA(WindowsPathOf(KELRUN_PROBE_LIBRARY).c_str(), (probe + ".dll").c_str(), FALSE);
    product.WriteLog("TOTALFILE=4\r\nFILE=C:\\gone\\1\r\nFILE=C:\\gone\\2\r\nFILE=C:\\gone\\3\r\n"
                     "RUN3RD=probe.dll\r\nRUN3RDCMD=HoldRemoval\r\n");  // held at 2 of 4
    product.WriteLanguage(kLanguage);
    std::vector<PageControlSpec> controls = ProgressControls();
    controls[5] = {370, 250, 80, 24, "TEXT", {"ID|IDCANCEL", "Caption|Cancel"}, ""};
    // Accepting the licence enables Next, also during the removal.
    controls.push_back({20, 150, 100, 20, "RADIO", {"ID|IDC_ACCEPTLICENSE", "Text|Accept"}, ""});
    product.WritePage(PageFile("bkimage=" + WindowsPathOf(E2E_PAGE_PICTURE) + "\r\n", controls));

    PageRun run(product, "/I", controls.size());
    ASSERT_TRUE(run.WaitForPage(false));
    std::string mode;
    ASSERT_TRUE(WaitUntil([&] { return !(mode = ReadFile(probe)).empty(); }, 20000));
    const unsigned long noBoxes = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(std::stoul(mode) & noBoxes, noBoxes) << mode;
    HWND page = run.Page();
    const auto control = [&](int index) { return ::GetDlgItem(page, 3006 - index); };  // of INFO line `index`
    // Wine makes a few objects of its own for the first pages, and a few more
    // now and then; a page left behind would leave 200 times its objects.
    int before = 0;
    for (int round = 0; round < 210; ++round) {
        if (round == 10)
            before = controltest::GdiObjectCount(run.Run().Handle());
        SendPlain(control(6), BM_CLICK);
        SendPlain(control(4), BM_CLICK);
        const std::vector<HWND> shown = run.ShownPages();
        ASSERT_TRUE(shown.size() == 1 && shown[0] != page) << shown.size() << " pages shown";
        page = shown[0];
    }
    EXPECT_TRUE(WaitUntil([&] { return controltest::GdiObjectCount(run.Run().Handle()) <= before + 50; }, 5000));
    int low = 0;
    int high = 0;
    EXPECT_TRUE(WaitUntil([&] { return uidriver::GetProgressRange(control(1), &low, &high) && high == 4 &&
                                       uidriver::GetProgressPos(control(1)) == 2; }, 5000));
    ExpectText(control(0), "Removing Files...");
    EXPECT_FALSE(uidriver::IsEnabled(control(5)));  // so Escape ends nothing
    ::DeleteFileA(probe.c_str());
    ASSERT_TRUE(WaitForCompletion(control(5)));
    EXPECT_EQ(uidriver::GetProgressPos(control(1)), 4);
    ASSERT_TRUE(uidriver::PressKey(page, VK_ESCAPE));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

bool IsChecked(HWND button)
{
    return SendPlain(button, BM_GETCHECK) == BST_CHECKED;
}

TEST(KelrunPageE2E, TheLicenceAndScopePairsCheckOneOfTwo)
{
    Product product("page-radios");
    product.Register("Sample Page");
    product.WriteLog("TOTALFILE=1\r\nFILE=" + product.File("a.txt") + "\r\n");
    product.WriteLanguage(kLanguage);
    std::vector<PageControlSpec> controls = ProgressControls();
    for (const char* name : {"IDC_ACCEPTLICENSE", "IDC_NOTACCEPTLICENSE", "IDC_ANYONE", "IDC_ONLYFORME"})
        controls.push_back({20 + static_cast<int>(controls.size() - 6) * 110, 150, 100, 20, "RADIO",
                            {std::string("ID|") + name, std::string("Text|") + name}, ""});
    // A check box is no pair: its click goes to the main window, which does
    // nothing with it.
    controls.push_back({20, 190, 120, 20, "CHECKBOX", {"ID|IDC_KEEP", "Text|Keep"}, ""});
    product.WritePage(PageFile("", controls));

    PageRun run(product, "/I", controls.size());
    ASSERT_TRUE(run.WaitForPage(false));
    HWND next = run.Control(4);
    HWND cancel = run.Control(5);
    HWND accept = run.Control(6);
    HWND decline = run.Control(7);
    HWND anyone = run.Control(8);
    HWND onlyMe = run.Control(9);
    HWND keep = run.Control(10);
    ASSERT_TRUE(WaitForCompletion(cancel));
    EXPECT_FALSE(uidriver::IsEnabled(next));

    const struct {
        HWND click;
        bool accepted, declined, forAnyone, forMe, nextEnabled;
    } steps[] = {
        {accept, true, false, false, false, true},
        {onlyMe, true, false, false, true, true},
        {decline, false, true, false, true, false},
        {anyone, false, true, true, false, false},
        {keep, false, true, true, false, false},
        {accept, true, false, true, false, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(uidriver::GetText(step.click));
        ASSERT_TRUE(uidriver::Click(step.click));
        EXPECT_TRUE(WaitUntil([&] { return IsChecked(accept) == step.accepted; }, 5000));
        EXPECT_EQ(IsChecked(decline), step.declined);
        EXPECT_EQ(IsChecked(anyone), step.forAnyone);
        EXPECT_EQ(IsChecked(onlyMe), step.forMe);
        EXPECT_EQ(uidriver::IsEnabled(next), step.nextEnabled);
        EXPECT_FALSE(IsChecked(keep));
        EXPECT_EQ(run.ShownPages().size(), 1u);
    }
    ASSERT_TRUE(uidriver::Click(cancel));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

// A click whose "On Click" begins with 2- reaches the main window as Back,
// whatever its name: the page list's one page opens anew over this one,
// which stays up, and the new page shows the completed run too.
TEST(KelrunPageE2E, AClickActionOf2OpensThePageAgainAsBack)
{
    Product product("page-back");
    product.Register("Sample Page");
    product.WriteLog("TOTALFILE=1\r\nFILE=" + product.File("a.txt") + "\r\n");
    product.WriteLanguage(kLanguage);
    std::vector<PageControlSpec> controls = ProgressControls();
    controls.push_back({20, 190, 120, 24, "BUTTON", {"ID|IDC_AGAIN", "Caption|Again", "On Click|2-Back"}, ""});
    product.WritePage(PageFile("", controls));

    PageRun run(product, "/I", controls.size());
    ASSERT_TRUE(run.WaitForPage(false));
    ASSERT_TRUE(WaitForCompletion(run.Control(5)));
    ASSERT_TRUE(uidriver::Click(run.Control(6)));
    ASSERT_TRUE(WaitUntil([&] { return run.ShownPages().size() == 2; }, 10000));
    EXPECT_TRUE(uidriver::IsVisible(run.Page()));
    HWND second = nullptr;
    for (HWND page : run.ShownPages())
        second = page == run.Page() ? second : page;
    ASSERT_NE(second, nullptr);
    HWND secondCancel = ::GetDlgItem(second, 3000 + static_cast<int>(controls.size() - 1 - 5));
    ASSERT_TRUE(WaitForCompletion(secondCancel));
    ASSERT_TRUE(uidriver::Click(secondCancel));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

// The browse dialog on a page: a typed new folder is created after the
// question, shown on the page, and taken by the removal that is running.
TEST(KelrunPageE2E, ABrowsedFolderReplacesTheInstallationFolderOfTheRunningRemoval)
{
    Product product("page-browse");
    product.Register("Sample Page");
    const std::string kept = product.File("kept.txt");
    ScratchFolder chosenRoot("browse-target");
    const std::string chosen = chosenRoot.Path() + "\\New App\\Data";
    // The browse dialog, two boxes and the typing take a while in a fresh prefix.
    SlowRemoval slow(product, "15000");
    product.WriteLog("TOTALFILE=0\r\n" + SlowRemoval::LogLines() + "REMOVEALL=1\r\n");
    product.WriteLanguage(kLanguage);
    std::vector<PageControlSpec> controls = ProgressControls();
    controls.push_back({20, 150, 300, 20, "TEXT", {"ID|IDC_INSTALLDIR", "Caption|(folder)"}, ""});
    controls.push_back({330, 148, 100, 24, "BUTTON", {"ID|IDC_BROWSE", "Caption|Browse..."}, ""});
    product.WritePage(PageFile("", controls));

    PageRun run(product, "/I", controls.size());
    ASSERT_TRUE(run.WaitForPage(false));
    HWND folderText = run.Control(6);
    ASSERT_TRUE(slow.WaitUntilRunning());
    ASSERT_TRUE(uidriver::Click(run.Control(7)));

    uidriver::WindowQuery query;
    query.processId = run.Run().Id();
    query.caption = "Lumetra Parvane";
    HWND dialog = uidriver::WaitForTopLevel(query, kPageTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    HWND edit = uidriver::WaitForChildById(dialog, 14148, kPageTimeoutMs);
    ASSERT_NE(edit, nullptr);
    HWND ok = ::GetDlgItem(dialog, IDOK);
    // An invalid form is refused and the dialog stays.
    ASSERT_TRUE(WaitUntil([&] { return uidriver::SetText(edit, "relative\\folder"); }, kPageTimeoutMs));
    ASSERT_TRUE(uidriver::Click(ok));
    uidriver::MessageBoxInfo box;
    ASSERT_TRUE(WaitUntil([&] { return uidriver::WaitForMessageBox(run.Run().Id(), 0, &box) && !box.text.empty(); },
                          kPageTimeoutMs));
    EXPECT_NE(box.text.find("is invalid"), std::string::npos) << box.text;
    ASSERT_TRUE(uidriver::AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(uidriver::IsVisible(dialog));

    // A new folder two levels deep: asked, then created level by level.
    ASSERT_TRUE(uidriver::SetText(edit, chosen));
    ASSERT_TRUE(WaitUntil([&] { return uidriver::IsEnabled(ok); }, kPageTimeoutMs));
    ASSERT_TRUE(uidriver::Click(ok));
    ASSERT_TRUE(WaitUntil([&] { return uidriver::WaitForMessageBox(run.Run().Id(), 0, &box) && !box.text.empty(); },
                          kPageTimeoutMs));
    EXPECT_NE(box.text.find("does not exist"), std::string::npos) << box.text;
    ASSERT_TRUE(uidriver::AnswerMessageBox(box, IDYES));
    ASSERT_TRUE(uidriver::WaitForGoneOrHidden(dialog, 10000));
    EXPECT_TRUE(PathExists(chosenRoot.Path() + "\\New App"));
    ASSERT_TRUE(PathExists(chosen));
    WriteFile(chosen + "\\made later.txt", "x");
    ExpectText(folderText, chosen);

    // The removal's tree removal takes the browsed folder, not the old one.
    ASSERT_TRUE(WaitForCompletion(run.Control(5)));
    EXPECT_FALSE(PathExists(chosen));
    EXPECT_TRUE(PathExists(chosenRoot.Path() + "\\New App"));
    EXPECT_TRUE(PathExists(kept));
    ASSERT_TRUE(uidriver::Click(run.Control(5)));
    EXPECT_EQ(run.Run().ExitCode(), 0);
}

// A run that leaves files for the restart says so on the page, after the
// completion status, and ends with 3010.
TEST(KelrunPageE2E, ThePageSaysARestartCompletesTheRemoval)
{
    Product product("page-restart");
    product.Register("Sample Page");
    const std::string held = product.File("app.exe");
    product.WriteLog("TOTALFILE=1\r\nFILE=" + held + "\r\nDIR=" + product.InstallFolder() + "\r\n");
    product.WriteLanguage(kLanguage);
    product.WritePage(PageFile("", ProgressControls()));
    HeldFile holder(held);

    PageRun run(product, "/I", 6);
    ASSERT_TRUE(run.WaitForPage(false));
    ASSERT_TRUE(WaitForCompletion(run.Control(5)));
    ExpectText(run.Control(2),
               "Thank you for using Sample Page.\r\nSome files are in use. They will be removed when Windows restarts.");
    ASSERT_TRUE(uidriver::Click(run.Control(5)));
    EXPECT_EQ(run.Run().ExitCode(), 3010);
    EXPECT_EQ(product.PendingRemovals(), (std::vector<std::string>{held, product.InstallFolder()}));
}

}  // namespace
