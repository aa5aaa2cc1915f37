// The folder checks' view of the machine on Windows: folder attributes,
// CreateDirectory and message boxes over the browse dialog.
#pragma once

#include <windows.h>

#include "framework/wnd_win.h"
#include "uninstaller/controls/folder_checks.h"

class FolderCheckSystemWin : public FolderCheckSystem {
public:
    // The message boxes are the framework's, owned by `owner`'s window and
    // titled with the program's name.
    explicit FolderCheckSystemWin(CWnd& owner) : owner_(owner) {}

    bool FolderExists(const CString& path) override;
    void CreateOneFolder(const CString& path) override;
    int ShowMessageBox(const CString& text, unsigned flags) override;
    CString InstallFolderRefusal(const CString& path) override;

private:
    CWnd& owner_;  // not owned: the window the boxes are modal to
};
