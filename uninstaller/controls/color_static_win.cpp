#include "uninstaller/controls/color_static_win.h"

#include <optional>

#include "uninstaller/controls/control_rules.h"
#include "uninstaller/controls/control_support_win.h"

static_assert(AlignWrapLeft == (DT_WORDBREAK | DT_LEFT) && AlignWrapCenter == (DT_WORDBREAK | DT_CENTER) &&
                  AlignWrapRight == (DT_WORDBREAK | DT_RIGHT),
              "the alignment values are DrawText flags");

CColorStatic::CColorStatic() : alignment_(AlignNone), backColor_(::GetSysColor(COLOR_BTNFACE)) {}

CColorStatic::~CColorStatic()
{
    // The window goes first, so that it never holds a font of ours that is
    // already deleted.
    DestroyWindow();
}

void CColorStatic::SetTextColor(COLORREF color)
{
    textColor_ = color;
    Invalidate(true);
}

void CColorStatic::SetBackColor(const CString& colorText)
{
    // Only the face colour spelled out as three numbers leaves the
    // background unpainted; the word COLOR_BTNFACE (or nothing) paints it in
    // the face colour like any other colour.
    const ColorRgb face = SystemButtonFace();
    fill_ = BackColorPaintsBackground(colorText, face) ? 1 : 0;
    backColor_ = ToColorRef(ResolveColorText(colorText, face));
    backBrush_.CreateSolidBrush(backColor_);  // deletes the brush it replaces
    Invalidate(true);
}

void CColorStatic::SetAlignment(const CString& word)
{
    alignment_ = AlignmentFlagsFor(word.view(), alignment_);
    Invalidate(true);
}

void CColorStatic::SetTextFont(const CString& faceName, int pointSize, int bold, int italic)
{
    metrics_ = ReadNonClientMetrics();
    const int pixelHeight = PointsToPixels(m_hWnd, pointSize);
    LOGFONTA& font = metrics_.lfStatusFont;
    ApplyFontChoice(font, pixelHeight, faceName, bold, italic);
    font.lfUnderline = link_ == 255 ? TRUE : FALSE;
    ownFont_.CreateFontIndirect(font);
    drawingFont_ = &ownFont_;
    SendOwnFont();
    faceName_ = faceName;
    pointSize_ = pointSize;
    bold_ = bold;
    italic_ = italic;
    fontHeight_ = -pixelHeight;
}

void CColorStatic::UsePageFont(const CFont* pageFont)
{
    drawingFont_ = pageFont;
    LOGFONTA font{};
    if (pageFont && pageFont->GetSafeHandle() &&
        ::GetObjectA(pageFont->GetSafeHandle(), sizeof font, &font) == sizeof font) {
        faceName_ = font.lfFaceName;
        fontHeight_ = font.lfHeight;
    }
}

void CColorStatic::SetLinkStyle(int link)
{
    if (link == 255) {
        link_ = 255;
        SetTextColor(RGB(0, 0, 255));
        RemakeFont(true);
    } else if (link == 0) {
        link_ = 0;
        RemakeFont(false);
        // A text the link made blue stays blue: the colour is only set again.
        SetTextColor(textColor_);
    }
    Invalidate(true);
}

void CColorStatic::RemakeFont(bool underline)
{
    // Before any font choice the record is still empty; the system's
    // status-bar font is then the font to start from, not a font without a
    // face.
    if (metrics_.cbSize == 0)
        metrics_ = ReadNonClientMetrics();
    LOGFONTA font = metrics_.lfStatusFont;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfItalic = italic_ == 255 ? TRUE : FALSE;
    font.lfWeight = bold_ == 255 ? FW_BOLD : FW_NORMAL;
    font.lfHeight = fontHeight_;
    ownFont_.CreateFontIndirect(font);
    drawingFont_ = &ownFont_;
    SendOwnFont();
}

void CColorStatic::SendOwnFont()
{
    if (m_hWnd)
        SetFont(ownFont_, true);
}

void CColorStatic::Paint(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const CString text = GetWindowText();

    std::optional<ScopedSelectObject> font;
    if (drawingFont_ && drawingFont_->GetSafeHandle())
        font.emplace(dc, drawingFont_->GetSafeHandle());
    ::SetBkMode(dc, backMode_);
    if (fill_ == 1) {
        ::SetBkColor(dc, backColor_);
        ::FillRect(dc, &client, backBrush_);
    }
    ::SetTextColor(dc, textColor_);
    ::DrawTextA(dc, text, -1, &client, static_cast<UINT>(alignment_));
}
