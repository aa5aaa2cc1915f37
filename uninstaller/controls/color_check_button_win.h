// CColorCheckButton: a page's radio button or check box, on a background of
// its own colour, handed out as a brush when the button asks its parent for
// colours.
#pragma once

#include <windows.h>

#include "framework/controls_win.h"
#include "framework/cstring.h"
#include "framework/gdi_win.h"

class CColorCheckButton : public CButton {
public:
    ~CColorCheckButton() override;

    // Background colour from a colour text; repaints.
    void SetBackColor(const CString& colorText);
    // The second colour, kept for the page; repaints.
    void SetSecondColor(const CString& colorText);

    COLORREF GetBackColor() const { return backColor_; }
    COLORREF GetSecondColor() const { return secondColor_; }

protected:
    // The reflected colour request: a solid brush of the background colour.
    HBRUSH CtlColor(HDC dc, UINT type);

    DECLARE_MESSAGE_MAP()

private:
    // Kept for the page; nothing of the control reads them.
    long value_ = -1;
    COLORREF secondColor_ = RGB(255, 255, 255);
    COLORREF backColor_ = RGB(0, 0, 0);
    int flag_ = 0;
    CBrush backBrush_;  // one brush for the current background colour
};
