#include "uninstaller/pages/profile_reader_win.h"

#include <windows.h>

#include <string>

namespace {

// A section's key list larger than this is cut here: no page comes near it,
// and the buffer must not grow without bound for a hostile file.
constexpr DWORD MaxKeyListSize = 64u * 1024u * 1024u;

}  // namespace

CString ProfileReaderWin::ReadString(const CString& path, const CString& section, const CString& key,
                                     int bufferSize)
{
    if (bufferSize <= 0)
        return CString();
    std::string buffer(static_cast<std::size_t>(bufferSize), '\0');
    const DWORD length = GetPrivateProfileStringA(section, key, "", &buffer[0], static_cast<DWORD>(bufferSize), path);
    buffer.resize(length < static_cast<DWORD>(bufferSize) ? length : static_cast<DWORD>(bufferSize) - 1);
    return CString(std::move(buffer));
}

std::vector<CString> ProfileReaderWin::ReadKeyNames(const CString& path, const CString& section)
{
    // With no key name the reader lists the names, each ended by a NUL and
    // the list by a second one. When the buffer is too small it returns the
    // buffer size minus 2, with the last name possibly cut: grow and retry.
    std::string buffer;
    DWORD length = 0;
    for (DWORD size = 4096;; size *= 2) {
        buffer.assign(size, '\0');
        length = GetPrivateProfileStringA(section, nullptr, "", &buffer[0], size, path);
        if (length < size - 2 || size >= MaxKeyListSize)
            break;
    }
    std::vector<CString> names;
    std::size_t start = 0;
    for (std::size_t at = 0; at < length; ++at) {
        if (buffer[at] == '\0') {
            names.emplace_back(buffer.data() + start, at - start);
            start = at + 1;
        }
    }
    if (start < length)
        names.emplace_back(buffer.data() + start, length - start);
    return names;
}
