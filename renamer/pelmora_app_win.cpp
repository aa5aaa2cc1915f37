// The application object of Pelmora: it opens the main window; the program
// ends when its last window is closed.
#include <windows.h>

#include <commctrl.h>

#include "framework/app_win.h"
#include "renamer/main_form_win.h"

namespace pelmora {

class CPelmoraApp : public CWinApp {
public:
    bool InitInstance() override
    {
        // The windows are W windows: characters typed into the prefix box
        // must reach it as they are.
        UseWideMessages();
        // A drive without a medium must fail quietly, not ask the user to insert one.
        ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        if (!mainForm_.Create()) {
            SetExitCode(1);
            return false;
        }
        m_pMainWnd = &mainForm_;
        return true;
    }

private:
    Main mainForm_;
};

CPelmoraApp theApp;

}  // namespace pelmora
