// CFileList: the files of one folder that a batch renames (hidden and system
// files are left out), in natural order.
#pragma once

#include <vector>

#include "framework/wnd_win.h"

namespace pelmora {

class CFileList : public CWnd {
public:
    // Shows the files of `folder`; an unreadable folder shows no files.
    void SetPath(const CString& folder);
    // Shows `names`, just read from `folder` (ReadFolder's files).
    void Show(const CString& folder, std::vector<CString> names);
    // Reads the current folder again.
    void Refresh() { SetPath(path_); }

    const CString& GetPath() const { return path_; }
    const std::vector<CString>& GetNames() const { return names_; }

private:
    CString path_;
    std::vector<CString> names_;  // what the list shows, line by line
};

}  // namespace pelmora
