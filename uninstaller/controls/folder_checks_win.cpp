#include "uninstaller/controls/folder_checks_win.h"

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
