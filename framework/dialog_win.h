// CDialog: a modeless dialog window with a message table like any CWnd.
//
// The dialog is made by the dialog manager from a template (a resource, or
// one built in memory), then subclassed, so its messages pass through the
// class's table before the dialog manager's default handling.
#pragma once

#include "framework/wnd_win.h"

class CDialog : public CWnd {
public:
    // Without a parent, the application's main window becomes the owner.
    bool Create(UINT templateId, HWND parent = nullptr);

    virtual bool OnInitDialog() { return true; }
    // Enter and the default button: ends the dialog (for a modeless one the
    // window is hidden, not destroyed).
    virtual void OnOK() { EndDialog(IDOK); }
    // Escape and the cancel button.
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

    // Dialog keyboard handling: Tab, arrows, Enter and Escape.
    bool PreTranslateMessage(MSG* message) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog() ? TRUE : FALSE; }

    DECLARE_MESSAGE_MAP()
};
