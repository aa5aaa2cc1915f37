#include "uninstaller/controls/color_check_button_win.h"

#include "uninstaller/controls/control_support_win.h"

BEGIN_MESSAGE_MAP(CColorCheckButton, CButton)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorCheckButton::~CColorCheckButton()
{
    // The window goes before the brush it may still be painting with.
    DestroyWindow();
}

void CColorCheckButton::SetBackColor(const CString& colorText)
{
    backColor_ = ColorFromText(colorText);
    // One brush per colour: the brush of the old colour goes now, not at the end.
    backBrush_.CreateSolidBrush(backColor_);
    Invalidate(true);
}

void CColorCheckButton::SetSecondColor(const CString& colorText)
{
    secondColor_ = ColorFromText(colorText);
    Invalidate(true);
}

HBRUSH CColorCheckButton::CtlColor(HDC, UINT)
{
    // A button asked before any colour was set gets the initial colour's
    // brush, made now and kept for the next request.
    if (!backBrush_)
        backBrush_.CreateSolidBrush(backColor_);
    return backBrush_.GetSafeHandle();
}
