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
    // A message to the list passes the framework's and the tool tip's
    // subclass procedures, and the tool tip's looks the window up in its
    // properties: under Wine a round trip to the window server, a hundred
    // microseconds a line. The lines go straight to the list box's own
    // procedure instead; neither subclass has anything to do with them.
    const auto listProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(m_hWnd, GCLP_WNDPROC));
    for (const CString& name : names_)
        ::CallWindowProcA(listProc, m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

}  // namespace pelmora
