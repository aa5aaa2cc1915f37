#include "framework/app_win.h"

#include <exception>

#include "framework/wnd_win.h"

namespace {

CWinApp* theApplication = nullptr;  // the program's one application object

CString ModuleBaseName(HINSTANCE instance)
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    CString name(path);
    const int slash = name.ReverseFind('\\');
    name = name.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

}  // namespace

CWinApp::CWinApp()
{
    theApplication = this;
    instance_ = ::GetModuleHandleA(nullptr);
    appName_ = ModuleBaseName(instance_);
}

CWinApp::~CWinApp()
{
    if (theApplication == this)
        theApplication = nullptr;
}

bool CWinApp::PreTranslate(MSG* message)
{
    for (HWND window = message->hwnd; window; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandle(window);
        if (object && object->PreTranslateMessage(message))
            return true;
        // Only the window and its parents up to the top-level window are asked.
        if (!(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
            break;
    }
    return false;
}

int CWinApp::Run()
{
    MSG message{};
    for (;;) {
        const BOOL got = wideMessages_ ? ::GetMessageW(&message, nullptr, 0, 0)
                                       : ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            exitCode_ = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1)
            break;
        if (!PreTranslate(&message)) {
            ::TranslateMessage(&message);
            if (wideMessages_)
                ::DispatchMessageW(&message);
            else
                ::DispatchMessageA(&message);
        }
    }
    return ExitInstance();
}

CWinApp* AfxGetApp()
{
    return theApplication;
}

const char* AfxGetAppName()
{
    return theApplication ? theApplication->GetAppName().GetString() : "";
}

CWnd* AfxGetMainWnd()
{
    return theApplication ? theApplication->m_pMainWnd : nullptr;
}

CString AfxLoadString(UINT stringId)
{
    // A string resource holds at most 4097 characters (a length word of 4096 max).
    char buffer[4100] = {};
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), stringId, buffer, sizeof buffer);
    return CString(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

int AfxMessageBox(const char* text, UINT type)
{
    const UINT buttons = type & MB_TYPEMASK;
    if ((type & MB_ICONMASK) == 0 && (buttons == MB_OK || buttons == MB_OKCANCEL))
        type |= MB_ICONEXCLAMATION;
    CWnd* owner = AfxGetMainWnd();
    return ::MessageBoxA(owner ? owner->GetSafeHwnd() : nullptr, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(AfxLoadString(stringId).GetString(), type);
}

// The framework's entry point: start-up hook, then the message loop.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    try {
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    } catch (const std::exception& error) {
        ::OutputDebugStringA(error.what());
    } catch (...) {
        ::OutputDebugStringA("unhandled exception\n");
    }
    return 1;
}
