// CEtchedFrame: a page's frame, an etched edge round the control's area.
#pragma once

#include "framework/controls_win.h"

class CEtchedFrame : public CStatic {
protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM dc, LPARAM flags);

    DECLARE_MESSAGE_MAP()

private:
    void Paint(HDC dc);
};
