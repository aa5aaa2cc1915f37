#include "renamer/form_win.h"

namespace pelmora {

int CForm::openForms_ = 0;

BEGIN_MESSAGE_MAP(CForm, CWnd)
    ON_MESSAGE(WM_ACTIVATE, OnActivateForm)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusForm)
END_MESSAGE_MAP()

bool CForm::CreateForm(const char* className, const char* caption, int clientWidthTwips,
                       int clientHeightTwips, HBRUSH background, HICON bigIcon, HICON smallIcon)
{
    // The class procedure is the framework's; CS_DBLCLKS is not needed by the
    // form itself, its lists take double clicks on their own.
    if (!RegisterWindowClass(className, 0, bigIcon, nullptr, background))
        return false;

    // A fixed dialog frame: a caption and a close box, no sizing border.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    RECT frame{0, 0, TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips)};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;

    if (!CreateEx(exStyle, className, caption, style, x, y, width, height, nullptr, nullptr))
        return false;
    counted_ = true;
    ++openForms_;
    if (bigIcon)
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    if (smallIcon)
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    return true;
}

void CForm::Show()
{
    ShowWindow(SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hWnd);
    ::UpdateWindow(m_hWnd);
}

bool CForm::PreTranslateMessage(MSG* message)
{
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return false;
    return ::IsDialogMessageA(m_hWnd, message) != FALSE;
}

bool CForm::CreateControl(CWnd& control, const char* className, const char* text, DWORD style,
                          DWORD exStyle, int left, int top, int width, int height, int id, HFONT font)
{
    const bool created = control.CreateEx(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                          TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                                          TwipsToPixels(height), m_hWnd,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    if (created && font)
        control.SetFont(font, false);
    return created;
}

LRESULT CForm::OnActivateForm(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(m_hWnd, focus))
            lastFocus_ = focus;
    }
    // The default handling gives an activated window the focus (WM_SETFOCUS).
    return Default();
}

LRESULT CForm::OnSetFocusForm(WPARAM, LPARAM)
{
    HWND target = lastFocus_;
    if (!target || !::IsWindow(target) || !::IsChild(m_hWnd, target) || !::IsWindowEnabled(target))
        target = ::GetNextDlgTabItem(m_hWnd, nullptr, FALSE);
    if (target)
        ::SetFocus(target);
    return 0;
}

void CForm::PostNcDestroy()
{
    if (!counted_)
        return;
    counted_ = false;
    if (--openForms_ == 0)
        ::PostQuitMessage(0);
}

}  // namespace pelmora
