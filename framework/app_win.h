// CWinApp: the application object. A program defines one global object of a
// class derived from it; the framework's WinMain finds it, runs InitInstance
// and, when that succeeds, the message loop.
#pragma once

#include <windows.h>

#include "framework/cstring.h"

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up hook: false ends the process at once with GetExitCode().
    virtual bool InitInstance() { return true; }
    // The message loop; returns the exit code of the quit request.
    virtual int Run();
    // The last step; its result is the process's exit code.
    virtual int ExitInstance() { return exitCode_; }

    CWnd* m_pMainWnd = nullptr;  // not owned: the program owns its main window object

    // The program's file name without extension, the title of its message boxes.
    const CString& GetAppName() const { return appName_; }
    HINSTANCE GetInstance() const { return instance_; }

    void SetExitCode(int code) { exitCode_ = code; }
    int GetExitCode() const { return exitCode_; }

    // Offers a message to the windows it is for, innermost first, before it is
    // dispatched (dialog keyboard handling lives there).
    static bool PreTranslate(MSG* message);

protected:
    // The message loop takes and dispatches W messages: a program whose
    // windows are W windows calls this in InitInstance, or the characters
    // typed into them would pass through the code page.
    void UseWideMessages() { wideMessages_ = true; }

private:
    bool wideMessages_ = false;
    HINSTANCE instance_ = nullptr;
    CString appName_;
    int exitCode_ = 0;
};

CWinApp* AfxGetApp();
const char* AfxGetAppName();
CWnd* AfxGetMainWnd();

// A message box in the framework's manner: owned by the main window, captioned
// with the application's title, and an OK box that names no icon gets the
// exclamation icon.
int AfxMessageBox(const char* text, UINT type = MB_OK);
// The same for a string resource of the program.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);

// Loads a string resource of the program; empty when it does not exist.
CString AfxLoadString(UINT stringId);
