// CEtchedFrame: a page's frame, an etched edge round the control's area.
#pragma once

#include "uninstaller/controls/painted_static_win.h"

class CEtchedFrame : public CPaintedStatic {
private:
    void Paint(HDC dc) override;
};
