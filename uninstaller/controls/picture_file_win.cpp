#include "uninstaller/controls/picture_file_win.h"

#include <utility>

#include "framework/handle_win.h"
#include "uninstaller/controls/control_rules.h"

namespace {

// Owns a movable global memory block until a stream takes it over.
struct GlobalTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type block) { ::GlobalFree(block); }
};
using CGlobalMemory = UniqueHandle<GlobalTraits>;

// The whole file in a movable block, or why there is none.
PictureFileStatus ReadIntoGlobalMemory(const CString& path, CGlobalMemory* block, LONG* size)
{
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return PictureFileStatus::Missing;
    // Others may read the file meanwhile, but nobody may write it: a file
    // that another program is writing is not read half done.
    CFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return PictureFileStatus::Unreadable;
    // The size comes from the open file, so the file that is read is the
    // one that was measured: a name swapped meanwhile changes nothing.
    LARGE_INTEGER fileSize{};
    if (!::GetFileSizeEx(file.Get(), &fileSize) || fileSize.QuadPart <= 0)
        return PictureFileStatus::Unreadable;
    if (fileSize.QuadPart > MaxPictureFileBytes)
        return PictureFileStatus::TooLarge;
    const DWORD total = static_cast<DWORD>(fileSize.QuadPart);
    CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, total));
    if (!memory)
        return PictureFileStatus::Unreadable;
    void* bytes = ::GlobalLock(memory.Get());
    if (!bytes)
        return PictureFileStatus::Unreadable;
    // ReadFile may hand back less than asked: read until the whole file is
    // in, and take a file that ends early as unreadable.
    DWORD done = 0;
    while (done < total) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), static_cast<char*>(bytes) + done, total - done, &read, nullptr) || read == 0)
            break;
        done += read;
    }
    ::GlobalUnlock(memory.Get());
    if (done != total)
        return PictureFileStatus::Unreadable;
    *block = std::move(memory);
    *size = static_cast<LONG>(total);
    return PictureFileStatus::Loaded;
}

}  // namespace

PictureFile LoadPictureFile(const CString& path)
{
    PictureFile result;
    CGlobalMemory block;
    LONG size = 0;
    result.status = ReadIntoGlobalMemory(path, &block, &size);
    if (result.status != PictureFileStatus::Loaded)
        return result;
    result.status = PictureFileStatus::NotAPicture;
    // The stream frees the block when it is released.
    CComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Receive())) || !stream)
        return result;
    block.Release();
    // The decoder reads no more than the block holds.
    CComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.Get(), size, FALSE, IID_IPicture, picture.ReceiveVoid())) || !picture)
        return result;
    result.status = PictureFileStatus::Loaded;
    result.picture = std::move(picture);
    return result;
}
