#include "uninstaller/controls/etched_frame_win.h"

void CEtchedFrame::Paint(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
}
