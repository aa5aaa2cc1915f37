// CFolderList: the folders of a drive as an indented list, the path from the
// root down to the current folder, then the current folder's subfolders.
// An owner-drawn list box: each line is indented by its depth and carries a
// small folder picture, open on the path and closed below it.
#pragma once

#include <vector>

#include "framework/gdi_win.h"
#include "framework/wnd_win.h"
#include "renamer/folder_scan_win.h"
#include "renamer/folder_tree.h"

namespace pelmora {

class CFolderList : public CWnd {
public:
    // Sets the line height for the list's font; call once after creation.
    void Init();
    // Makes `folder` the current folder. False when it cannot be read: the
    // list then stays as it was. `contents` (optional) receives what the
    // folder holds.
    bool SetPath(const CString& folder, FolderContents* contents = nullptr);
    const CString& GetPath() const { return path_; }
    // The folder of a line, or empty text for no line.
    CString PathOfLine(int index) const;

protected:
    void DrawItem(DRAWITEMSTRUCT* item);

    DECLARE_MESSAGE_MAP()

private:
    void DrawFolderPicture(HDC dc, int left, int top, bool open) const;

    CString path_;
    std::vector<FolderLine> lines_;
    CBrush folderFace_;
    CBrush folderOpenFace_;
    CPen folderEdge_;
};

}  // namespace pelmora
