#include "uninstaller/check/check_system_win.h"

#include <windows.h>

bool Win32CheckSystem::ReadFile(const CString& path, std::string* contents, std::uint32_t* error)
{
    return ReadWholeFile(path, contents, error);
}

CString Win32CheckSystem::ErrorText(std::uint32_t error)
{
    return SystemErrorText(error);
}

long long Win32CheckSystem::FileSize(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
