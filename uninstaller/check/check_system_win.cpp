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

bool Win32CheckSystem::IsFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
