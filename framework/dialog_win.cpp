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

void AppendText(std::vector<WORD>& out, const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    for (wchar_t c : wide)
        out.push_back(static_cast<WORD>(c));  // includes the terminating zero
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

bool CDialog::CreateIndirect(const void* dialogTemplate, HWND parent)
{
    dialogBeingCreated = this;
    HWND window = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr),
                                               static_cast<LPCDLGTEMPLATEA>(dialogTemplate),
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

std::vector<WORD> BuildDialogTemplate(DWORD style, DWORD exStyle, short x, short y, short width,
                                      short height, const char* caption, const char* fontFace,
                                      WORD fontPoints)
{
    std::vector<WORD> out;
    if (fontFace)
        style |= DS_SETFONT;
    out.push_back(LOWORD(style));
    out.push_back(HIWORD(style));
    out.push_back(LOWORD(exStyle));
    out.push_back(HIWORD(exStyle));
    out.push_back(0);  // no controls
    out.push_back(static_cast<WORD>(x));
    out.push_back(static_cast<WORD>(y));
    out.push_back(static_cast<WORD>(width));
    out.push_back(static_cast<WORD>(height));
    out.push_back(0);  // no menu
    out.push_back(0);  // the system's dialog class
    AppendText(out, caption ? caption : "");
    if (fontFace) {
        out.push_back(fontPoints);
        AppendText(out, fontFace);
    }
    return out;
}
