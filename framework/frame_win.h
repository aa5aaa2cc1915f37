// CFrameWnd: a top-level frame window whose icon, menu and title come from
// one resource id.
#pragma once

#include "framework/wnd_win.h"

// Frame style bits that belong to the framework, not to Windows: they are
// taken off before the window is created.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;
constexpr DWORD FWS_FRAMEBITS = FWS_ADDTOTITLE;

class CFrameWnd : public CWnd {
public:
    // Creates the frame from resource `resourceId`: its icon group and menu,
    // and its title from the string of that id (else the application's title).
    // Fails when the window cannot be created, including when OnCreate answers -1.
    bool LoadFrame(UINT resourceId, DWORD style, HWND parent = nullptr);

protected:
    // The main window's end is the program's end, as in any framework program.
    void PostNcDestroy() override;

private:
    HMENU menu_ = nullptr;  // owned by the window once it is created with it
};
