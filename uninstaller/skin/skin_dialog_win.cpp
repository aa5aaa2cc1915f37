#include "uninstaller/skin/skin_dialog_win.h"

#include <commctrl.h>

#include <cstdint>

#include "uninstaller/common/placeholders.h"
#include "uninstaller/controls/folder_browser_win.h"
#include "uninstaller/common/resource.h"
#include "uninstaller/controls/control_support_win.h"
#include "uninstaller/pages/profile_reader_win.h"
#include "uninstaller/skin/placement.h"

namespace {

const char kUninstallPageFile[] = "uninstall.lcd";

// Every control a page can have: ids 3000 to 3069.
constexpr UINT kFirstControlId = PageModel::FirstControlId;
constexpr UINT kLastControlId = PageModel::FirstControlId + MaxPageControls - 1;

// The removal's thread wakes the page with this message; the timer brings
// an update that had to wait for the interval.
constexpr UINT kProgressWakeMessage = WM_APP + 0x51;
constexpr UINT_PTR kProgressTimer = 0x5052;

// The completion texts are read into 255 bytes: 254 characters at most.
constexpr int kCompletionTextBuffer = 255;

}  // namespace

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_COMMAND_RANGE(kFirstControlId, kLastControlId, OnControlCommand)
    ON_MESSAGE(kProgressWakeMessage, OnProgressWake)
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog() : pools_(*this), surface_(*this, pools_, background_), model_(surface_)
{
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

bool CSkinDialog::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        // Enter would press the page's default button, or end the dialog
        // (and so hide the page) when it has none: on a page it does
        // nothing, from whichever control has the focus.
        return true;
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE && !ComboListDropped(message->hwnd)) {
        // Escape is taken here rather than by the control with the focus: a
        // multi-line text box answers it with WM_CLOSE to the page, which
        // would end the program in the middle of the removal.
        OnCancel();
        return true;
    }
    return CDialog::PreTranslateMessage(message);
}

