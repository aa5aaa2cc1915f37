#include "uninstaller/controls/etched_frame_win.h"

#include "framework/gdi_win.h"

BEGIN_MESSAGE_MAP(CEtchedFrame, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void CEtchedFrame::OnPaint()
{
    CPaintDC dc(m_hWnd);
    Paint(dc);
}

LRESULT CEtchedFrame::OnPrintClient(WPARAM dc, LPARAM)
{
    // The same edge into the caller's device context.
    Paint(reinterpret_cast<HDC>(dc));
    return 0;
}

void CEtchedFrame::Paint(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
}
