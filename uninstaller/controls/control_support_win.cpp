#include "uninstaller/controls/control_support_win.h"

#include <cstddef>
#include <cstring>

#include "framework/gdi_win.h"
#include "uninstaller/controls/control_rules.h"

ColorRgb SystemButtonFace()
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    return ColorRgb{GetRValue(face), GetGValue(face), GetBValue(face)};
}

COLORREF ToColorRef(const ColorRgb& color)
{
    return RGB(color.red, color.green, color.blue);
}

COLORREF ColorFromText(const CString& colorText)
{
    return ToColorRef(ResolveColorText(colorText, SystemButtonFace()));
}

NONCLIENTMETRICSA ReadNonClientMetrics()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return metrics;
}

int PointsToPixels(HWND control, int pointSize)
{
    CClientDC dc(control);
    return ::MulDiv(pointSize, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
}

void ApplyFontChoice(LOGFONTA& font, int pixelHeight, const CString& faceName, int bold, int italic)
{
    font.lfHeight = -pixelHeight;
    font.lfWeight = bold == 255 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic == 255 ? TRUE : FALSE;
    // A longer face name than the field holds is cut, never written past it.
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::strncpy(font.lfFaceName, faceName.GetString(), LF_FACESIZE - 1);
}
