// record_run: a removal program of the sample product. It shows no window;
// it writes "program|<its whole command line>|<its current folder>" to the
// record file and ends with 0. With KELRUN_RECORD_DELAY_MS set it then
// waits that long first, like a removal program that takes its time.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tools/sample/record_file_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    // The whole command line as the process got it: with no command line at
    // all, Windows gives the program path here.
    sample::AppendRecord(std::string("program|") + GetCommandLineA() + "|" + folder);
    char delay[32] = {};
    if (GetEnvironmentVariableA("KELRUN_RECORD_DELAY_MS", delay, sizeof delay) > 0)
        Sleep(static_cast<DWORD>(std::strtoul(delay, nullptr, 10)));
    return 0;
}
