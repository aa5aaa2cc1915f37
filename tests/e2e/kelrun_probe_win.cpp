// kelrun_probe.dll: a removal library for the end-to-end tests; kelrun calls
// its export on the removal's thread, inside its own process.
#include <windows.h>

#include <cstdio>

#include "uninstaller/removal/library_export_win.h"

// Writes kelrun's error mode, in decimal, to the file KELRUN_PROBE_FILE names
// and holds the removal until the test deletes that file (two minutes at most).
extern "C" __declspec(dllexport) void __stdcall HoldRemoval(char*)
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("KELRUN_PROBE_FILE", path, MAX_PATH);
    FILE* file = length > 0 && length < MAX_PATH ? std::fopen(path, "w") : nullptr;
    if (!file)
        return;
    std::fprintf(file, "%u", ::GetErrorMode());
    std::fclose(file);
    for (int waited = 0; waited < 120000 && ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; waited += 20)
        ::Sleep(20);
}

static_assert(std::is_same_v<decltype(&HoldRemoval), LibraryExport>);
