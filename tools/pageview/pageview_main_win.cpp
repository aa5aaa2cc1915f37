// pageview: shows a page file as kelrun shows it, for page authors and the
// tests. The page is loaded into the same page window, from the same
// resources, and stays up until it is closed.
//
//   pageview.exe [--list] PAGEFILE [language.lan]
//
// The language file is the one the page's texts are read from. Whatever the
// page file holds beyond the tables of a page (controls, controls of one
// kind, properties, unknown kinds) is printed to standard output, one line
// each, when the caller gave the program one. --list prints the page's
// window and controls (page_listing_win.h) and closes the page at once.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <memory>
#include <vector>

#include "framework/app_win.h"
#include "framework/wnd_win.h"
#include "tools/pageview/page_listing_win.h"
#include "tools/pageview/standard_output_win.h"
#include "uninstaller/common/product_values.h"
#include "uninstaller/skin/page_host_win.h"
#include "uninstaller/skin/skin_dialog_win.h"

namespace {

const char kUsage[] = "usage: pageview.exe [--list] PAGEFILE [language.lan]";
constexpr int ExitUsage = 2;

// The viewer's main window: never shown, it owns the page and its font as
// kelrun's main window does. Clicks that a page hands on go nowhere.
class CViewerHost : public CWnd, public PageHost {
public:
    bool Create()
    {
        const char* className = RegisterWindowClass("KelrunPageViewer", 0, nullptr, nullptr, nullptr);
        return className && CreateEx(0, className, "pageview", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr);
    }

    bool OnPageCommand(int, int, int, const CString&, CSkinDialog*, const CString&) override { return false; }
    const CFont* GetPageFont() const override { return &pageFont_; }
    void CreatePageFont(const CString& faceName, int height, int bold, int italic, int pointSize) override
    {
        MakePageFont(pageFont_, faceName, height, bold, italic, pointSize);
    }

private:
    CFont pageFont_;
};

// The page as kelrun shows it, with kelrun's keyboard filter and clicks.
// Only Escape differs: it closes the viewer whatever the page holds, since a
// page without an enabled cancel control would otherwise leave the viewer
// with no key to end it.
class CViewerPage : public CSkinDialog {
public:
    void OnCancel() override { PostMessage(WM_CLOSE); }
};

CString FullPath(const CString& path)
{
    const DWORD size = ::GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::vector<char> buffer(size + 1, '\0');
    const DWORD length = ::GetFullPathNameA(path, size + 1, buffer.data(), nullptr);
    return (length > 0 && length <= size) ? CString(buffer.data(), static_cast<int>(length)) : path;
}

}  // namespace

class CPageViewApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    bool ReadArguments();

    bool list_ = false;
    CString pagePath_;
    CString languagePath_;
    bool oleStarted_ = false;
    std::unique_ptr<CViewerHost> host_;
    std::unique_ptr<CViewerPage> page_;
};

CPageViewApp theApp;

bool CPageViewApp::ReadArguments()
{
    int next = 1;
    if (next < __argc && CString(__argv[next]) == "--list") {
        list_ = true;
        ++next;
    }
    const int left = __argc - next;
    if (left < 1 || left > 2)
        return false;
    pagePath_ = FullPath(__argv[next]);
    if (left == 2)
        languagePath_ = FullPath(__argv[next + 1]);
    return true;
}

bool CPageViewApp::InitInstance()
{
    if (!ReadArguments()) {
        if (HasStandardOutput())
            WriteOutputLine(kUsage);
        else
            ::MessageBoxA(nullptr, kUsage, "pageview", MB_OK | MB_ICONINFORMATION);
        SetExitCode(ExitUsage);
        return false;
    }
    // Pictures need OLE; the page controls the common control classes.
    oleStarted_ = SUCCEEDED(::OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    TheProduct().LanguageFilePath = languagePath_;

    host_ = std::make_unique<CViewerHost>();
    if (!host_->Create()) {
        SetExitCode(1);
        return false;
    }
    m_pMainWnd = host_.get();

    page_ = std::make_unique<CViewerPage>();
    if (HasStandardOutput())
        page_->SetLoadReport([](const CString& line) { WriteOutputLine(line); });
    // As kelrun opens a page: folder (with its backslash) and file name.
    const int split = pagePath_.ReverseFind('\\') + 1;
    page_->ShowPage(pagePath_.Left(split), pagePath_.Mid(split), 0, 0);
    page_->ShowWindow(SW_SHOWDEFAULT);
    if (list_) {
        ::UpdateWindow(page_->GetSafeHwnd());
        for (const CString& line : ListPage(*page_))
            WriteOutputLine(line);
        page_->PostMessage(WM_CLOSE);
    }
    // Closing the page posts the quit request that ends the message loop.
    return true;
}

int CPageViewApp::ExitInstance()
{
    page_.reset();
    m_pMainWnd = nullptr;
    host_.reset();
    if (oleStarted_)
        ::OleUninitialize();
    return CWinApp::ExitInstance();
}
