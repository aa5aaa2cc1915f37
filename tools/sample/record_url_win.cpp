// record_url: stands in for a web browser. Registered as the handler of
// http addresses, it writes "url|<its argument>" to the record file.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tools/sample/record_file_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The handler's command is "record_url.exe" "%1", so the address is one
    // argument; should a shell pass it unquoted, the pieces are joined again.
    std::string address;
    for (int i = 1; i < __argc; ++i) {
        if (i > 1)
            address += ' ';
        address += __argv[i];
    }
    return sample::AppendRecord("url|" + address) ? 0 : 1;
}
