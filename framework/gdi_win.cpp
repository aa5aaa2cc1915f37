#include "framework/gdi_win.h"

#include <cmath>
#include <cstring>

bool CFont::CreatePointFont(const char* face, double points, int weight, bool italic)
{
    LOGFONTA font{};
    CClientDC screen(nullptr);
    // Character height in pixels for the screen, negative as LOGFONT wants it.
    font.lfHeight = -static_cast<LONG>(std::lround(points * ::GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    font.lfWeight = weight;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(font);
}
