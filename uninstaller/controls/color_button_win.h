// CColorButton: a page's push button or group box, with a font of its own and
// a background brush that it hands out when the button asks its parent for
// colours.
#pragma once

#include <windows.h>

#include "framework/controls_win.h"
#include "framework/cstring.h"
#include "framework/gdi_win.h"

class CColorButton : public CButton {
public:
    ~CColorButton() override;

    // Makes the background brush from a colour text; repaints.
    void SetBackColor(const CString& colorText);
    // Makes the own font from a font choice (bold and italic 255 for yes) and
    // gives it to the window.
    void SetTextFont(const CString& faceName, int pointSize, int bold, int italic);

protected:
    // The reflected colour request: the background brush, or none (null)
    // while no colour was set, which leaves the choice to the parent.
    HBRUSH CtlColor(HDC dc, UINT type);

    DECLARE_MESSAGE_MAP()

private:
    CFont ownFont_;
    CBrush backBrush_;
};
