#include "uninstaller/controls/color_button_win.h"

#include "uninstaller/controls/control_support_win.h"

BEGIN_MESSAGE_MAP(CColorButton, CButton)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorButton::~CColorButton()
{
    // The window goes before the font and brush it may still be using.
    DestroyWindow();
}

void CColorButton::SetBackColor(const CString& colorText)
{
    backBrush_.CreateSolidBrush(ColorFromText(colorText));  // deletes the brush it replaces
    Invalidate(true);
}

void CColorButton::SetTextFont(const CString& faceName, int pointSize, int bold, int italic)
{
    // The underline stays as the system's status-bar font has it.
    NONCLIENTMETRICSA metrics = ReadNonClientMetrics();
    ApplyFontChoice(metrics.lfStatusFont, PointsToPixels(m_hWnd, pointSize), faceName, bold, italic);
    ownFont_.CreateFontIndirect(metrics.lfStatusFont);  // deletes the font it replaces
    if (m_hWnd)
        SetFont(ownFont_, true);
}

HBRUSH CColorButton::CtlColor(HDC, UINT)
{
    // Only the brush: the text colour and background mode of the device
    // context stay as the button set them.
    return backBrush_.GetSafeHandle();
}
