#include "uninstaller/skin/page_background_win.h"

#include <climits>
#include <utility>

#include "framework/handle_win.h"

namespace {

// Owns a movable global memory block until a stream takes it over.
struct GlobalTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type block) { ::GlobalFree(block); }
};
using CGlobalMemory = UniqueHandle<GlobalTraits>;

// The whole file in a movable block; empty when it cannot be read whole.
CGlobalMemory ReadIntoGlobalMemory(const CString& path, LONG* size)
{
    // No sharing: a file another program is writing is not read half done.
    CFileHandle file(::CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return CGlobalMemory();
    LARGE_INTEGER fileSize{};
    // The picture decoder takes the size as a LONG: a larger file is no picture of ours.
    if (!::GetFileSizeEx(file.Get(), &fileSize) || fileSize.QuadPart <= 0 || fileSize.QuadPart > LONG_MAX)
        return CGlobalMemory();
    const DWORD total = static_cast<DWORD>(fileSize.QuadPart);
    CGlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, total));
    if (!block)
        return CGlobalMemory();
    void* bytes = ::GlobalLock(block.Get());
    if (!bytes)
        return CGlobalMemory();
    // ReadFile may hand back less than asked: read until the whole file is
    // in, and take a file that ends early as unreadable.
    DWORD done = 0;
    while (done < total) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), static_cast<char*>(bytes) + done, total - done, &read, nullptr) || read == 0)
            break;
        done += read;
    }
    ::GlobalUnlock(block.Get());
    if (done != total)
        return CGlobalMemory();
    *size = static_cast<LONG>(total);
    return block;
}

}  // namespace

DecodedPicture LoadPictureBitmap(const CString& path)
{
    LONG size = 0;
    CGlobalMemory block = ReadIntoGlobalMemory(path, &size);
    if (!block)
        return DecodedPicture();
    // The stream frees the block when it is released.
    CComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Receive())) || !stream)
        return DecodedPicture();
    block.Release();

    DecodedPicture decoded;
    if (FAILED(::OleLoadPicture(stream.Get(), size, FALSE, IID_IPicture, decoded.picture.ReceiveVoid())) ||
        !decoded.picture)
        return DecodedPicture();
    // An icon or a metafile decodes too, but its handle is no bitmap to blit.
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(decoded.picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(decoded.picture->get_Handle(&handle)) || handle == 0)
        return DecodedPicture();
    const auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP description{};
    if (::GetObjectA(bitmap, sizeof description, &description) != sizeof description)
        return DecodedPicture();
    decoded.bitmap = bitmap;
    decoded.width = description.bmWidth;
    decoded.height = description.bmHeight;
    return decoded;
}

void PageBackground::SetImage(const CString& path)
{
    // The old picture goes first, whatever becomes of the new one.
    Clear();
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return;
    picture_ = LoadPictureBitmap(path);
    hasPicture_ = picture_ ? 255 : 0;
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
