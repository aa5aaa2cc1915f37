// record_hook.dll: a removal library of the sample product. The uninstaller
// calls its export with a 256-byte text buffer.
#include <windows.h>

#include <cstring>
#include <string>

#include "tools/sample/record_file_win.h"

namespace {
constexpr std::size_t kBufferSize = 256;
}

// Writes "library|<the text in buffer>" to the record file, then fills the
// whole buffer, so that a caller that passes less than 256 bytes has its
// memory overwritten where a test can see it.
extern "C" __declspec(dllexport) void __stdcall UnregisterSample(char* buffer)
{
    if (!buffer)
        return;
    sample::AppendRecord("library|" + std::string(buffer, strnlen(buffer, kBufferSize)));
    std::memset(buffer, '#', kBufferSize - 1);
    buffer[kBufferSize - 1] = '\0';
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
