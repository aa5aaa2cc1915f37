#include "uninstaller/controls/painted_static_win.h"

#include "framework/gdi_win.h"

BEGIN_MESSAGE_MAP(CPaintedStatic, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void CPaintedStatic::OnPaint()
{
    CPaintDC dc(m_hWnd);
    Paint(dc);
}

LRESULT CPaintedStatic::OnPrintClient(WPARAM dc, LPARAM)
{
    // The caller's device context is given back with the settings it had.
    const HDC target = reinterpret_cast<HDC>(dc);
    const int saved = ::SaveDC(target);
    Paint(target);
    ::RestoreDC(target, saved);
    return 0;
}
