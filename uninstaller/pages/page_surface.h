// PageSurface: everything the page model does to the page window and its
// controls. The page window implements it with real windows; the unit tests
// record the calls. The model decides what happens and in which order; an
// implementation only carries each call out.
//
// A control is addressed by its record: the object is the slot
// `control.KindIndex` of the pool of `control.KindCode` (PoolOf), and its
// window is the page window's child with the id `control.ControlId`. The
// record is only borrowed for the call. A control whose window was never
// made must be skipped quietly.
//
// Colour texts are passed as the page file gives them: three numbers such
// as "0,128,255" (parse with ParseColorText), or "COLOR_BTNFACE" or an empty
// text, both the system's button face colour (SpellOutColorText with
// ButtonFaceColor() turns either into numbers first).
#pragma once

#include <cstdint>

#include "framework/cstring.h"
#include "uninstaller/common/color_text.h"
#include "uninstaller/pages/page_control.h"

// Face, size in points and the bold and italic switches (255 yes, 0 no).
struct FontSpec {
    CString face;
    int points = 0;
    int bold = 0;
    int italic = 0;

    friend bool operator==(const FontSpec& a, const FontSpec& b)
    {
        return a.face == b.face && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
    }
};

// Style bits of the page window that page files switch.
enum class WindowStyleBit {
    ThinBorder,   // WS_BORDER: without it the caption becomes a plain dialog frame
    MinimizeBox,  // WS_MINIMIZEBOX
    MaximizeBox,  // WS_MAXIMIZEBOX
    SystemMenu,   // WS_SYSMENU, which carries the close box
};

// WS_EX_RIGHT | WS_EX_NOPARENTNOTIFY: the settings text box ("IDC_SETTINGS").
constexpr std::uint32_t SettingsBoxExStyles = 0x1004;

class PageSurface {
public:
    virtual ~PageSurface() = default;

    // ---- The page window

    // Sets the window title.
    virtual void SetWindowTitle(const CString& title) = 0;
    // The window's background colour: a new solid brush of the colour
    // replaces the window's background brush (the old one is released), and
    // the whole window is invalidated, background included.
    virtual void SetWindowBackColor(const CString& colorText) = 0;
    // Sets or clears one style bit (ModifyStyle, no frame-changed flag).
    virtual void SetWindowStyle(WindowStyleBit bit, bool on) = 0;
    // Adds WS_EX_APPWINDOW, so that the page gets a taskbar button although
    // its owner is never shown.
    virtual void ShowOnTaskbar() = 0;
    // Loads the background picture from `path` (a file name as the page gives
    // it, not resolved against any folder). A missing or undecodable file
    // leaves the window without a picture. Invalidates the whole window.
    virtual void SetBackgroundImage(const CString& path) = 0;
    // The window has no background picture any more (nothing is drawn for it).
    virtual void ClearBackgroundImage() = 0;
    // Remakes the shared page font from `font` and `height` (0: from the point
    // size), hands it to the controls already on the page that use it and
    // invalidates the window. The model has stored the settings already.
    virtual void SetPageFont(const FontSpec& font, int height) = 0;
    // Invalidates the whole window, background included.
    virtual void RedrawPage() = 0;
    // The system's button face colour (GetSysColor(COLOR_BTNFACE)).
    virtual ColorRgb ButtonFaceColor() = 0;

    // ---- Controls

    // Sets the control's window text.
    virtual void SetControlText(const PageControl& control, const CString& text) = 0;
    // The page window's colour setter for a control: `which` 0 is the text
    // colour, 1 the back colour. What it does depends on the kind: TEXT sets
    // the text colour (0) or the back colour (1); RECT, GROUPBOX, RADIO and
    // CHECKBOX set their colour (1 only); TEXTBOX and RICHTEXT only repaint
    // (1). Every case that acts, and TEXTBOX and RICHTEXT for 1, ends by
    // invalidating the whole page window. Any other kind or `which` does nothing.
    virtual void SetControlColor(const PageControl& control, const CString& colorText, int which) = 0;
    // Makes and sets the control's own font (the control's SetTextFont).
    virtual void SetControlFont(const PageControl& control, const FontSpec& font) = 0;
    // A text's alignment: `word` is "Center", "Left" or "Right".
    virtual void SetTextAlignment(const PageControl& control, const char* word) = 0;
    // A text's link look: 255 on (blue, underlined), 0 off.
    virtual void SetLinkStyle(const PageControl& control, int flag) = 0;
    // A radio button's second colour.
    virtual void SetSecondColor(const PageControl& control, const CString& colorText) = 0;
    // A picture's or an icon's back colour, always three numbers ("%u,%u,%u").
    virtual void SetPictureBackColor(const PageControl& control, const CString& colorText) = 0;
    // An icon control shows built-in icon `index` (0 to 7, in the order of
    // ReadIconReference) and repaints.
    virtual void SetIconIndex(const PageControl& control, int index) = 0;
    // An icon control loads its picture from the file at `path` (never empty).
    virtual void LoadPicture(const PageControl& control, const CString& path) = 0;
    // Sets or clears the control's thin border (WS_BORDER).
    virtual void SetControlBorder(const PageControl& control, bool on) = 0;
    // Adds extended styles to the control and redraws its frame
    // (SWP_FRAMECHANGED).
    virtual void AddExtendedStyle(const PageControl& control, std::uint32_t exStyles) = 0;
    // Makes the button the default push button (BS_DEFPUSHBUTTON added,
    // frame redrawn).
    virtual void MakeDefaultButton(const PageControl& control) = 0;
    // Enables or disables the control's window.
    virtual void EnableControl(const PageControl& control, bool enable) = 0;
};