bool CSkinDialog::ComboListDropped(HWND focus)
{
    // Escape closes an open combo box list first, as everywhere else. The
    // key reaches the combo box's edit or the box itself.
    for (HWND window = focus; window && window != m_hWnd; window = ::GetParent(window)) {
        char className[16] = {};
        ::GetClassNameA(window, className, sizeof className);
        if (lstrcmpiA(className, "ComboBox") == 0)
            return ::SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    return false;
}

void CSkinDialog::OnControlCommand(UINT controlId)
{
    const int record = model_.FindRecordIndex(static_cast<int>(controlId));
    if (record < 0)
        return;
    // Copies: the main window may load other pages before this returns.
    const CString idName = model_.Control(record).IdName;
    const int clickAction = model_.GetClickAction(record);
    if (idName == "IDC_BROWSE") {
        BrowseInstallDir();
    } else if (idName == "IDC_NOTACCEPTLICENSE") {
        SetLicenseChoice(0);
    } else if (idName == "IDC_ACCEPTLICENSE") {
        SetLicenseChoice(1);
    } else if (idName == "IDC_ANYONE") {
        SetScopeChoice(0);
    } else if (idName == "IDC_ONLYFORME") {
        SetScopeChoice(1);
    } else if (idName == "IDCANCEL") {
        CancelAndQuit();
    } else {
        PageHost* host = FindPageHost();
        const bool opened = host && host->OnPageCommand(static_cast<int>(controlId), record, clickAction, idName,
                                                         this, PageFileName);
        // Back and Next end this page only once another one is up: a click
        // must never leave the user facing no window.
        if (opened && (idName == "IDC_BACK" || idName == "IDC_NEXT"))
            OnOK();
    }
}

void CSkinDialog::OnCancel()
{
    // The dialog manager's Escape. Ending the dialog would hide the page and
    // leave the program running with nothing to show: Escape ends the
    // program only where the page offers that itself.
    const int cancelId = model_.FindControlId("IDCANCEL");
    if (cancelId == -1)
        return;
    HWND cancel = GetDlgItem(cancelId);
    if (cancel && ::IsWindowEnabled(cancel))
        OnControlCommand(static_cast<UINT>(cancelId));
}

void CSkinDialog::OnClose()
{
    CancelAndQuit();
}

void CSkinDialog::CancelAndQuit()
{
    ::PostQuitMessage(0);
    {
        std::lock_guard<std::mutex> lock(progressLock_);
        progressWindow_ = nullptr;
    }
    DestroyWindow();
}

void CSkinDialog::BrowseInstallDir()
{
    CFolderBrowser browser("Lumetra Parvane", "Choose destination directory...", "", nullptr);
    if (browser.DoModal() != 1)
        return;
    const CString folder = browser.GetFolder();
    TheProduct().InstallFolder = folder;
    // A removal that is running takes the new folder for what it has still
    // to do; it never reads the process's value itself.
    if (PageHost* host = FindPageHost())
        host->OnInstallFolderChanged(folder);
    const int folderId = model_.FindControlId("IDC_INSTALLDIR");
    if (folderId != -1)
        ::SetDlgItemTextA(m_hWnd, folderId, folder);
    Invalidate();
}

void CSkinDialog::CheckNamed(const char* idName, bool checked)
{
    const int id = model_.FindControlId(idName);
    if (id != -1)
        ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CSkinDialog::EnableNamed(const char* idName, bool enable)
{
    const int id = model_.FindControlId(idName);
    if (id == -1)
        return;
    if (HWND control = GetDlgItem(id))
        ::EnableWindow(control, enable ? TRUE : FALSE);
}

void CSkinDialog::SetLicenseChoice(int accepted)
{
    if (accepted != 0 && accepted != 1)
        return;
    CheckNamed("IDC_NOTACCEPTLICENSE", accepted == 0);
    CheckNamed("IDC_ACCEPTLICENSE", accepted == 1);
    EnableNamed("IDC_NEXT", accepted == 1);
}

void CSkinDialog::SetScopeChoice(int onlyForMe)
{
    if (onlyForMe != 0 && onlyForMe != 1)
        return;
    CheckNamed("IDC_ANYONE", onlyForMe == 0);
    CheckNamed("IDC_ONLYFORME", onlyForMe == 1);
}

void CSkinDialog::StartProgressPage()
{
    EnableNamed("IDC_NEXT", false);
    EnableNamed("IDC_BACK", false);
    Invalidate();

    model_.ProgressIndex = -1;
    InfoTextId = InfoTextIndex = -1;
    StatusTextId = StatusTextIndex = -1;
    // The bar is the control named IDC_PROGRESS1, not the loader's last
    // progress bar; a control of that name of another kind is no bar.
    const int progressId = model_.FindControlId("IDC_PROGRESS1");
    const int progressRecord = model_.FindRecordIndex(progressId);
    if (progressRecord != -1 && model_.Control(progressRecord).KindCode == ControlKind::Progress)
        model_.ProgressIndex = model_.FindKindIndex(progressId);
    InfoTextId = model_.FindControlId("IDC_INFO");
    if (InfoTextId != -1)
        InfoTextIndex = model_.FindKindIndex(InfoTextId);
    StatusTextId = model_.FindControlId("IDC_STATIC1");
    if (StatusTextId != -1)
        StatusTextIndex = model_.FindKindIndex(StatusTextId);

    int barWidth = 0;
    if (HWND bar = ProgressWindow()) {
        RECT client{};
        ::GetClientRect(bar, &client);
        barWidth = client.right - client.left;
    }
    std::lock_guard<std::mutex> lock(progressLock_);
    throttle_ = ProgressThrottle();
    throttle_.SetBarWidth(barWidth);
    wakePending_ = false;
    progressWindow_ = m_hWnd;
}

HWND CSkinDialog::ProgressWindow()
{
    CWnd* bar = pools_.Object(ControlPool::ProgressBars, model_.ProgressIndex);
    return bar ? bar->GetSafeHwnd() : nullptr;
}

void CSkinDialog::WakeForProgress(bool hasWork)
{
    // Called with progressLock_ held. One wake at a time: the page takes
    // everything gathered until then in one update.
    if (!hasWork || wakePending_ || !progressWindow_)
        return;
    if (::PostMessageA(progressWindow_, kProgressWakeMessage, 0, 0))
        wakePending_ = true;
}

void CSkinDialog::SetProgressRange(int total)
{
    std::lock_guard<std::mutex> lock(progressLock_);
    WakeForProgress(throttle_.SetRange(total));
}

void CSkinDialog::SetProgressPos(int position)
{
    std::lock_guard<std::mutex> lock(progressLock_);
    WakeForProgress(throttle_.SetPosition(position));
}

void CSkinDialog::SetStatusText(const CString& text, int line)
{
    // The product's name and code never change while the removal runs.
    QueueStatusText(SubstituteText(text), line);
}

void CSkinDialog::QueueStatusText(const CString& shown, int line)
{
    std::lock_guard<std::mutex> lock(progressLock_);
    WakeForProgress(throttle_.SetStatusText(shown, line));
}

LRESULT CSkinDialog::OnProgressWake(WPARAM, LPARAM)
{
    ShowProgress(false);
    return 0;
}

void CSkinDialog::OnTimer(UINT_PTR timerId)
{
    if (timerId != kProgressTimer) {
        Default();
        return;
    }
    KillTimer(kProgressTimer);
    ShowProgress(false);
}

void CSkinDialog::FlushProgress()
{
    KillTimer(kProgressTimer);
    ShowProgress(true);
}

void CSkinDialog::ShowProgress(bool final)
{
    ProgressUpdate update;
    {
        std::lock_guard<std::mutex> lock(progressLock_);
        const std::uint64_t now = ::GetTickCount64();
        if (!final) {
            const std::uint64_t delay = throttle_.DelayBeforeUpdate(now);
            if (delay > 0) {
                // Still counted as pending: the removal sends no more wakes.
                SetTimer(kProgressTimer, static_cast<UINT>(delay));
                return;
            }
        }
        update = throttle_.TakeUpdate(now, final);
        wakePending_ = false;
    }
    // The page's own thread sends to its own controls: no wait on another
    // thread, and the bar repaints when this thread next paints.
    ApplyProgress(update);
}

void CSkinDialog::ApplyProgress(const ProgressUpdate& update)
{
    if (update.Empty())
        return;
    if (HWND progress = ProgressWindow()) {
        // The full 32-bit range: a log of 70,000 files fills the bar at
        // 70,000, not at the 16-bit remainder 4,464.
        if (update.setRange)
            ::SendMessageA(progress, PBM_SETRANGE32, 0, update.rangeHigh);
        if (update.setPosition)
            ::SendMessageA(progress, PBM_SETPOS, static_cast<WPARAM>(update.position), 0);
    }
    if (update.setInfoText)
        ShowStatusLine(InfoTextId, update.infoText);
    if (update.setStatusText)
        ShowStatusLine(StatusTextId, update.statusText);
}

void CSkinDialog::ShowStatusLine(int controlId, const CString& text)
{
    if (controlId != -1) {
        ::SetDlgItemTextA(m_hWnd, controlId, text);
        if (HWND control = GetDlgItem(controlId))
            ::InvalidateRect(control, nullptr, TRUE);
    }
    // The texts are drawn over the page's background: the page is drawn
    // again under them, also when it has no such text.
    Invalidate();
}

void CSkinDialog::ShowCompletion(const CString& note)
{
    FlushProgress();
    const int cancelId = model_.FindControlId("IDCANCEL");
    if (cancelId == -1)
        return;
    if (HWND cancel = GetDlgItem(cancelId))
        ::EnableWindow(cancel, TRUE);
    const CString& language = TheProduct().LanguageFilePath;
    // A missing key reads as an empty caption or status line.
    ProfileReaderWin reader;
    const CString caption = reader.ReadString(language, "SetupCompleteSuccess", "1", kCompletionTextBuffer);
    ::SetDlgItemTextA(m_hWnd, cancelId, SubstituteText(caption));
    CString status = SubstituteText(reader.ReadString(language, "SetupCompleteSuccess", "5", kCompletionTextBuffer));
    // The note is shown as it is: its brackets are no placeholders.
    if (!note.IsEmpty())
        status += "\r\n" + note;
    QueueStatusText(status, 1);
    FlushProgress();
}
