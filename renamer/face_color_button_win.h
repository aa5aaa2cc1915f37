// CFaceColorButton: a push button with a face colour of its own. Windows draws
// push buttons in the system's face colour whatever the parent answers to
// WM_CTLCOLORBTN, so the button is owner-drawn: face, 3D edge, text and
// focus rectangle.
#pragma once

#include "framework/gdi_win.h"
#include "framework/wnd_win.h"

namespace pelmora {

class CFaceColorButton : public CWnd {
public:
    // Create the window with BS_OWNERDRAW, then set the face colour.
    void SetFaceColor(COLORREF color) { face_.CreateSolidBrush(color); }

protected:
    void DrawItem(DRAWITEMSTRUCT* item);

    DECLARE_MESSAGE_MAP()

private:
    CBrush face_;
};

}  // namespace pelmora
