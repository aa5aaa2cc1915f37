#include "renamer/file_list_win.h"

#include "renamer/folder_scan_win.h"

namespace pelmora {

void CFileList::SetPath(const CString& folder)
{
    path_ = folder;
    FolderContents contents;
    ReadFolder(folder, &contents);  // on failure the list is simply empty
    names_ = std::move(contents.files);

    std::size_t bytes = 0;
    for (const CString& name : names_)
        bytes += static_cast<std::size_t>(name.GetLength()) + 1;
    // One redraw and one allocation for the whole list: a folder of ten
    // thousand files fills in a blink instead of repainting per line.
    SendMessage(WM_SETREDRAW, FALSE);
    SendMessage(LB_RESETCONTENT);
    SendMessage(LB_INITSTORAGE, names_.size(), static_cast<LPARAM>(bytes));
    for (const CString& name : names_)
        SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

}  // namespace pelmora
