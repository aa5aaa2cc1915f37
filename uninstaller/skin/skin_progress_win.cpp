// The progress page: the removal reports from its own thread; the page
// shows those reports on its own thread, throttled, and at the end its
// completion state.
#include "uninstaller/skin/skin_dialog_win.h"

#include <commctrl.h>

#include <cstdint>

#include "uninstaller/common/placeholders.h"
#include "uninstaller/pages/profile_reader_win.h"

namespace {

// The completion texts are read into 255 bytes: 254 characters at most.
constexpr int kCompletionTextBuffer = 255;

}  // namespace

void CSkinDialog::StartProgressPage()
{
    EnableNamed("IDC_NEXT", false);
    EnableNamed("IDC_BACK", false);
    // Until the completion the page cannot be ended: a cancel control of
    // any kind is disabled, as the button is by the page's own rules, so
    // that Escape does nothing either.
    EnableNamed("IDCANCEL", false);
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
    if (::PostMessageA(progressWindow_, ProgressWakeMessage, 0, 0))
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
    if (timerId != ProgressTimer) {
        Default();
        return;
    }
    KillTimer(ProgressTimer);
    ShowProgress(false);
}

void CSkinDialog::FlushProgress()
{
    KillTimer(ProgressTimer);
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
                SetTimer(ProgressTimer, static_cast<UINT>(delay));
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
