// PageBackground: what a page window paints behind its controls: the page
// colour as a solid brush, and an optional picture stretched over the whole
// window.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "framework/com_ptr_win.h"
#include "framework/cstring.h"
#include "framework/gdi_win.h"
#include "uninstaller/controls/picture_file_win.h"

// A picture file decoded by the system's picture object. The object owns
// the bitmap: `bitmap` is valid exactly as long as `picture` is held.
struct DecodedPicture {
    PictureFileStatus status = PictureFileStatus::Missing;  // Loaded: a bitmap is here
    CComPtr<IPicture> picture;
    HBITMAP bitmap = nullptr;  // borrowed from `picture`
    int width = 0;             // pixels
    int height = 0;

    explicit operator bool() const { return bitmap != nullptr; }
};

// Reads a BMP, JPEG or GIF file whole and decodes it. Empty on any failure:
// no such file, a file over 32 MB, a file another program is writing, a read
// that falls short, or contents that are no bitmap picture.
DecodedPicture LoadPictureBitmap(const CString& path);

class PageBackground {
public:
    // The page colour: a new solid brush replaces the one held (deleted).
    void SetColor(COLORREF color) { backBrush_.CreateSolidBrush(color); }
    HBRUSH Brush() const { return backBrush_.GetSafeHandle(); }

    // Loads the picture from `path`; a missing, oversized or undecodable
    // file leaves no picture. The picture held before is released either way.
    PictureFileStatus SetImage(const CString& path);
    void Clear();
    bool HasPicture() const { return hasPicture_ == 255; }
    int PictureWidth() const { return picture_.width; }
    int PictureHeight() const { return picture_.height; }

    // Stretches the whole picture over `width` x `height` pixels at 0,0 of
    // `dc`; nothing without a picture.
    void Paint(HDC dc, int width, int height) const;

private:
    CBrush backBrush_;        // owned
    int hasPicture_ = 0;  // 255 while a picture is loaded
    DecodedPicture picture_;  // owns BackBitmap through its picture object
};
