#include "renamer/file_list_win.h"

#include <string>

#include "renamer/folder_scan_win.h"
#include "renamer/utf.h"

namespace pelmora {

void CFileList::SetPath(const CString& folder)
{
    FolderContents contents;
    ReadFolder(folder, &contents);  // on failure the list is simply empty
    Show(folder, std::move(contents.files));
}

void CFileList::Show(const CString& folder, std::vector<CString> names)
{
    path_ = folder;
    names_ = std::move(names);

    // UTF-8 takes at least as many bytes as UTF-16 takes units.
    std::size_t units = 0;
    for (const CString& name : names_)
        units += static_cast<std::size_t>(name.GetLength()) + 1;
    // One redraw and one allocation for the whole list: a folder of ten
    // thousand files fills in a blink instead of repainting per line.
    SendMessage(WM_SETREDRAW, FALSE);
    SendMessage(LB_RESETCONTENT);
    SendMessage(LB_INITSTORAGE, names_.size(), static_cast<LPARAM>(units * sizeof(wchar_t)));
    // A message to the list passes the framework's and the tool tip's
    // subclass procedures, and the tool tip's looks the window up in its
    // properties: under Wine a round trip to the window server, a hundred
    // microseconds a line. The lines go straight to the list box's own
    // procedure instead; neither subclass has anything to do with them.
    const auto listProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(m_hWnd, GCLP_WNDPROC));
    std::wstring line;  // one buffer for every line
    for (const CString& name : names_) {
        line.clear();
        AppendUtf16(name.view(), line);
        ::CallWindowProcW(listProc, m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

}  // namespace pelmora
