#include "uninstaller/controls/folder_checks_win.h"

#include "uninstaller/common/product_values.h"
#include "uninstaller/removal/removal_system_win.h"
#include "uninstaller/removal/tree_guard.h"

bool FolderCheckSystemWin::FolderExists(const CString& path)
{
    // GetFileAttributes finds a drive root ("C:\") where the file search does
    // not; the folder bit keeps a file of the same name from passing as the
    // folder.
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FolderCheckSystemWin::CreateOneFolder(const CString& path)
{
    ::CreateDirectoryA(path, nullptr);
}

int FolderCheckSystemWin::ShowMessageBox(const CString& text, unsigned flags)
{
    // Owned by the browse dialog, the box disables it while it is up, so OK
    // cannot be pressed again behind the question.
    return owner_.MessageBox(text, nullptr, flags);
}

CString FolderCheckSystemWin::InstallFolderRefusal(const CString& path)
{
    // The very check the removal makes before it takes the installation tree.
    Win32RemovalSystem system;
    return TreeRemovalRefusal(system.FullPath(path), WithFinalPaths(system, system.GetProtectedFolders()),
                              TheProduct().ProductFolder, &system);
}
