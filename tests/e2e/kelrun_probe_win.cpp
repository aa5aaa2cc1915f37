// kelrun_probe.dll: a removal library for the end-to-end tests. kelrun loads
// it into its own process and calls its exports on the removal's thread, so
// they see kelrun from inside and can hold the removal up.
#include <windows.h>

#include <string>
#include <type_traits>

#include "uninstaller/removal/library_export_win.h"

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

}  // namespace

// Writes kelrun's process error mode, in decimal, to the file named by
// KELRUN_PROBE_FILE.
extern "C" __declspec(dllexport) void __stdcall RecordErrorMode(char*)
{
    const std::string path = Environment("KELRUN_PROBE_FILE");
    const std::string mode = std::to_string(::GetErrorMode());
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, mode.data(), static_cast<DWORD>(mode.size()), &written, nullptr);
    ::CloseHandle(file);
}

// Holds the removal until the file named by KELRUN_PROBE_GATE exists (two
// minutes at most), so that a test acts on the page while it runs and then
// lets it finish at once.
extern "C" __declspec(dllexport) void __stdcall WaitForGate(char*)
{
    const std::string gate = Environment("KELRUN_PROBE_GATE");
    for (int waited = 0; waited < 120000 && ::GetFileAttributesA(gate.c_str()) == INVALID_FILE_ATTRIBUTES;
         waited += 20)
        ::Sleep(20);
}

static_assert(std::is_same_v<decltype(&RecordErrorMode), LibraryExport>);
static_assert(std::is_same_v<decltype(&WaitForGate), LibraryExport>);

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
