// Reading folders and drives for the renamer's lists, its batch check and
// its undo. Names are read with the W functions and kept as UTF-8.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/cstring.h"

namespace pelmora {

struct FolderContents {
    std::vector<CString> files;       // the files a batch renames: not hidden, not system
    std::vector<CString> subfolders;  // the folders shown in the folder list
    std::vector<CString> entries;     // every name in the folder, whatever it is
    std::vector<CString> folders;     // every folder among the entries, hidden ones too
};

// Reads the folder's entries; files and subfolders come in natural order.
// False when the folder cannot be read (GetLastError tells why).
bool ReadFolder(const CString& folder, FolderContents* contents);

// The current folder of a drive ("C:\" unless the process moved on that drive).
CString CurrentFolderOfDrive(char letter);

// "Error 183: Cannot create a file when that file already exists."
CString SystemErrorText(DWORD error);

}  // namespace pelmora
