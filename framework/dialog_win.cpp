#include "framework/dialog_win.h"

#include "framework/app_win.h"

namespace {

// The dialog being created on this thread: the dialog procedure binds it to
// its window at the first message it sees, before WM_INITDIALOG.
thread_local CDialog* dialogBeingCreated = nullptr;

HWND OwnerFor(HWND parent)
{
    if (parent)
        return parent;
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

bool CDialog::Create(UINT templateId, HWND parent)
{
    dialogBeingCreated = this;
    HWND window = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                       OwnerFor(parent), &CDialog::DialogProc, 0);
    dialogBeingCreated = nullptr;
    return window != nullptr;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (FromHandle(window))
        return FALSE;  // bound: the table ran already; this is the default handling
    CDialog* pending = dialogBeingCreated;
    if (!pending)
        return FALSE;
    dialogBeingCreated = nullptr;
    pending->Attach(window, true);
    // Without a set-font style WM_INITDIALOG is the first message we see, and it
    // came in before the subclassing: answer it here.
    if (message == WM_INITDIALOG) {
        try {
            return pending->OnInitDialog() ? TRUE : FALSE;
        } catch (...) {
            return FALSE;
        }
    }
    return FALSE;
}

bool CDialog::PreTranslateMessage(MSG* message)
{
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return false;
    return ::IsDialogMessageA(m_hWnd, message) != FALSE;
}
