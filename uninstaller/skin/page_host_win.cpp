#include "uninstaller/skin/page_host_win.h"

#include <cstddef>
#include <cstring>

#include "framework/app_win.h"
#include "framework/wnd_win.h"

PageHost* FindPageHost()
{
    return dynamic_cast<PageHost*>(AfxGetMainWnd());
}

void PageHost::QuitFromPage()
{
    ::PostQuitMessage(0);
}

bool MakePageFont(CFont& font, const CString& faceName, int height, int bold, int italic, int pointSize)
{
    // The structure without its last member (iPaddedBorderWidth) is the size
    // that every Windows version accepts.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    LOGFONTA description = metrics.lfStatusFont;
    if (height != 0) {
        description.lfHeight = height;
    } else {
        CClientDC screen(nullptr);
        description.lfHeight = -::MulDiv(pointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    }
    description.lfWeight = bold == 255 ? FW_BOLD : FW_NORMAL;
    description.lfItalic = italic == 255 ? TRUE : FALSE;
    // A face name holds 31 characters and its terminating NUL: a longer one
    // is cut, never written past the field.
    std::memset(description.lfFaceName, 0, sizeof description.lfFaceName);
    std::strncpy(description.lfFaceName, faceName, LF_FACESIZE - 1);
    return font.CreateFontIndirect(description);
}
