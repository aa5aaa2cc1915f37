// record_hook.dll: a removal library of the sample product. The uninstaller
// calls its exports with a text buffer of at least 256 bytes.
#include <windows.h>
#include <malloc.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "tools/sample/record_file_win.h"
#include "uninstaller/removal/library_export_win.h"

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

// Writes "argument|<size>|<text>": how many bytes the caller gave, and the
// text in them. An export cannot learn that from the pointer, but the C
// runtime can: a buffer that the caller allocated on the runtime's heap
// (as a std::vector does) is a heap block whose size _msize reports. A
// buffer that is no such block reports "unknown", so a test that expects a
// size fails for it too.
extern "C" __declspec(dllexport) void __stdcall ReportArgumentSize(char* buffer)
{
    if (!buffer)
        return;
    const std::size_t size = _msize(buffer);
    const std::string sizeText = size == static_cast<std::size_t>(-1) ? "unknown" : std::to_string(size);
    const std::size_t known = size == static_cast<std::size_t>(-1) ? kBufferSize : size;
    sample::AppendRecord("argument|" + sizeText + "|" + std::string(buffer, strnlen(buffer, known)));
}

namespace {

// "stack|<frame>|<text>": where the caller's stack stood when the export was
// entered (its own frame, a fixed distance above), and the text it was given.
void RecordStackAndText(const void* frame, const char* buffer)
{
    const std::string text = buffer ? std::string(buffer, strnlen(buffer, kBufferSize)) : "(none)";
    sample::AppendRecord("stack|" + std::to_string(reinterpret_cast<std::uintptr_t>(frame)) + "|" + text);
}

}  // namespace

// Called again from the same place, it must find the stack where it was. On
// 32-bit x86 that holds only when the caller and the export agree that the
// export removes its own argument.
extern "C" __declspec(dllexport) void __stdcall RecordStack(char* buffer)
{
    RecordStackAndText(__builtin_frame_address(0), buffer);
}

// The same export declared with the C convention, as a carelessly built
// removal library would export it: it leaves its argument on the stack, so
// a stdcall caller's stack moves four bytes at every call on 32-bit x86.
extern "C" __declspec(dllexport) void __cdecl RecordStackCdecl(char* buffer)
{
    RecordStackAndText(__builtin_frame_address(0), buffer);
}

// The exports have the one shape the uninstaller calls (all but the twin).
static_assert(std::is_same_v<decltype(&UnregisterSample), LibraryExport>);
static_assert(std::is_same_v<decltype(&ReportArgumentSize), LibraryExport>);
static_assert(std::is_same_v<decltype(&RecordStack), LibraryExport>);

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
