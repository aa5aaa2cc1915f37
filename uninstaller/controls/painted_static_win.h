// CPaintedStatic: a static control of a page that draws itself. Derived
// classes draw in Paint; the same picture goes to the screen and into a
// device context a caller asks for (WM_PRINTCLIENT: printing a window,
// animating it), where the system's static would draw a look of its own.
#pragma once

#include <windows.h>

#include "framework/controls_win.h"

class CPaintedStatic : public CStatic {
protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM dc, LPARAM flags);

    // Draws the whole control into `dc`.
    virtual void Paint(HDC dc) = 0;

    DECLARE_MESSAGE_MAP()
};
