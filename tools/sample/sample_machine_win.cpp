// Where the sample product goes on this machine.
#include <windows.h>
#include <shlobj.h>

#include "tools/sample/sample_setup_win.h"

namespace sample {
namespace {

std::string ShellFolder(int id, const char* fallback)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)))
        return fallback;
    return path;
}

std::string WithoutTrailingBackslash(std::string path)
{
    // "C:\" stays as it is: without its backslash it would name the current
    // folder of drive C.
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

}  // namespace

Locations LocateOnThisMachine(const std::string& code, const std::string& name,
                              const std::string& installFolder)
{
    Locations where;
    where.code = code;
    where.name = name;
    where.installFolder = installFolder.empty()
                              ? ShellFolder(CSIDL_PROGRAM_FILES, "C:\\Program Files") + "\\" + name
                              : WithoutTrailingBackslash(installFolder);
    where.programsFolder = ShellFolder(CSIDL_COMMON_PROGRAMS,
                                       "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
    where.desktopFolder = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY, "C:\\Users\\Public\\Desktop");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    where.windowsFolder = WithoutTrailingBackslash(windows);
    return where;
}

HKEY RootKeyByName(const std::string& root)
{
    if (root == "HKEY_CURRENT_USER")
        return HKEY_CURRENT_USER;
    if (root == "HKEY_LOCAL_MACHINE")
        return HKEY_LOCAL_MACHINE;
    return nullptr;
}

}  // namespace sample
