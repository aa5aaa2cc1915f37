#include "framework/frame_win.h"

#include "framework/app_win.h"

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, HWND parent)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HICON icon = ::LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
    const char* className = RegisterWindowClass("FrameworkFrame", CS_DBLCLKS, icon, nullptr,
                                                reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!className)
        return false;
    CString title = AfxLoadString(resourceId);
    if (title.IsEmpty())
        title = AfxGetAppName();
    menu_ = ::LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
    const bool created = CreateEx(0, className, title, style & ~FWS_FRAMEBITS, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, menu_);
    if (!created && menu_) {
        // A window that failed to be created does not take its menu along.
        ::DestroyMenu(menu_);
    }
    menu_ = nullptr;
    if (created && icon)
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    return created;
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        ::PostQuitMessage(0);
}
