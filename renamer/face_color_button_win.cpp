#include "renamer/face_color_button_win.h"

#include <string>

#include "renamer/wide_win.h"

namespace pelmora {

BEGIN_MESSAGE_MAP(CFaceColorButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

void CFaceColorButton::DrawItem(DRAWITEMSTRUCT* item)
{
    HDC dc = item->hDC;
    RECT box = item->rcItem;
    const bool pushed = (item->itemState & ODS_SELECTED) != 0;
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;

    ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT face = box;
    ::InflateRect(&face, -2, -2);
    ::FillRect(dc, &face, face_ ? static_cast<HBRUSH>(face_) : ::GetSysColorBrush(COLOR_BTNFACE));

    const std::wstring text = WideWindowText(m_hWnd);
    ScopedSelectObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT textBox = face;
    if (pushed)
        ::OffsetRect(&textBox, 1, 1);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) {
        RECT focus = box;
        ::InflateRect(&focus, -4, -4);
        ::DrawFocusRect(dc, &focus);
    }
}

}  // namespace pelmora
