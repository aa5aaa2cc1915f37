// CPictureStatic: a page's picture (BITMAP, HOVER) or icon (ICON) control.
// It shows a picture file decoded by the system's picture object, drawn at
// its own size from the top left corner, or one of the eight page icons
// over its background colour.
#pragma once

#include <windows.h>
#include <olectl.h>

#include "framework/com_ptr_win.h"
#include "framework/cstring.h"
#include "framework/icon_win.h"
#include "uninstaller/controls/painted_static_win.h"
#include "uninstaller/controls/picture_file_win.h"

class CPictureStatic : public CPaintedStatic {
public:
    CPictureStatic();
    ~CPictureStatic() override;

    // Loads a BMP, JPEG or GIF file of at most 32 MB; the new picture
    // replaces the one held. A missing file is reported by a message box
    // (unless silenced); a larger file, or one that does not decode, is
    // passed over without one. Either way the control keeps what it had.
    // Does not repaint.
    PictureFileStatus LoadPicture(const CString& path);
    // Background colour from a colour text; repaints.
    void SetBackColor(const CString& colorText);
    // Shows page icon 0 to 7 (exclamation, info, error, typical, minimal,
    // custom, setup, folder) instead of a picture. Any other number switches
    // to showing the icon without choosing a new one.
    void SetIconIndex(int index);
    // True: a missing picture file is passed over without a message box, as
    // an unattended run needs. False (the default) shows the box.
    void SetSilent(bool silent) { silent_ = silent; }

    // The loaded picture's size in pixels (the page sizes picture controls by
    // it) and in HIMETRIC units as the picture reports it; 0 before a picture
    // was loaded.
    bool IsPictureLoaded() const { return pictureLoaded_ == 1; }
    int GetPixelWidth() const { return pixelWidth_; }
    int GetPixelHeight() const { return pixelHeight_; }
    int GetHimetricWidth() const { return himetricWidth_; }
    int GetHimetricHeight() const { return himetricHeight_; }

private:
    void Paint(HDC dc) override;
    void PaintIcon(HDC dc);
    void PaintPicture(HDC dc);

    CIcon icon_;  // owned: loaded from the program's resources
    int iconMode_ = 0;               // 255: paint the icon instead of a picture
    COLORREF backColor_;
    int pictureLoaded_ = 0;
    int pixelWidth_ = 0;
    int pixelHeight_ = 0;
    int himetricWidth_ = 0;
    int himetricHeight_ = 0;
    CComPtr<IPicture> picture_;
    bool silent_ = false;
};
