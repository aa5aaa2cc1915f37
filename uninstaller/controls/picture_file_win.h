// A page's picture file decoded by the system's picture object (BMP, JPEG,
// GIF): the background of a page and its picture and icon controls read
// their files here. A file is read whole, and only after its size, asked of
// the open file, is known to be at most MaxPictureFileBytes.
#pragma once

#include <windows.h>
#include <olectl.h>

#include "framework/com_ptr_win.h"
#include "framework/cstring.h"

enum class PictureFileStatus {
    Loaded,
    Missing,      // no file or folder of that name
    TooLarge,     // over MaxPictureFileBytes: no picture, as if it were missing
    Unreadable,   // a folder, a file held by another program, a short read
    NotAPicture,  // read, but the decoder makes nothing of it
};

struct PictureFile {
    PictureFileStatus status = PictureFileStatus::Missing;
    CComPtr<IPicture> picture;  // set only when Loaded
};

PictureFile LoadPictureFile(const CString& path);
