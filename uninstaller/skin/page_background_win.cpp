#include "uninstaller/skin/page_background_win.h"

#include <utility>

namespace {

DecodedPicture NoBitmap()
{
    DecodedPicture none;
    none.status = PictureFileStatus::NotAPicture;
    return none;
}

}  // namespace

DecodedPicture LoadPictureBitmap(const CString& path)
{
    PictureFile file = LoadPictureFile(path);
    DecodedPicture decoded;
    decoded.status = file.status;
    if (file.status != PictureFileStatus::Loaded)
        return decoded;
    decoded.picture = std::move(file.picture);
    // An icon or a metafile decodes too, but its handle is no bitmap to blit.
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(decoded.picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(decoded.picture->get_Handle(&handle)) || handle == 0)
        return NoBitmap();
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP description{};
    if (::GetObjectA(bitmap, sizeof description, &description) != sizeof description)
        return NoBitmap();
    decoded.bitmap = bitmap;
    decoded.width = description.bmWidth;
    decoded.height = description.bmHeight;
    return decoded;
}

PictureFileStatus PageBackground::SetImage(const CString& path)
{
    // The old picture goes first, whatever becomes of the new one.
    Clear();
    picture_ = LoadPictureBitmap(path);
    hasPicture_ = picture_ ? 255 : 0;
    return picture_.status;
}

void PageBackground::Clear()
{
    hasPicture_ = 0;
    picture_ = DecodedPicture();
}

void PageBackground::Paint(HDC dc, int width, int height) const
{
    if (!HasPicture())
        return;
    CMemoryDC memory(dc);
    ScopedSelectObject selected(memory, picture_.bitmap);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, 0, 0, width, height, memory, 0, 0, picture_.width, picture_.height, SRCCOPY);
}
