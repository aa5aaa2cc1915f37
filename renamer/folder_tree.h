// What the drive and folder lists show, as text: the entry of a drive and the
// indented lines of a folder tree. Plain text processing: no Windows calls.
#pragma once

#include <vector>

#include "framework/cstring.h"

namespace pelmora {

// A drive list entry: the drive letter in lower case and a colon, then its
// volume label in brackets when it has one ("c: [System]", "a:").
CString DriveEntryText(char letter, const CString& volumeLabel);

// One line of the folder list.
struct FolderLine {
    CString text;  // the root as "c:\", any other folder by its own name
    CString path;  // the folder's full path ("C:\", "C:\Photos")
    int depth = 0;  // indentation level
    bool open = false;  // on the path to the current folder (or the folder itself)
};

// The folder list for `folder` ("C:\Photos\2006" or "C:\"): the path from the
// root down to the folder, one level deeper each, then its `subfolders`
// (names, in the order given) one level below it.
std::vector<FolderLine> BuildFolderTree(const CString& folder, const std::vector<CString>& subfolders);

}  // namespace pelmora
