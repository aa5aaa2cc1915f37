// A tiny program around the folder browse dialog for the tests under Wine:
//   folder_browse_probe RESULT_FILE [INITIAL_FOLDER | --current]
// shows the dialog as the page runtime does (caption "Lumetra Parvane", the
// prompt, by default an empty initial folder, no parent) and writes the
// result of DoModal and the chosen folder to RESULT_FILE, one per line.
// --current passes no initial folder, so the current folder is selected.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/app_win.h"
#include "uninstaller/controls/folder_browser_win.h"

namespace {

class ProbeApp : public CWinApp {
public:
    bool InitInstance() override
    {
        if (__argc < 2) {
            SetExitCode(3);
            return false;
        }
        const char* initialFolder = "";
        if (__argc >= 3)
            initialFolder = std::strcmp(__argv[2], "--current") == 0 ? nullptr : __argv[2];
        CFolderBrowser browser("Lumetra Parvane", "Choose destination directory...", initialFolder);
        const int result = browser.DoModal();
        std::FILE* file = std::fopen(__argv[1], "wb");
        if (!file) {
            SetExitCode(4);
            return false;
        }
        std::fprintf(file, "%d\n%s\n", result, browser.GetFolder().GetString());
        std::fclose(file);
        SetExitCode(result == 1 ? 0 : 1);
        return false;
    }
};

ProbeApp theApp;

}  // namespace
