#include "uninstaller/skin/skin_dialog_win.h"

#include "uninstaller/common/resource.h"
#include "uninstaller/controls/control_support_win.h"
#include "uninstaller/pages/profile_reader_win.h"
#include "uninstaller/skin/placement.h"

namespace {

const char kUninstallPageFile[] = "uninstall.lcd";

// Every control a page can have: ids 3000 to 3069.
constexpr UINT kFirstControlId = PageModel::FirstControlId;
constexpr UINT kLastControlId = PageModel::FirstControlId + MaxPageControls - 1;

}  // namespace

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_COMMAND_RANGE(kFirstControlId, kLastControlId, OnControlCommand)
    ON_MESSAGE(ProgressWakeMessage, OnProgressWake)
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog() : pools_(*this), surface_(*this, pools_, background_), model_(surface_)
{
    pools_.SetReport(&report_);
    surface_.SetReport(&report_);
    Create(IDD_SKIN_PAGE);
}

CSkinDialog::~CSkinDialog()
{
    {
        std::lock_guard<std::mutex> lock(progressLock_);
        progressWindow_ = nullptr;
    }
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
    PlacementScreen screen = WholeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    // The work area leaves out the taskbar wherever it is docked.
    RECT work{};
    if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left && work.bottom > work.top)
        screen.workArea = ScreenRect{work.left, work.top, work.right, work.bottom};
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const PagePlacement placement =
        PlacePage(settings.startup.view(), settings.width, settings.height, metrics.iCaptionHeight, screen,
                  ScreenRect{window.left, window.top, window.right, window.bottom});
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
