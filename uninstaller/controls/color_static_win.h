// CColorStatic: the text control of a page (and its rectangles, hot spots,
// animation boxes and list views). It paints itself: its own text colour,
// an optional background fill, its own or the page's font, and word-wrapped
// alignment; a link style makes the text blue and underlined.
#pragma once

#include <windows.h>

#include "framework/cstring.h"
#include "framework/gdi_win.h"
#include "uninstaller/controls/painted_static_win.h"

class CColorStatic : public CPaintedStatic {
public:
    CColorStatic();
    ~CColorStatic() override;

    // Text colour; repaints.
    void SetTextColor(COLORREF color);
    // Background colour from a colour text; see the .cpp for when it fills.
    void SetBackColor(const CString& colorText);
    // "Left", "Center" or "Right" wrap words with that alignment; any other
    // word keeps the alignment. Repaints in every case.
    void SetAlignment(const CString& word);
    // Makes the control's own font from a font choice (bold and italic 255 for
    // yes) and gives it to the window.
    void SetTextFont(const CString& faceName, int pointSize, int bold, int italic);
    // Draws with the page's font from now on. The font stays the caller's;
    // the control only borrows it and never deletes it. Nothing is sent to
    // the window.
    void UsePageFont(const CFont* pageFont);
    // 255 turns the link look on (blue, underlined), 0 off; anything else
    // only repaints.
    void SetLinkStyle(int link);
    // The font the control draws with: its own, the page's, or none (null),
    // which draws with whatever font the device context holds.
    const CFont* GetDrawingFont() const { return drawingFont_; }

private:
    void Paint(HDC dc) override;
    // Remakes the own font from the status-bar font entry with the stored
    // height, weight and italic flag, and the given underline.
    void RemakeFont(bool underline);
    void SendOwnFont();

    int fontHeight_ = 0;  // negative character height of the current font
    int link_ = 0;
    int pointSize_ = 0;
    CString faceName_;
    int bold_ = 0;
    int italic_ = 0;
    NONCLIENTMETRICSA metrics_{};  // its status-bar font is what every own font is made from
    CFont ownFont_;
    int alignment_;
    int fill_ = 0;  // 1: paint the background colour before the text
    COLORREF backColor_;
    COLORREF textColor_ = RGB(0, 0, 0);
    int backMode_ = TRANSPARENT;
    CBrush backBrush_;
    const CFont* drawingFont_ = nullptr;  // borrowed: &ownFont_ or the page's font; none keeps the DC's
};
