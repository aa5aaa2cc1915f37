// record_run: a removal program of the sample product. It shows no window;
// it writes "program|<its whole command line>|<its current folder>" to the
// record file and ends with 0.
#include <windows.h>

#include <string>

#include "tools/sample/record_file_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    // The whole command line as the process got it: with no command line at
    // all, Windows gives the program path here.
    sample::AppendRecord(std::string("program|") + GetCommandLineA() + "|" + folder);
    return 0;
}
