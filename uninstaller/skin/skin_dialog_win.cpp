#include "uninstaller/skin/skin_dialog_win.h"

#include <commctrl.h>

#include "uninstaller/common/placeholders.h"
#include "uninstaller/common/resource.h"
#include "uninstaller/controls/control_support_win.h"
#include "uninstaller/pages/profile_reader_win.h"
#include "uninstaller/skin/placement.h"

namespace {

const char kUninstallPageFile[] = "uninstall.lcd";

}  // namespace

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog() : pools_(*this), surface_(*this, pools_, background_), model_(surface_)
{
    Create(IDD_SKIN_PAGE);
}

CSkinDialog::~CSkinDialog()
{
    // The window and its controls go before the brush and picture they are
    // drawn with.
    DestroyWindow();
}

void CSkinDialog::ShowPage(const CString& folder, const CString& fileName, int pageIndex, int pageCount)
{
    model_.SelectWindow();
    for (int index = 0; index < model_.ControlCount(); ++index)
        pools_.DestroyControl(model_.Control(index).ControlId);
    model_.ClearControls();
    host_ = FindPageHost();
    surface_.UseHost(host_);
    model_.PageIndex = pageIndex;
    model_.PageCount = pageCount;
    model_.SetControlColor(ButtonFaceWord, 1);
    background_.Clear();
    PageFileName = fileName;
    LoadPageFile(folder + fileName);
    PlaceWindow();
    if (PageFileName == kUninstallPageFile)
        StartProgressPage();
}

void CSkinDialog::LoadPageFile(const CString& path)
{
    ProfileReaderWin reader;
    PageLoader loader(model_, reader, pools_, report_);
    loader.LoadPageFile(path);
}

void CSkinDialog::PlaceWindow()
{
    const NONCLIENTMETRICSA metrics = ReadNonClientMetrics();
    const WindowSettings& settings = model_.Settings;
    const PagePlacement placement =
        PlacePage(settings.startup.view(), settings.width, settings.height, metrics.iCaptionHeight,
                  ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (placement.move)
        ::MoveWindow(m_hWnd, placement.left, placement.top, placement.width, placement.height, TRUE);
}

void CSkinDialog::SetControlColor(const CString& colorText, int which)
{
    model_.SetControlColor(colorText, which);
}

void CSkinDialog::SetPageFont(const CString& face, int pointSize, int bold, int italic, int height)
{
    FontSpec font;
    font.face = face;
    font.points = pointSize;
    font.bold = bold;
    font.italic = italic;
    model_.SetPageFont(font, height);
}

void CSkinDialog::SetBackgroundImage(const CString& path)
{
    surface_.SetBackgroundImage(path);
}

void CSkinDialog::OnPaint()
{
    CPaintDC dc(m_hWnd);
    // The picture covers the window's outer size, caption and frame
    // included; what lies beyond the client area is clipped.
    RECT outer{};
    ::GetWindowRect(m_hWnd, &outer);
    background_.Paint(dc, outer.right - outer.left, outer.bottom - outer.top);
}

HBRUSH CSkinDialog::OnCtlColor(HDC, HWND, UINT type)
{
    const auto base = reinterpret_cast<HBRUSH>(Default());
    // The dialog's own background is the page colour; the styled controls
    // answer for themselves before this is asked.
    if (type == CTLCOLOR_DLG && background_.Brush())
        return background_.Brush();
    return base;
}

void CSkinDialog::StartProgressPage()
{
    // The progress operations find the page's bar by the model's
    // ProgressIndex; no status texts are looked up here, so the status
    // lines of the removal change nothing on the page.
}

HWND CSkinDialog::ProgressWindow()
{
    CWnd* bar = pools_.Object(ControlPool::ProgressBars, model_.ProgressIndex);
    return bar ? bar->GetSafeHwnd() : nullptr;
}

void CSkinDialog::SetProgressRange(int total)
{
    if (HWND progress = ProgressWindow()) {
        // The progress bar's bounds are 16-bit: the high bound is total modulo 65536.
        ::SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(total)));
    }
}

void CSkinDialog::SetProgressPos(int position)
{
    if (HWND progress = ProgressWindow())
        ::SendMessageA(progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CSkinDialog::SetStatusText(const CString& text, int line)
{
    const CString shown = SubstituteText(text);
    const int id = line == 0 ? InfoTextId : StatusTextId;
    if (id != -1)
        ::SetDlgItemTextA(m_hWnd, id, shown);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinDialog::ShowCompletion()
{
    // The completion texts go to the page's cancel control; a page without
    // one has nothing to change.
}

void CSkinDialog::OnClose()
{
    CancelAndQuit();
}

void CSkinDialog::CancelAndQuit()
{
    ::PostQuitMessage(0);
    DestroyWindow();
}
